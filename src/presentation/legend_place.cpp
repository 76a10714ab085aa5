#include "presentation/legend_place.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

// How many samples of the curves, every pixel or closer along each segment, fall in `box`.
std::size_t SamplesIn(const std::vector<std::vector<PixelPoint>>& curves, const PixelRect& box) {
    std::size_t count = 0;
    for (const std::vector<PixelPoint>& curve : curves) {
        for (std::size_t i = 0; i < curve.size(); ++i) {
            const PixelPoint& a = curve[i];
            if (!std::isfinite(a.x) || !std::isfinite(a.y)) continue;
            if (box.Contains(a)) ++count;
            if (i + 1 >= curve.size()) continue;
            const PixelPoint& b = curve[i + 1];
            if (!std::isfinite(b.x) || !std::isfinite(b.y)) continue;
            const double length = std::hypot(b.x - a.x, b.y - a.y);
            // A long segment far from the box cannot cross it: skip its samples.
            const int steps = static_cast<int>(std::min(length, 4096.0));
            for (int s = 1; s < steps; ++s) {
                const double t = static_cast<double>(s) / steps;
                if (box.Contains({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)})) ++count;
            }
        }
    }
    return count;
}

}  // namespace

LegendPlacement PlaceLegendBox(const std::vector<std::vector<PixelPoint>>& curves,
                               const PixelRect& plot, double width, double height, double inset) {
    const double right = plot.left + plot.width - inset - width;
    const double bottom = plot.top + plot.height - inset - height;
    const double left = plot.left + inset;
    const double top = plot.top + inset;
    const PixelRect corners[] = {{right, top, width, height},
                                 {left, top, width, height},
                                 {right, bottom, width, height},
                                 {left, bottom, width, height}};
    LegendPlacement best{corners[0], true};
    std::size_t fewest = std::numeric_limits<std::size_t>::max();
    for (const PixelRect& corner : corners) {
        const std::size_t crossed = SamplesIn(curves, corner);
        if (crossed == 0) return {corner, false};
        if (crossed < fewest) {
            fewest = crossed;
            best.box = corner;
        }
    }
    return best;
}

}  // namespace velmora
