#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "form/design_form.h"
#include "report/unit_text.h"
#include "simulation/accurate_cycle.h"
#include "simulation/accurate_revolution.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

// The gas charge puts the typed mean pressure at mid-stroke with the rod's volume counted;
// the analysis's charge, which leaves the rod out, is 2.1% (large) and 5.8% (small) above it.
TEST(AccurateRun, GasChargeCountsTheRod) {
    for (const auto& [controls, excess] : {std::pair{test::LargeEngineControls(), 0.021},
                                           std::pair{test::SmallEngineControls(), 0.058}}) {
        const ParameterSet p = test::ComputedParameters(controls);
        const double midStrokeVolumeOverT =
            p.DispArea * p.DispHalfStroke / p.HotTemp +
            ((p.DispArea - p.DispRodArea) * p.DispHalfStroke + p.PistonArea * p.PistonHalfStroke) /
                p.ColdTemp +
            p.DeadSpaceVol / p.DeadSpaceTemp;
        const double charge = AccurateGasMass(p);
        EXPECT_NEAR(charge * kGasConstant / midStrokeVolumeOverT, p.MeanEnginePressure,
                    1e-12 * p.MeanEnginePressure);
        EXPECT_NEAR(p.GasMass / charge - 1, excess, 0.0005);
    }
}

// The one-degree samples of the settled cycle: consistent with the gas law and the stops, and
// their p dV loop (trapezoids over one-degree steps) near the integrated work.
TEST(AccurateRun, SamplesOfTheSettledCycle) {
    const ParameterSet p = test::ComputedParameters(test::LargeEngineControls());
    const AccurateCycleResult r = RunAccurateCycle(p);
    ASSERT_TRUE(r.atSpeed.settled);
    const std::vector<AccurateSample>& s = r.atSpeed.samples;
    ASSERT_EQ(s.size(), 360u);
    const double MR = r.gasMass * kGasConstant;
    double loop = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].angleDeg, static_cast<double>(i));
        EXPECT_LE(std::abs(s[i].dispPos), p.DispHalfStroke);
        const double volumeOverT = s[i].hotVolume / p.HotTemp + s[i].coldVolume / p.ColdTemp +
                                   p.DeadSpaceVol / p.DeadSpaceTemp;
        EXPECT_NEAR(s[i].pressure * volumeOverT, MR, 1e-12 * MR);
        if (std::abs(s[i].dispPos) == p.DispHalfStroke) {
            EXPECT_EQ(s[i].dispVelocity, 0);
        }
        const AccurateSample& next = s[(i + 1) % s.size()];
        loop += 0.5 * (s[i].pressure + next.pressure) * (next.totalVolume - s[i].totalVolume);
    }
    EXPECT_NEAR(loop, r.atSpeed.energy.indicatedWork, 0.02 * r.atSpeed.energy.indicatedWork);
}

// The settled revolution as one-degree steps of the twelve graphable quantities: in free
// flight the force column is mass times acceleration (the spring, weight and rod terms with
// the one-degree model's signs), and at a stop the force holds the displacer against it.
TEST(AccurateRun, RevolutionStepsOfADesign) {
    ControlState controls = test::LargeEngineControls();
    controls.GravityCB = true;
    controls.EditSpringConstant.text = "2000";
    controls.EditSpringCenter.text = "10";
    const ParameterSet p = test::ComputedParameters(controls);
    const AccurateRevolution revolution = AccurateRevolutionOf(ReadDesign(controls).design);
    ASSERT_EQ(revolution.outcome, AccurateOutcome::Settled);
    ASSERT_EQ(revolution.steps.size(), 360u);
    int free = 0, resting = 0;
    for (const StepValues& step : revolution.steps) {
        EXPECT_NEAR(step.rodPressure, step.pressure - step.meanPressure, 1e-9 * step.pressure);
        if (std::abs(step.dispPos) < p.DispHalfStroke) {
            ++free;
            EXPECT_NEAR(step.netForce, p.DispMass * step.acceleration,
                        1e-6 * std::abs(step.netForce) + 1e-9);
        } else {
            ++resting;
            EXPECT_EQ(step.velocity, 0);
            EXPECT_GE(step.netForce * step.dispPos, 0);  // pushed into the stop
        }
    }
    EXPECT_GT(free, 20);
    EXPECT_GT(resting, 20);
    // The spring: zero force at its centre, pulling back towards it.
    EXPECT_LT(revolution.steps[0].springForce * (revolution.steps[0].dispPos - p.SpringCenter), 0);
}

// Omega Bar gets a run of its own. There the large engine's displacer repeats its motion
// only every 9 revolutions, the small one's every 4; the figures are means over that period.
TEST(AccurateRun, RunAtOmegaBar) {
    for (const auto& [controls, revolutions] :
         {std::pair{test::LargeEngineControls(), 9}, std::pair{test::SmallEngineControls(), 4}}) {
        const ParameterSet p = test::ComputedParameters(controls);
        const AccurateCycleResult r = RunAccurateCycle(p);
        ASSERT_TRUE(r.omegaBarRun);
        EXPECT_TRUE(r.settled);
        EXPECT_EQ(r.atOmegaBar.speed, p.OmegaBar);
        EXPECT_EQ(r.atOmegaBar.revolutionsPerPeriod, revolutions);
        EXPECT_TRUE(r.atOmegaBar.samples.empty());
        const CycleEnergy& e = r.atOmegaBar.energy;
        EXPECT_NEAR(e.shaftPower, e.shaftWork * p.OmegaBar / (2 * std::numbers::pi),
                    1e-9 * std::abs(e.shaftPower));
        EXPECT_NEAR(e.rodWork, r.atOmegaBar.impactLoss, 1e-5 * e.indicatedWork);
    }
}

// The outer side of the rod at the cycle's average pressure.
TEST(AccurateRun, PressureEqualization) {
    const ParameterSet p = test::ComputedParameters(test::LargeEngineControls());
    AccurateCycleOptions options;
    options.pressureEqualization = true;
    const AccurateSpeedRun run = RunAccurateCycleAt(p, options, p.EngineSpeed);
    ASSERT_TRUE(run.settled);
    EXPECT_NEAR(run.bufferPressure, 5.0288e6, 1e3);  // the typed 50 atm, settled
    double average = 0;
    for (const AccurateSample& s : run.samples) average += s.pressure / 360;
    EXPECT_NEAR(run.bufferPressure, average, 2e-3 * average);
    EXPECT_NE(run.bufferPressure, p.MeanEnginePressure);
    EXPECT_NEAR(run.energy.balanceResidual, 0, 1e-6);
    EXPECT_NEAR(run.energy.rodWork, run.impactLoss, 1e-5 * run.energy.indicatedWork);
}

// Limits end a run with its reason, never a hang; missing inputs compute nothing.
TEST(AccurateRun, LimitsAndMissingInputs) {
    const ParameterSet p = test::ComputedParameters(test::LargeEngineControls());
    AccurateCycleOptions options;
    options.maxSteps = 20;
    AccurateSpeedRun run = RunAccurateCycleAt(p, options, p.EngineSpeed);
    EXPECT_EQ(run.outcome, AccurateOutcome::StepLimit);
    EXPECT_FALSE(run.settled);
    options = {};
    options.maxCycles = 1;
    run = RunAccurateCycleAt(p, options, p.EngineSpeed);
    EXPECT_EQ(run.outcome, AccurateOutcome::CycleLimit);
    EXPECT_FALSE(run.settled);
    EXPECT_EQ(run.energy.efficiency, 0);

    const auto missing = [&](auto change) {
        ParameterSet q = p;
        change(q);
        const AccurateCycleResult r = RunAccurateCycle(q);
        EXPECT_EQ(r.atSpeed.outcome, AccurateOutcome::MissingInput);
        EXPECT_FALSE(r.settled);
    };
    missing([](ParameterSet& q) { q.EngineSpeed = 0; });
    missing([](ParameterSet& q) { q.DispMass = 0; });
    missing([](ParameterSet& q) { q.HotTemp = 0; });
    missing([](ParameterSet& q) { q.MeanEnginePressure = 0; });
    missing([](ParameterSet& q) { q.DispRodArea = q.DispArea; });
    missing([](ParameterSet& q) { q.DispHalfStroke = 0; });
    missing([](ParameterSet& q) { q.SpringCenter = std::nan(""); });
    // Absurd but finite values end as well.
    ParameterSet stiff = p;
    stiff.SpringConstant = 1e15;
    options = {};
    options.maxSteps = 100000;
    EXPECT_NE(RunAccurateCycleAt(stiff, options, p.EngineSpeed).outcome,
              AccurateOutcome::MissingInput);
}

}  // namespace
}  // namespace velmora
