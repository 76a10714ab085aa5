#include "ui/charts/chart_ranges.h"

#include <gtest/gtest.h>

#include "ui/charts/pv_point_cloud.h"

namespace velmora {
namespace {

TEST(ChartRanges, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(NiceStep(1), 0.2);
    EXPECT_DOUBLE_EQ(NiceStep(15.8), 2);  // 3.16 per part
    EXPECT_DOUBLE_EQ(NiceStep(126), 20);  // 25.2 per part
    EXPECT_DOUBLE_EQ(NiceStep(40), 10);   // 8 per part rounds up to 10
    EXPECT_DOUBLE_EQ(NiceStep(0.003), 0.0005);
    EXPECT_DOUBLE_EQ(NiceStep(0), 1);
}

TEST(ChartRanges, ANarrowAxisGetsCoarserRoundSteps) {
    const AxisScale volume = AutoScale(481000, 639000);  // 20000 a step: 8 steps
    ASSERT_DOUBLE_EQ(volume.step, 20000);
    const AxisScale four = WithAtMostSteps(volume, 4);
    EXPECT_DOUBLE_EQ(four.min, 480000);
    EXPECT_DOUBLE_EQ(four.max, 640000);
    EXPECT_DOUBLE_EQ(four.step, 50000);  // 40000 would not be a round step
    EXPECT_DOUBLE_EQ(WithAtMostSteps(volume, 8).step, 20000);
    EXPECT_DOUBLE_EQ(WithAtMostSteps(AutoScale(0, 1), 2).step, 0.5);
    EXPECT_EQ(WithAtMostSteps(AutoScale(0, 1), 2).decimals, 1);
    EXPECT_DOUBLE_EQ(WithAtMostSteps(AutoScale(0, 0.1), 1).step, 0.1);
}

TEST(ChartRanges, FixedRangeIsKeptExactlyAutomaticIsWidenedToWholeSteps) {
    const PointSeries curve = {{0, 48.3}, {1, 64.1}, {2, 50}};
    const AxisScale fixed = ScaleFor(AxisRange{false, -63, 63}, {&curve});
    EXPECT_DOUBLE_EQ(fixed.min, -63);
    EXPECT_DOUBLE_EQ(fixed.max, 63);
    const AxisScale automatic = ScaleFor(AxisRange{}, {&curve});
    EXPECT_DOUBLE_EQ(automatic.min, 48);
    EXPECT_DOUBLE_EQ(automatic.max, 66);
    EXPECT_DOUBLE_EQ(automatic.step, 2);
    EXPECT_EQ(automatic.decimals, 0);
}

TEST(ChartRanges, EmptyAndFlatCurvesStillGiveAUsableAxis) {
    const PointSeries none;
    const AxisScale empty = ScaleFor(AxisRange{}, {&none});
    EXPECT_DOUBLE_EQ(empty.min, 0);
    EXPECT_DOUBLE_EQ(empty.max, 1);
    const PointSeries flat = {{0, 5}, {1, 5}};
    const AxisScale band = ScaleFor(AxisRange{}, {&flat});
    EXPECT_LT(band.min, 5);
    EXPECT_GT(band.max, 5);
    // A fixed range of zero width (no half stroke) falls back to the data.
    const AxisScale zero = ScaleFor(AxisRange{false, 0, 0}, {&flat});
    EXPECT_LT(zero.min, zero.max);
}

TEST(ChartRanges, BottomAxisSpansTheDataExactly) {
    const PointSeries curve = {{1, 0}, {1083, 1}};
    const AxisScale bottom = BottomScaleFor({&curve});
    EXPECT_DOUBLE_EQ(bottom.min, 1);
    EXPECT_DOUBLE_EQ(bottom.max, 1083);
    EXPECT_DOUBLE_EQ(bottom.step, 200);
}

TEST(PvPointColors, RedInTheLowByteThenGreenThenBlue) {
    EXPECT_EQ(PvPointColor(0), qRgb(0, 0, 0));
    EXPECT_EQ(PvPointColor(255), qRgb(255, 0, 0));
    EXPECT_EQ(PvPointColor(256), qRgb(0, 1, 0));
    EXPECT_EQ(PvPointColor(0x030201), qRgb(1, 2, 3));
}

}  // namespace
}  // namespace velmora
