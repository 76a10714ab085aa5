// Brake power and torque over speed: without losses the accurate model's shaft power, under a
// load a running point whose torque is the load's, between grid points that bracket it.
#include "simulation/brake_speed_curve.h"

#include <gtest/gtest.h>

#include "simulation/design_energy.h"
#include "simulation/engine_fixtures.h"
#include "simulation/load_curve.h"

namespace velmora {
namespace {

TEST(BrakeSpeedCurve, TheAnalysedParametersAreTheComputeRunsOnes) {
    const test::AnalysedDesign k = test::AnalysedLargeEngine();
    const ParameterSet analysed = AnalysedForLosses(k.design);
    EXPECT_EQ(analysed.EngineSpeed, k.params.EngineSpeed);
    EXPECT_EQ(analysed.HotTemp, k.params.HotTemp);
    EXPECT_EQ(analysed.MeanEnginePressure, k.params.MeanEnginePressure);
    EXPECT_EQ(analysed.OmegaBar, k.params.OmegaBar);

    // Without a displacer mass no speed settles: an empty curve, not made-up points.
    ControlState missing = test::LargeEngineControls();
    missing.EditDispMass.text = "";
    const Design design = ReadDesign(missing).design;
    const BrakeSpeedCurve curve =
        BrakeCurveOf(AnalysedForLosses(design), design, 0, analysed.EngineSpeed);
    EXPECT_TRUE(curve.points.empty());
    EXPECT_FALSE(curve.running);
}

TEST(BrakeSpeedCurve, WithoutLossesTheBrakePowerIsTheAccurateShaftPower) {
    const test::AnalysedDesign k = test::AnalysedLargeEngine();
    const double speed = k.params.EngineSpeed;
    // Two points, the last at the engine speed itself.
    const BrakeSpeedCurve curve = BrakeCurveOf(k.params, k.design, speed, std::nullopt, 2);
    ASSERT_EQ(curve.points.size(), 2u);
    EXPECT_NEAR(curve.points[0].speed, 0.02 * speed, 1e-12 * speed);
    const DesignEnergy accurate = AccurateEnergy(k.params, k.design, false);
    ASSERT_TRUE(accurate.atSpeed);
    EXPECT_NEAR(curve.points[1].brakePower, accurate.atSpeed->shaftPower,
                1e-9 * accurate.atSpeed->shaftPower);
    EXPECT_NEAR(curve.points[1].brakeTorque * curve.points[1].speed, curve.points[1].brakePower,
                1e-9 * curve.points[1].brakePower);
    EXPECT_EQ(curve.loadTorque, 0);
    EXPECT_FALSE(curve.running);
}

TEST(BrakeSpeedCurve, TheRunningPointsTorqueIsTheLoadBetweenPointsThatBracketIt) {
    test::AnalysedDesign k = test::AnalysedLargeEngine();
    LossInputs& l = k.design.losses;
    l.given = true;
    l.annulusGap = 0.0005;
    l.displacerLength = 0.12;
    l.mechanismEffectiveness = 0.85;
    l.loadTorque = 50;
    const UnderLoad u = SearchUnderLoad(k.params, k.design);
    ASSERT_TRUE(u.runningSpeed && u.noLoadSpeed);
    const BrakeSpeedCurve curve =
        BrakeCurveOf(k.params, k.design, 1.25 * *u.noLoadSpeed, u.runningSpeed);
    EXPECT_EQ(curve.loadTorque, 50);
    ASSERT_TRUE(curve.running);
    EXPECT_NEAR(curve.running->brakeTorque, 50, 1e-3);
    EXPECT_NEAR(curve.running->speed, *u.runningSpeed, 0);
    // On the grid, the torque falls through the load on either side of the running speed.
    int bracketing = 0;
    for (std::size_t i = 0; i + 1 < curve.points.size(); ++i) {
        const BrakeSpeedPoint& a = curve.points[i];
        const BrakeSpeedPoint& b = curve.points[i + 1];
        if (a.brakeTorque > 50 && b.brakeTorque <= 50) {
            ++bracketing;
            EXPECT_GT(curve.running->speed, a.speed);
            EXPECT_LT(curve.running->speed, b.speed);
        }
    }
    EXPECT_EQ(bracketing, 1);
    // The curve runs past the no-load speed, where the brake power has turned negative.
    EXPECT_LT(curve.points.back().brakePower, 0);
}

}  // namespace
}  // namespace velmora
