#pragma once

#include <cstdint>
#include <vector>

#include "presentation/engine_drawing.h"

namespace velmora {

// A small software raster of 8-bit RGB pixels, rows top to bottom, three bytes a pixel with
// no row padding (the layout of QImage::Format_RGB888 with bytesPerLine = 3 * width), so a
// window can show it as it stands. Drawing outside the image is clipped.
class RgbImage {
  public:
    RgbImage(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint8_t* Data() const { return pixels_.data(); }

    RgbColor Pixel(int x, int y) const;  // black outside the image
    void SetPixel(int x, int y, RgbColor color);

    void Fill(RgbColor color);
    void FillRect(int left, int top, int right, int bottom, RgbColor color);
    // Pixels from (x0, y0) towards (x1, y1), the end pixel excluded.
    void Line(int x0, int y0, int x1, int y1, RgbColor color);

    // Replays drawing operations with a pen that starts black at (0, 0).
    void Apply(const std::vector<DrawOp>& ops);

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

// The picture rasterised on an image of its own size.
RgbImage Rasterize(const EnginePicture& picture);

}  // namespace velmora
