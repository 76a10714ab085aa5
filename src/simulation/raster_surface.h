#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// A monochrome drawing surface of one byte a pixel, rows top to bottom, with the conventions
// the PV diagram measurement relies on: a line leaves out its end pixel, a flood fill stops at
// a border colour, and everything outside the surface is clipped.
class RasterSurface {
  public:
    static constexpr std::uint8_t kBlack = 0;
    static constexpr std::uint8_t kWhite = 255;

    RasterSurface(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Fill(std::uint8_t color);
    // The colour at (x, y); white outside the surface.
    std::uint8_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint8_t color);

    // Pen drawing: LineTo draws from the pen position to (x, y) without the end pixel
    // (Bresenham) and moves the pen there.
    void MoveTo(int x, int y);
    void LineTo(int x, int y, std::uint8_t color);

    // Fills the 4-connected region around (x, y) that holds neither `border` nor `color`.
    // Nothing happens when the seed lies outside the surface or on such a pixel.
    void FloodFill(int x, int y, std::uint8_t color, std::uint8_t border);

    // The pixels of row y (0 <= y < Height()), left to right.
    const std::uint8_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }

    // Number of pixels of the given colour, in the whole surface or in columns [from, to) of
    // row y (clipped to the surface).
    long CountPixels(std::uint8_t color) const;
    int CountInRow(int y, int from, int to, std::uint8_t color) const;

  private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    int penX_ = 0;
    int penY_ = 0;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace velmora
