#include "export/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

std::vector<std::string> Labels(const AxisTicks& ticks) {
    std::vector<std::string> labels;
    for (const double v : ticks.values) labels.push_back(TickLabel(v, ticks.decimals));
    return labels;
}

TEST(AxisTicks, AutomaticAxisWidensToRoundSteps) {
    const AxisTicks ticks = MakeAxisTicks(3816989.7, 7657366.5, true);
    EXPECT_EQ(ticks.min, 3500000);
    EXPECT_EQ(ticks.max, 8000000);
    EXPECT_EQ(Labels(ticks),
              (std::vector<std::string>{"3500000", "4000000", "4500000", "5000000", "5500000",
                                        "6000000", "6500000", "7000000", "7500000", "8000000"}));
}

TEST(AxisTicks, FixedAxisKeepsItsEnds) {
    // A half stroke of 63.5 mm each way: ticks every 20 inside it.
    const AxisTicks ticks = MakeAxisTicks(-63.5, 63.5, false);
    EXPECT_EQ(ticks.min, -63.5);
    EXPECT_EQ(ticks.max, 63.5);
    EXPECT_EQ(Labels(ticks),
              (std::vector<std::string>{"-60", "-40", "-20", "0", "20", "40", "60"}));
}

TEST(AxisTicks, SmallValuesGetTheirDecimalsAndNoExponent) {
    const AxisTicks ticks = MakeAxisTicks(-0.0000272, 0.0000113, true);
    const auto labels = Labels(ticks);
    EXPECT_EQ(labels.front(), "-0.000030");
    EXPECT_EQ(labels.back(), "0.000015");
    for (const std::string& label : labels) {
        EXPECT_EQ(label.find('e'), std::string::npos) << label;
        EXPECT_NE(label, "-0.000000");
    }
}

TEST(AxisTicks, FlatOrMissingDataStillGivesAScale) {
    const AxisTicks flat = MakeAxisTicks(5, 5, true);
    EXPECT_LT(flat.min, 5);
    EXPECT_GT(flat.max, 5);
    EXPECT_GE(flat.values.size(), 2u);
    const AxisTicks nan = MakeAxisTicks(std::nan(""), 1, true);
    EXPECT_GE(nan.values.size(), 2u);
    EXPECT_EQ(TickLabel(-0.0001, 2), "0.00");
}

}  // namespace
}  // namespace velmora
