#include "simulation/raster_surface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace velmora {

RasterSurface::RasterSurface(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhite) {}

void RasterSurface::Fill(std::uint8_t color) {
    std::fill(pixels_.begin(), pixels_.end(), color);
}

std::uint8_t RasterSurface::Pixel(int x, int y) const {
    return Inside(x, y) ? pixels_[static_cast<std::size_t>(y) * width_ + x] : kWhite;
}

void RasterSurface::SetPixel(int x, int y, std::uint8_t color) {
    if (Inside(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = color;
}

void RasterSurface::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void RasterSurface::LineTo(int x1, int y1, std::uint8_t color) {
    // 64-bit error terms: far-away end points must not overflow.
    long long x = penX_;
    long long y = penY_;
    const long long dx = std::llabs(x1 - x);
    const long long dy = -std::llabs(y1 - y);
    const int sx = x < x1 ? 1 : -1;
    const int sy = y < y1 ? 1 : -1;
    long long error = dx + dy;
    while (x != x1 || y != y1) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = color;
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
        // A line that lies entirely outside on one side can stop early.
        if ((x < 0 && sx < 0) || (y < 0 && sy < 0) || (x >= width_ && sx > 0) ||
            (y >= height_ && sy > 0))
            break;
    }
    penX_ = x1;
    penY_ = y1;
}

void RasterSurface::FloodFill(int x, int y, std::uint8_t color, std::uint8_t border) {
    auto open = [&](int px, int py) {
        const std::uint8_t c = pixels_[static_cast<std::size_t>(py) * width_ + px];
        return c != border && c != color;
    };
    if (!Inside(x, y) || !open(x, y)) return;
    // Span fill: each stack entry is a seed; its whole run along the row is filled at once and
    // the rows above and below are scanned for new runs.
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (!open(sx, sy)) continue;
        int left = sx;
        while (left > 0 && open(left - 1, sy)) --left;
        int right = sx;
        while (right + 1 < width_ && open(right + 1, sy)) ++right;
        std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(sy) * width_;
        std::fill(row + left, row + right + 1, color);
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height_) continue;
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool o = open(px, ny);
                if (o && !inRun) seeds.emplace_back(px, ny);
                inRun = o;
            }
        }
    }
}

long RasterSurface::CountPixels(std::uint8_t color) const {
    long total = 0;
    for (int y = 0; y < height_; ++y) total += CountInRow(y, 0, width_, color);
    return total;
}

int RasterSurface::CountInRow(int y, int from, int to, std::uint8_t color) const {
    if (y < 0 || y >= height_) return 0;
    from = std::max(from, 0);
    to = std::min(to, width_);
    const std::uint8_t* row = Row(y);
    // A 32-bit count lets the compiler compare many bytes at once.
    unsigned count = 0;
    for (int x = from; x < to; ++x) count += row[x] == color;
    return static_cast<int>(count);
}

}  // namespace velmora
