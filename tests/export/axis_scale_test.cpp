// Axis scales and ticks, shared by the window's charts and the exported figures: round steps,
// fixed ranges kept, automatic ones widened, and tick values as the chart axis places them.
#include "export/axis_scale.h"

#include <gtest/gtest.h>

#include <cmath>

#include "presentation/shown_run.h"

namespace velmora {
namespace {

std::vector<std::string> Labels(const AxisScale& scale) {
    std::vector<std::string> labels;
    for (const double v : TickValues(scale)) labels.push_back(TickLabel(v, scale.decimals));
    return labels;
}

TEST(AxisScale, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(NiceStep(1), 0.2);
    EXPECT_DOUBLE_EQ(NiceStep(15.8), 2);  // 3.16 per part
    EXPECT_DOUBLE_EQ(NiceStep(126), 20);  // 25.2 per part
    EXPECT_DOUBLE_EQ(NiceStep(40), 10);   // 8 per part rounds up to 10
    EXPECT_DOUBLE_EQ(NiceStep(0.003), 0.0005);
    EXPECT_DOUBLE_EQ(NiceStep(0), 1);
}

TEST(AxisScale, ANarrowAxisGetsCoarserRoundSteps) {
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

TEST(AxisScale, FixedRangeIsKeptExactlyAutomaticIsWidenedToWholeSteps) {
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

TEST(AxisScale, EmptyAndFlatCurvesStillGiveAUsableAxis) {
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
    EXPECT_GE(TickValues(band).size(), 2u);
}

TEST(AxisScale, BottomAxisSpansTheDataExactly) {
    const PointSeries curve = {{1, 0}, {1083, 1}};
    const AxisScale bottom = BottomScaleFor({&curve});
    EXPECT_DOUBLE_EQ(bottom.min, 1);
    EXPECT_DOUBLE_EQ(bottom.max, 1083);
    EXPECT_DOUBLE_EQ(bottom.step, 200);
    EXPECT_EQ(Labels(bottom), (std::vector<std::string>{"200", "400", "600", "800", "1000"}));
}

// The labels a chart axis shows for these scales (read from a rendered chart): an end that is
// a whole step goes without a label, since the ticks start a hair above each multiple.
TEST(AxisScale, TicksAreTheChartAxisTicks) {
    const PointSeries curve = {{0, 48.3}, {1, 64.1}};
    EXPECT_EQ(Labels(ScaleFor(AxisRange{}, {&curve})),
              (std::vector<std::string>{"48", "50", "52", "54", "56", "58", "60", "62", "64"}));
    EXPECT_EQ(Labels({0, 0.3, 0.1, 1}), (std::vector<std::string>{"0.0", "0.1", "0.2"}));
    // A half stroke of 63.5 mm each way: ticks every 20 inside it.
    EXPECT_EQ(Labels(ScaleFor(AxisRange{false, -63.5, 63.5}, {})),
              (std::vector<std::string>{"-60", "-40", "-20", "0", "20", "40", "60"}));
    // Around zero no "-0.0"; small values keep their decimals and never take an exponent.
    EXPECT_EQ(Labels(AutoScale(-0.3, 0.25)),
              (std::vector<std::string>{"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2"}));
    const std::vector<std::string> tiny = Labels(AutoScale(-0.0000272, 0.0000113));
    EXPECT_EQ(tiny.front(), "-0.00003");
    for (const std::string& label : tiny) EXPECT_EQ(label.find('e'), std::string::npos) << label;
    // More than 50 steps: five ticks from end to end.
    const AxisScale crowded{0, 100, 1, 0};
    EXPECT_FALSE(TicksAtSteps(crowded));
    EXPECT_EQ(Labels(crowded), (std::vector<std::string>{"0", "25", "50", "75", "100"}));
    EXPECT_EQ(TickLabel(-0.0001, 2), "0.00");
    EXPECT_TRUE(TickValues({1, 1, 0.2, 1}).empty());
}

TEST(ChartScales, EachChartScalesItsAxesAsTheWindowDoes) {
    ChartSetup setup;
    setup.LeftAxis = {false, -63.5, 63.5};
    const PointSeries red = {{0, -70}, {0.02, 70}};
    const PointSeries blue = {{0, 3}, {0.02, 9.5}};
    const ChartScales main = MainChartScales(setup, red, blue);
    EXPECT_DOUBLE_EQ(main.left.min, -63.5);  // the curve is cut, not the range widened
    EXPECT_DOUBLE_EQ(main.right.min, 3);
    EXPECT_DOUBLE_EQ(main.right.max, 10);
    EXPECT_DOUBLE_EQ(main.bottom.max, 0.02);

    PowerCurve curve;
    curve.PowerSeries = {{100, 10}, {2000, 480}};
    curve.PhaseOrTorqueSeries = {{100, 12}, {2000, 87}};
    const ChartScales power = PowerChartScales(curve);
    EXPECT_DOUBLE_EQ(power.right.min, 0);
    EXPECT_DOUBLE_EQ(power.right.max, 100);
    EXPECT_DOUBLE_EQ(power.left.max, 500);

    ShownRun sim;
    sim.PVSeries = {{481000, 1e5, 0}};
    sim.PVMinVolume = 481000;
    sim.PVMaxVolume = 639000;
    sim.PVMinPressure = 2e6;
    sim.PVMaxPressure = 7e6;
    EXPECT_DOUBLE_EQ(PvChartScales(sim, 10000).bottom.step, 20000);
    EXPECT_DOUBLE_EQ(PvChartScales(sim, 4 * kVolumeLabelPixels).bottom.step, 50000);
    EXPECT_DOUBLE_EQ(PvChartScales(sim, 10000).left.max, 7e6);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Figures group their tick labels as the window does.
TEST(AxisScale, FigureLabelsAreGroupedInThrees) {
    EXPECT_EQ(GroupedTickLabel(5e6, 0), "5,000,000");
    EXPECT_EQ(GroupedTickLabel(-1250.5, 1), "-1,250.5");
    EXPECT_EQ(GroupedTickLabel(999, 0), "999");
    EXPECT_EQ(GroupedTickLabel(-999, 0), "-999");
    EXPECT_EQ(GroupedTickLabel(1000, 0), "1,000");
    EXPECT_EQ(GroupedTickLabel(0.0025, 4), "0.0025");
    EXPECT_EQ(GroupedTickLabel(-0.0001, 2), "0.00");
    EXPECT_EQ(GroupedTickLabel(123456.789, 2), "123,456.79");
}

// The colour bar of a map: 5 to 7 round ticks that cover the data, whatever its range.
TEST(ColourBarScale, FiveToSevenRoundTicksCoverTheData) {
    const AxisScale bar = ColourBarScale(-5994, 53330);
    // Steps of 10000 would need 8 ticks: the next round step.
    EXPECT_EQ(ScaleStepValues(bar), (std::vector<double>{-20000, 0, 20000, 40000, 60000}));
    EXPECT_EQ(bar.decimals, 0);
    for (double low = 0.0123; low < 1e6; low *= 7.3) {
        for (const double width : {0.001, 0.37, 1.0, 42.0, 9e4}) {
            const double high = low + width * low;
            const AxisScale scale = ColourBarScale(low, high);
            const std::vector<double> values = ScaleStepValues(scale);
            EXPECT_GE(values.size(), 5u) << low << " " << high;
            EXPECT_LE(values.size(), 7u) << low << " " << high;
            EXPECT_LE(scale.min, low);
            EXPECT_GE(scale.max, high);
            // 1, 2, 2.5 or 5 times a power of ten.
            const double mantissa =
                scale.step / std::pow(10.0, std::floor(std::log10(scale.step) + 1e-9));
            EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                        std::fabs(mantissa - 2.5) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
                << scale.step;
        }
    }
    const std::vector<double> tenths = ScaleStepValues(ColourBarScale(0.1, 0.3));
    const std::vector<double> expected{0.1, 0.15, 0.2, 0.25, 0.3};
    ASSERT_EQ(tenths.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(tenths[i], expected[i], 1e-15);
    EXPECT_EQ(ColourBarScale(0.1, 0.3).decimals, 2);
    // Steps of 2.5 keep their second digit.
    EXPECT_EQ(ColourBarScale(0, 12.5).step, 2.5);
    EXPECT_EQ(ColourBarScale(0, 12.5).decimals, 1);
    EXPECT_EQ(ColourBarScale(0, 0.125).decimals, 3);
    // No spread: the automatic band around the value.
    EXPECT_EQ(ScaleStepValues(ColourBarScale(5, 5)).size(),
              ScaleStepValues(AutoScale(5, 5)).size());
}

}  // namespace
}  // namespace velmora
