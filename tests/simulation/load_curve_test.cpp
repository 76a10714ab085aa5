#include "simulation/load_curve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "form/design_form.h"
#include "simulation/engine_fixtures.h"
#include "simulation/lossy_energy.h"

namespace velmora {
namespace {

using Lossy = test::AnalysedDesign;

// KESTMORE with a lossy mechanism and heat losses, as a builder's engine would have them.
Lossy LossyKestmore() {
    Lossy k = test::AnalysedLargeEngine();
    LossInputs& l = k.design.losses;
    l.given = true;
    l.annulusGap = 0.0005;
    l.displacerLength = 0.12;
    l.mechanismEffectiveness = 0.85;
    l.staticConductance = 0.5;
    l.loadTorque = 50;
    return k;
}

double BrakeAt(const Lossy& k, double speed) {
    const LossyRun run = RunLossyCycle(k.params, k.design, speed);
    EXPECT_TRUE(run.settled) << speed;
    return run.brakePower;
}

TEST(UnderLoad, TheRunningSpeedsTorqueEqualsTheLoadOnTheFallingSide) {
    const Lossy k = LossyKestmore();
    const UnderLoad u = SearchUnderLoad(k.params, k.design);
    ASSERT_TRUE(u.maxBrakePower && u.speedAtMaxBrakePower);
    ASSERT_TRUE(u.runningSpeed);
    const double w = *u.runningSpeed;
    EXPECT_NEAR(BrakeAt(k, w) / w, 50, 1e-4 * 50);
    // Stable: a little faster the torque falls below the load, a little slower it rises above.
    EXPECT_LT(BrakeAt(k, 1.02 * w) / (1.02 * w), 50);
    EXPECT_GT(BrakeAt(k, 0.98 * w) / (0.98 * w), 50);
    // The maximum is no lower than the brake power on either side of it.
    const double top = *u.speedAtMaxBrakePower;
    EXPECT_GE(*u.maxBrakePower, BrakeAt(k, 0.95 * top));
    EXPECT_GE(*u.maxBrakePower, BrakeAt(k, 1.05 * top));
    if (u.noLoadSpeed) {
        EXPECT_NEAR(BrakeAt(k, *u.noLoadSpeed), 0, 1e-6 * *u.maxBrakePower);
    }
}

TEST(UnderLoad, MinimumHotTemperatureBracketsASignChangeOfMaximumBrakePower) {
    const Lossy k = LossyKestmore();
    const std::optional<double> t = MinHotTemp(k.params, k.design);
    ASSERT_TRUE(t);
    EXPECT_GT(*t, k.params.ColdTemp);
    EXPECT_LT(*t, k.params.HotTemp);
    const auto maxBrake = [&](double hot) {
        Lossy at = k;
        at.params.HotTemp = hot;
        return SearchUnderLoad(at.params, at.design).maxBrakePower.value_or(-1);
    };
    EXPECT_GT(maxBrake(*t), 0);
    EXPECT_LE(maxBrake(*t - 0.1), 0);
}

// With heater and cooler conductances each run of the search starts its fixed point from a
// nearby speed's solution; the figures must be those of runs started from the wall
// temperatures, to the fixed point's tolerance.
TEST(UnderLoad, WarmStartedRunsGiveTheFiguresOfRunsStartedFromTheWalls) {
    Lossy k = LossyKestmore();
    k.design.losses.heaterConductance = 150;
    k.design.losses.coolerConductance = 150;
    const double speed = k.params.EngineSpeed;
    const LossyRun cold = RunLossyCycle(k.params, k.design, speed);
    ASSERT_TRUE(cold.settled);
    GasTemperatureStart start;
    RunLossyCycle(k.params, k.design, 0.8 * speed, &start);
    ASSERT_TRUE(start.known);
    const LossyRun warm = RunLossyCycle(k.params, k.design, speed, &start);
    ASSERT_TRUE(warm.settled);
    EXPECT_NEAR(warm.hotGasTemp, cold.hotGasTemp, 1e-8 * cold.hotGasTemp);
    EXPECT_NEAR(warm.coldGasTemp, cold.coldGasTemp, 1e-8 * cold.coldGasTemp);
    EXPECT_NEAR(warm.brakePower, cold.brakePower, 1e-6 * cold.brakePower);
    EXPECT_NEAR(start.hot, warm.hotGasTemp, 0);

    const UnderLoad u = SearchUnderLoad(k.params, k.design);
    ASSERT_TRUE(u.runningSpeed && u.maxBrakePower && u.speedAtMaxBrakePower);
    EXPECT_NEAR(BrakeAt(k, *u.runningSpeed) / *u.runningSpeed, 50, 1e-4 * 50);
    const double top = *u.speedAtMaxBrakePower;
    EXPECT_GE(*u.maxBrakePower, BrakeAt(k, 0.97 * top));
    EXPECT_GE(*u.maxBrakePower, BrakeAt(k, 1.03 * top));
    const std::optional<double> t = MinHotTemp(k.params, k.design);
    ASSERT_TRUE(t);
    const auto maxBrake = [&](double hot) {
        Lossy at = k;
        at.params.HotTemp = hot;
        return SearchUnderLoad(at.params, at.design).maxBrakePower.value_or(-1);
    };
    EXPECT_GT(maxBrake(*t), 0);
    EXPECT_LE(maxBrake(*t - 0.1), 0);
}

}  // namespace
}  // namespace velmora
