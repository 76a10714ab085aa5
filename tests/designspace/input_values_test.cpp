// Grid points at the limits of a double, and the one rule for values an input can hold that
// sweeps and the optimizer share.
#include "designspace/input_values.h"

#include <gtest/gtest.h>

#include <cmath>

#include "designspace/sweep_axis.h"

namespace velmora {
namespace {

SweepAxis Axis(const char* key, double from, double to, int points, bool log = false) {
    return SweepAxis{FindSweepInput(key), from, to, points, log};
}

TEST(SweepAxis, PointsNearTheLimitsOfADoubleStayFinite) {
    // The span of these ends is beyond a double; the middle is 0.
    EXPECT_EQ(AxisValues(Axis("Displacer.Mass", -1e308, 1e308, 3)),
              (std::vector<double>{-1e308, 0, 1e308}));
    // A span that fits, times a step number, does not.
    const std::vector<double> wide = AxisValues(Axis("Displacer.Mass", 1, 1.5e308, 4));
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_DOUBLE_EQ(wide[1], 5e307);
    EXPECT_DOUBLE_EQ(wide[2], 1e308);
    // Ends whose ratio overflows or underflows on a logarithmic scale.
    const std::vector<double> up = AxisValues(Axis("Displacer.Mass", 1e-300, 1e300, 3, true));
    EXPECT_NEAR(up[1], 1, 1e-12);
    const std::vector<double> down = AxisValues(Axis("Displacer.Mass", -1e300, -1e-300, 5, true));
    EXPECT_NEAR(down[2], -1, 1e-12);
    EXPECT_NEAR(down[1] / -1e150, 1, 1e-12);
    for (const std::vector<double>* values : {&wide, &up, &down})
        for (const double value : *values) EXPECT_TRUE(std::isfinite(value));
    // Ordinary ranges keep the values they always had.
    EXPECT_EQ(AxisValues(Axis("Displacer.Mass", 0.5, 2, 4)), (std::vector<double>{0.5, 1, 1.5, 2}));
}

TEST(InputValues, NegativeAndNotGivenValuesAreRefusedWithTheirEnd) {
    const SweepInput& stroke = *FindSweepInput("Piston.Stroke");
    EXPECT_EQ(InputValueProblem(stroke, 0, "FROM", -100),
              "FROM (-100) is below 0, which the input cannot hold");
    EXPECT_EQ(InputValueProblem(stroke, 0, "TO", -1e308),
              "TO (-1e+308) is below 0, which the input cannot hold");
    EXPECT_EQ(InputValueProblem(stroke, 0, "FROM", 0),
              "FROM (0) is not a value the input can hold in its unit");
    EXPECT_EQ(InputValueProblem(stroke, 0, "FROM", 1e308), "");
    // No spring is a design: 0 is a value there.
    EXPECT_EQ(InputValueProblem(*FindSweepInput("DisplacerSpring.Constant"), 0, "FROM", 0), "");
}

}  // namespace
}  // namespace velmora
