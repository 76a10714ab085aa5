#include "presentation/rgb_image.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

RgbImage::RgbImage(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_ * 3, 0) {}

RgbColor RgbImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    const std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    return {p[0], p[1], p[2]};
}

void RgbImage::SetPixel(int x, int y, RgbColor c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void RgbImage::Fill(RgbColor c) {
    FillRect(0, 0, width_, height_, c);
}

void RgbImage::FillRect(int left, int top, int right, int bottom, RgbColor c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) SetPixel(x, y, c);
    }
}

void RgbImage::Line(int x0, int y0, int x1, int y1, RgbColor c) {
    if (y0 == y1) {  // the common case here, clipped before stepping
        if (y0 < 0 || y0 >= height_) return;
        if (x0 <= x1) {
            for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) SetPixel(x, y0, c);
        } else {
            for (int x = std::min(x0, width_ - 1); x > std::max(x1, -1); --x) SetPixel(x, y0, c);
        }
        return;
    }
    if (x0 == x1) {
        if (x0 < 0 || x0 >= width_) return;
        if (y0 <= y1) {
            for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) SetPixel(x0, y, c);
        } else {
            for (int y = std::min(y0, height_ - 1); y > std::max(y1, -1); --y) SetPixel(x0, y, c);
        }
        return;
    }
    // Bresenham for slanted lines; widened to 64 bits against overflow of far coordinates.
    const long long dx = std::llabs(static_cast<long long>(x1) - x0);
    const long long dy = -std::llabs(static_cast<long long>(y1) - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    long long err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        SetPixel(x, y, c);
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void RgbImage::Apply(const std::vector<DrawOp>& ops) {
    RgbColor pen = kBlack;
    int penX = 0;
    int penY = 0;
    for (const DrawOp& op : ops) {
        switch (op.kind) {
            case DrawOp::Kind::Fill:
                Fill(op.color);
                break;
            case DrawOp::Kind::Pen:
                pen = op.color;
                break;
            case DrawOp::Kind::MoveTo:
                penX = op.x;
                penY = op.y;
                break;
            case DrawOp::Kind::LineTo:
                Line(penX, penY, op.x, op.y, pen);
                penX = op.x;
                penY = op.y;
                break;
            case DrawOp::Kind::FillRect:
                FillRect(op.x, op.y, op.x2, op.y2, op.color);
                break;
        }
    }
}

RgbImage Rasterize(const EnginePicture& picture) {
    RgbImage image(picture.width, picture.height);
    image.Apply(picture.ops);
    return image;
}

}  // namespace velmora
