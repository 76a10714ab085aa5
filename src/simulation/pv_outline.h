#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// A black-and-white image of one bit a pixel (set = black) for measuring the PV diagram: the
// outline is drawn with the same lines as on a RasterSurface, and the flood fill is worked out
// on the runs of white pixels of each row instead of pixel by pixel.
class PVOutline {
  public:
    PVOutline(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Clear();  // all white
    bool Black(int x, int y) const;

    // As RasterSurface::MoveTo and LineTo in black: the end pixel is left out, the rest clipped.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    long CountBlack() const { return black_; }
    // Black pixels of row y in columns [from, to), clipped to the image.
    int CountBlackInRow(int y, int from, int to) const;

    // What a flood fill from (x, y) up to the black pixels would cover (4-connected): its
    // pixel count and whether it reached a corner of the image. Nothing for a seed outside
    // the image or on a black pixel.
    struct Fill {
        long pixels = 0;
        bool reachedCorner = false;
    };
    Fill FloodFill(int x, int y);

  private:
    struct Run {
        int from;  // first white column
        int to;    // one past the last
    };

    void Set(int x, int y) {
        std::uint64_t& word =
            words_[static_cast<std::size_t>(y) * wordsPerRow_ + static_cast<std::size_t>(x >> 6)];
        const std::uint64_t bit = std::uint64_t{1} << (x & 63);
        black_ += (word & bit) == 0;
        word |= bit;
    }
    void CollectRuns();

    int width_;
    int height_;
    int wordsPerRow_;
    int penX_ = 0;
    int penY_ = 0;
    long black_ = 0;  // set bits
    std::vector<std::uint64_t> words_;
    // Scratch of FloodFill, kept so that repeated measurements allocate nothing.
    std::vector<Run> runs_;
    std::vector<int> rowStart_;
    std::vector<char> visited_;
    std::vector<int> pending_;
};

}  // namespace velmora
