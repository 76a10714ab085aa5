// The legend's corner: the first one no curve passes through, segments counted along their
// length, and the least crossed one when all are.
#include "presentation/legend_place.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const PixelRect kPlot{0, 0, 400, 300};

TEST(LegendPlace, TopRightWhenFree) {
    const std::vector<std::vector<PixelPoint>> low{{{0, 250}, {400, 250}}};
    const LegendPlacement place = PlaceLegendBox(low, kPlot, 100, 40, 2);
    EXPECT_FALSE(place.coversCurve);
    EXPECT_EQ(place.box.left, 298);
    EXPECT_EQ(place.box.top, 2);
}

TEST(LegendPlace, ASegmentThroughTheCornerCountsAlongItsLength) {
    // A peak at the top right, its two points outside the box, its segment through it.
    const std::vector<std::vector<PixelPoint>> peak{{{250, 100}, {400, 0}}};
    const LegendPlacement place = PlaceLegendBox(peak, kPlot, 100, 40, 2);
    EXPECT_FALSE(place.coversCurve);
    EXPECT_EQ(place.box.left, 2);  // top left
    EXPECT_EQ(place.box.top, 2);
}

TEST(LegendPlace, TheLeastCrossedCornerWhenEveryOneIsCrossed) {
    // Two diagonals cross all four corners; a third line crosses the top ones again.
    const std::vector<std::vector<PixelPoint>> curves{
        {{0, 0}, {400, 300}}, {{0, 300}, {400, 0}}, {{0, 10}, {400, 10}}};
    const LegendPlacement place = PlaceLegendBox(curves, kPlot, 100, 40, 2);
    EXPECT_TRUE(place.coversCurve);
    EXPECT_EQ(place.box.top, 300 - 2 - 40);  // a bottom corner
}

}  // namespace
}  // namespace velmora
