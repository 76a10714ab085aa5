#pragma once

#include <vector>

namespace velmora {

// Pixel geometry of a chart figure, y downwards.
struct PixelPoint {
    double x = 0;
    double y = 0;
};
struct PixelRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool Contains(const PixelPoint& p) const {
        return p.x >= left && p.x <= left + width && p.y >= top && p.y <= top + height;
    }
};

// Where a legend box of `width` x `height` goes in a plot: the first of its four corners (top
// right, top left, bottom right, bottom left, `inset` pixels in) that no curve passes through.
// The curves are polylines in pixels; a segment counts along its whole length. Where every
// corner is crossed, the least crossed one, with `coversCurve` set.
struct LegendPlacement {
    PixelRect box;
    bool coversCurve = false;
};
LegendPlacement PlaceLegendBox(const std::vector<std::vector<PixelPoint>>& curves,
                               const PixelRect& plot, double width, double height, double inset);

}  // namespace velmora
