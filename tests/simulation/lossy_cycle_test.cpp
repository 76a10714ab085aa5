#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "form/design_form.h"
#include "report/unit_text.h"
#include "simulation/accurate_cycle.h"
#include "simulation/engine.h"
#include "simulation/engine_fixtures.h"
#include "simulation/lossy_energy.h"

namespace velmora {
namespace {

using test::ComputedParameters;
using test::LargeEngineControls;

using Lossy = test::AnalysedDesign;

Lossy Kestmore() {
    return test::AnalysedLargeEngine();
}

// The rod work the gas does on the displacer is what the viscous forces and the stops take:
// the force integration and the energy bookkeeping are two methods for one number.
TEST(LossyCycle, RodWorkIsDissipatedByFrictionAndImpacts) {
    const Lossy k = Kestmore();
    for (const double restitution : {0.0, 0.3}) {
        AccurateCycleOptions options;
        options.damping = 40;
        options.restitution = restitution;
        const AccurateSpeedRun run = RunAccurateCycleAt(k.params, options, k.params.EngineSpeed);
        ASSERT_TRUE(run.settled) << restitution;
        EXPECT_GT(run.dissipation, 0);
        EXPECT_NEAR(run.energy.rodWork, run.dissipation + run.impactLoss,
                    1e-6 * std::abs(run.energy.rodWork))
            << restitution;
    }
}

TEST(LossyCycle, EffectivenessOneGivesBrakeEqualToShaft) {
    Lossy k = Kestmore();
    k.design.losses.given = true;
    const LossyRun run = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(run.settled);
    EXPECT_EQ(run.brakePower, run.shaftPower);
    EXPECT_EQ(run.mechanismLoss, 0);
    k.design.losses.mechanismEffectiveness = 0.8;
    const LossyRun lossy = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    // E W - (1/E - E) W_forced, by hand from the run's own shaft and forced work.
    const double f = k.params.EngineSpeed / (2 * std::numbers::pi);
    EXPECT_NEAR(lossy.brakePower, 0.8 * lossy.shaftPower - (1 / 0.8 - 0.8) * lossy.forcedWork * f,
                1e-9 * lossy.shaftPower);
    EXPECT_LT(lossy.brakePower, run.brakePower);
    EXPECT_GT(lossy.forcedWork, 0);
}

TEST(LossyCycle, ConductionAndShuttleFollowTheirFormulas) {
    Lossy k = Kestmore();
    LossInputs& l = k.design.losses;
    l.staticConductance = 0.05;
    l.annulusGap = 0.001;
    l.displacerLength = 0.12;
    const LossyRun run = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(run.settled);
    const double dT = k.params.HotTemp - k.params.ColdTemp;  // 923 K - 315 K (C + 273)
    EXPECT_DOUBLE_EQ(run.conductionLoss, 0.05 * dT);
    // Air at the mean of 923 K and 315 K = 619 K, by Sutherland's law written out:
    // mu = 1.716e-5 (619/273.15)^1.5 (383.55/729.4), k = mu 1005/0.707;
    // (pi/8) k (0.126 m)^2 (0.1272 m) 608 K / (0.001 m 0.12 m).
    const double mu = 1.716e-5 * std::pow(619.0 / 273.15, 1.5) * 383.55 / 729.4;
    const double kGas = mu * 1005 / 0.707;
    EXPECT_NEAR(run.shuttleLoss,
                std::numbers::pi / 8 * kGas * 0.126 * 0.126 * 0.1272 * dT / (0.001 * 0.12),
                1e-9 * run.shuttleLoss);
    EXPECT_NEAR(run.heatInTotal, run.gasHeatIn + run.conductionLoss + run.shuttleLoss,
                1e-9 * run.heatInTotal);
}

TEST(LossyCycle, VeryLargeConductancesMeetTheIsothermalFigures) {
    Lossy k = Kestmore();
    const LossyRun ideal = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    k.design.losses.heaterConductance = 1e9;
    k.design.losses.coolerConductance = 1e9;
    const LossyRun stiff = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(stiff.settled);
    EXPECT_NEAR(stiff.hotGasTemp, k.params.HotTemp, 1e-3);
    EXPECT_NEAR(stiff.coldGasTemp, k.params.ColdTemp, 1e-3);
    EXPECT_NEAR(stiff.shaftPower, ideal.shaftPower, 1e-5 * std::abs(ideal.shaftPower));
    // Finite ones narrow the gas temperatures and so the work.
    k.design.losses.heaterConductance = 200;
    k.design.losses.coolerConductance = 200;
    const LossyRun finite = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(finite.settled);
    EXPECT_LT(finite.hotGasTemp, k.params.HotTemp);
    EXPECT_GT(finite.coldGasTemp, k.params.ColdTemp);
    EXPECT_LT(finite.shaftPower, ideal.shaftPower);
}

TEST(LossyCycle, SwappedTemperaturesSettleWithAnnulusFrictionAndGiveNegativeShaftPower) {
    ControlState c = LargeEngineControls();
    std::swap(c.EditHotTemp, c.EditColdTemp);
    Lossy k{ComputedParameters(c), ReadDesign(c).design};
    const AccurateSpeedRun ideal = RunAccurateCycleAt(k.params, {}, k.params.EngineSpeed);
    EXPECT_FALSE(ideal.settled);
    k.design.losses.annulusGap = 0.0005;
    k.design.losses.displacerLength = 0.12;
    const LossyRun run = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    EXPECT_TRUE(run.settled);
    EXPECT_LT(run.shaftPower, 0);
}

TEST(LossyCycle, MoreFrictionNeverRaisesBrakePower) {
    // The mechanism's friction: a lower effectiveness never raises the brake power.
    Lossy k = Kestmore();
    double last = INFINITY;
    for (const double e : {1.0, 0.95, 0.85, 0.7, 0.5}) {
        k.design.losses.mechanismEffectiveness = e;
        const LossyRun run = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
        ASSERT_TRUE(run.settled) << e;
        EXPECT_LE(run.brakePower, last) << e;
        last = run.brakePower;
    }
}

// A displacer on a stiff spring whose piston barely moves swings clear of its stops: the
// nonlinear run must meet the linear forced response X = F1 / sqrt((K - m w^2)^2 + (c w)^2),
// K and F1 the slopes of the force in x and in sin(crank angle) at mid-stroke.
TEST(LossyCycle, DampingMeetsTheLinearForcedResponse) {
    ParameterSet p;
    p.DispArea = 0.01;
    p.DispRodArea = 1e-4;
    p.PistonArea = 0.002;
    p.DispHalfStroke = 0.05;
    p.PistonHalfStroke = 1e-4;
    p.DeadSpaceVol = 1e-3;
    p.HotTemp = 600;
    p.ColdTemp = 300;
    p.DeadSpaceTemp = 450;
    p.DispMass = 0.5;
    p.SpringConstant = 2000;
    p.MeanEnginePressure = 1e5;
    const double w = 30;
    const Engine e = EngineOf(p, false, w, AccurateGasMass(p) * kGasConstant);
    const double d = 1e-7;
    const auto force = [&](double x, double s) { return e.Force(x, e.Pressure(x, s)); };
    const double stiffness = -(force(d, 0) - force(-d, 0)) / (2 * d);
    const double forcing = (force(0, d) - force(0, -d)) / (2 * d);
    for (const double c : {5.0, 20.0, 60.0}) {
        AccurateCycleOptions options;
        options.damping = c;
        const AccurateSpeedRun run = RunAccurateCycleAt(p, options, w);
        ASSERT_TRUE(run.settled) << c;
        ASSERT_TRUE(run.events.empty()) << c;
        double low = INFINITY, high = -INFINITY;
        for (const AccurateSample& sample : run.samples) {
            low = std::min(low, sample.dispPos);
            high = std::max(high, sample.dispPos);
        }
        const double expected =
            std::abs(forcing) / std::hypot(stiffness - p.DispMass * w * w, c * w);
        EXPECT_NEAR(0.5 * (high - low), expected, 1e-3 * expected) << c;
    }
}

TEST(LossyCycle, BrakeEfficiencyChangesWithSpeedOnceALossIsOn) {
    Lossy k = Kestmore();
    k.design.losses.mechanismEffectiveness = 0.9;
    const LossyRun slow = RunLossyCycle(k.params, k.design, 0.5 * k.params.EngineSpeed);
    const LossyRun fast = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(slow.settled && fast.settled);
    EXPECT_GT(std::abs(slow.brakeEfficiency - fast.brakeEfficiency), 1e-3);
}

}  // namespace
}  // namespace velmora
