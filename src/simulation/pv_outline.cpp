#include "simulation/pv_outline.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace velmora {

PVOutline::PVOutline(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      wordsPerRow_((width_ + 63) / 64),
      words_(static_cast<std::size_t>(wordsPerRow_) * static_cast<std::size_t>(height_), 0) {}

void PVOutline::Clear() {
    std::fill(words_.begin(), words_.end(), 0);
    black_ = 0;
}

bool PVOutline::Black(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    const std::uint64_t word =
        words_[static_cast<std::size_t>(y) * wordsPerRow_ + static_cast<std::size_t>(x >> 6)];
    return ((word >> (x & 63)) & 1) != 0;
}

void PVOutline::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void PVOutline::LineTo(int x1, int y1) {
    // Step for step the Bresenham walk of RasterSurface::LineTo.
    long long x = penX_;
    long long y = penY_;
    const long long dx = std::llabs(x1 - x);
    const long long dy = -std::llabs(y1 - y);
    const int sx = x < x1 ? 1 : -1;
    const int sy = y < y1 ? 1 : -1;
    long long error = dx + dy;
    while (x != x1 || y != y1) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            Set(static_cast<int>(x), static_cast<int>(y));
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
        if ((x < 0 && sx < 0) || (y < 0 && sy < 0) || (x >= width_ && sx > 0) ||
            (y >= height_ && sy > 0))
            break;
    }
    penX_ = x1;
    penY_ = y1;
}

int PVOutline::CountBlackInRow(int y, int from, int to) const {
    if (y < 0 || y >= height_) return 0;
    from = std::max(from, 0);
    to = std::min(to, width_);
    int count = 0;
    const std::uint64_t* row = words_.data() + static_cast<std::size_t>(y) * wordsPerRow_;
    for (int x = from; x < to;) {
        const int word = x >> 6;
        const int bit = x & 63;
        const int end = std::min(to, (word + 1) * 64);
        std::uint64_t bits = row[word] >> bit;
        const int span = end - x;
        if (span < 64) bits &= (std::uint64_t{1} << span) - 1;
        count += std::popcount(bits);
        x = end;
    }
    return count;
}

void PVOutline::CollectRuns() {
    runs_.clear();
    rowStart_.assign(static_cast<std::size_t>(height_) + 1, 0);
    for (int y = 0; y < height_; ++y) {
        rowStart_[y] = static_cast<int>(runs_.size());
        const std::uint64_t* row = words_.data() + static_cast<std::size_t>(y) * wordsPerRow_;
        if (std::all_of(row, row + wordsPerRow_, [](std::uint64_t w) { return w == 0; })) {
            if (width_ > 0) runs_.push_back({0, width_});
            continue;
        }
        // Walk the row from one colour change to the next, a word at a time.
        int x = 0;
        while (x < width_) {
            // Next white pixel from x.
            int white = x;
            while (white < width_) {
                const std::uint64_t blackBits = row[white >> 6] >> (white & 63);
                const std::uint64_t whiteBits = ~blackBits;
                const int inWord = 64 - (white & 63);
                const int skip = whiteBits == 0 ? inWord : std::countr_zero(whiteBits);
                if (skip < inWord) {
                    white += skip;
                    break;
                }
                white += inWord;
            }
            if (white >= width_) break;
            int black = white;
            while (black < width_) {
                const std::uint64_t blackBits = row[black >> 6] >> (black & 63);
                const int inWord = 64 - (black & 63);
                const int skip = blackBits == 0 ? inWord : std::countr_zero(blackBits);
                if (skip < inWord) {
                    black += skip;
                    break;
                }
                black += inWord;
            }
            black = std::min(black, width_);
            runs_.push_back({white, black});
            x = black;
        }
    }
    rowStart_[height_] = static_cast<int>(runs_.size());
}

PVOutline::Fill PVOutline::FloodFill(int x, int y) {
    Fill fill;
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || Black(x, y)) return fill;
    CollectRuns();
    visited_.assign(runs_.size(), 0);
    pending_.clear();
    for (int r = rowStart_[y]; r < rowStart_[y + 1]; ++r) {
        if (runs_[r].from <= x && x < runs_[r].to) {
            visited_[r] = 1;
            pending_.push_back(r);
            break;
        }
    }
    auto rowOf = [&](int r) {
        return static_cast<int>(std::upper_bound(rowStart_.begin(), rowStart_.end(), r) -
                                rowStart_.begin()) -
               1;
    };
    while (!pending_.empty()) {
        const int r = pending_.back();
        pending_.pop_back();
        const Run run = runs_[r];
        const int row = rowOf(r);
        fill.pixels += run.to - run.from;
        if ((row == 0 || row == height_ - 1) && (run.from == 0 || run.to == width_))
            fill.reachedCorner = true;
        for (const int next : {row - 1, row + 1}) {
            if (next < 0 || next >= height_) continue;
            // Runs of a row are in order; those sharing a column with this one touch it.
            const auto first = std::partition_point(
                runs_.begin() + rowStart_[next], runs_.begin() + rowStart_[next + 1],
                [&](const Run& other) { return other.to <= run.from; });
            for (auto it = first; it != runs_.begin() + rowStart_[next + 1] && it->from < run.to;
                 ++it) {
                const auto index = static_cast<std::size_t>(it - runs_.begin());
                if (visited_[index]) continue;
                visited_[index] = 1;
                pending_.push_back(static_cast<int>(index));
            }
        }
    }
    return fill;
}

}  // namespace velmora
