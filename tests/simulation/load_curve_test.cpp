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
    if (u.noLoadSpeed) EXPECT_NEAR(BrakeAt(k, *u.noLoadSpeed), 0, 1e-6 * *u.maxBrakePower);
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

}  // namespace
}  // namespace velmora
