#include "simulation/dormand_prince.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

// x'' = -x from x = 1, v = 0: the steps and the dense output between them follow cos t to
// about the tolerance, and the step grows where the solution allows.
TEST(DormandPrince, FollowsAnOscillatorBetweenItsSteps) {
    DormandPrince<2> dp;
    dp.relTol = 1e-9;
    dp.absTol = {1e-12, 1e-12};
    const auto rhs = [](double, const std::array<double, 2>& y, std::array<double, 2>& dy) {
        dy[0] = y[1];
        dy[1] = -y[0];
    };
    dp.Start(rhs, 0, {1, 0}, 1e-3);
    int steps = 0;
    double worst = 0;
    while (dp.t() < 20) {
        ASSERT_TRUE(dp.Step(rhs, 20, 1e-12));
        ++steps;
        for (int j = 0; j <= 8; ++j) {
            const double t = dp.t0() + (dp.t() - dp.t0()) * j / 8;
            worst = std::max(worst, std::abs(dp.Dense(t, 0) - std::cos(t)));
            worst = std::max(worst, std::abs(dp.Dense(t)[1] + std::sin(t)));
        }
    }
    EXPECT_EQ(dp.t(), 20);  // lands on the end exactly
    EXPECT_LT(worst, 1e-8);
    EXPECT_LT(steps, 1000);
    EXPECT_NEAR(dp.Dense(dp.t0(), 0), dp.y0()[0], 1e-15);
    EXPECT_NEAR(dp.Dense(dp.t(), 0), dp.y()[0], 1e-15);
}

// A solution that blows up in finite time makes the step shrink below its limit: the stepper
// says so instead of going on for ever.
TEST(DormandPrince, GivesUpBelowTheSmallestStep) {
    DormandPrince<1> dp;
    dp.absTol = {1e-12};
    const auto rhs = [](double, const std::array<double, 1>& y, std::array<double, 1>& dy) {
        dy[0] = y[0] * y[0];  // y = 1 / (1 - t): infinite at t = 1
    };
    dp.Start(rhs, 0, {1}, 0.1);
    bool failed = false;
    for (int i = 0; i < 100000 && !failed; ++i) failed = !dp.Step(rhs, 2, 1e-9);
    EXPECT_TRUE(failed);
    EXPECT_LT(dp.t(), 1);
}

}  // namespace
}  // namespace velmora
