#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "report/unit_text.h"
#include "simulation/accurate_cycle.h"
#include "simulation/energy_balance.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

double Rpm(double rpm) {
    return rpm * std::numbers::pi / 30;
}

AccurateSpeedRun RunAt(const ParameterSet& p, double rpm) {
    return RunAccurateCycleAt(p, AccurateCycleOptions{}, Rpm(rpm));
}

ParameterSet Large() {
    return test::ComputedParameters(test::LargeEngineControls());
}
ParameterSet Small() {
    return test::ComputedParameters(test::SmallEngineControls());
}

// Designs whose displacer is pushed back towards the middle: a spring stiffer than the gas
// push, or hot and cold swapped (tau + rho > 1). Turned slowly they must not flip from stop to
// stop; they settle and give about no work, or take work in.
TEST(AccurateEnergy, CentredDisplacersSettleWithoutFlipping) {
    for (const ParameterSet& base : {Large(), Small()}) {
        const double normal = RunAt(base, 10).energy.indicatedWork;
        ParameterSet stiff = base;
        stiff.SpringConstant = 3 * base.NeutralSpringConstant;
        ParameterSet swapped = base;
        std::swap(swapped.HotTemp, swapped.ColdTemp);
        for (const ParameterSet& p : {stiff, swapped}) {
            for (double rpm : {1.0, 10.0}) {
                SCOPED_TRACE(rpm);
                const AccurateSpeedRun run = RunAt(p, rpm);
                EXPECT_TRUE(run.settled);
                EXPECT_LE(run.events.size(), 4u);  // at most one visit to each stop
                const double limit = (rpm < 5 ? 1e-3 : 1e-2) * normal;
                EXPECT_LT(run.energy.indicatedWork, limit);
                EXPECT_LT(run.energy.shaftWork, limit);
            }
        }
    }
}

// A displacer pushed towards the middle (hot and cold swapped) that never reaches a stop swings
// freely on top of the motion the crank forces, and undamped that swing would never die out.
// The settled cycle is the forced motion alone: with a short piston stroke the forcing is
// small and the motion nearly linear, x = X sin(theta) with X = F1 / (K - m omega^2), where
// K = A_r M R a / D0^2 is the gas's stiffness about mid-stroke and F1 = -A_r M R b / D0^2 the
// force per unit of sin(theta) (doc/physics.md, section 1).
TEST(AccurateEnergy, FreeSwingSettlesOnTheForcedMotion) {
    ParameterSet p = Large();
    std::swap(p.HotTemp, p.ColdTemp);
    p.PistonHalfStroke *= 0.05;
    const double MR = AccurateGasMass(p) * kGasConstant;
    const double D0 = MR / p.MeanEnginePressure;
    const double a = p.DispArea / p.HotTemp - (p.DispArea - p.DispRodArea) / p.ColdTemp;
    const double b = p.PistonArea * p.PistonHalfStroke / p.ColdTemp;
    const double stiffness = p.DispRodArea * MR * a / (D0 * D0);
    const double forcing = -p.DispRodArea * MR * b / (D0 * D0);
    ASSERT_GT(stiffness, 0);
    for (double rpm : {100.0, 1000.0, 3000.0}) {
        SCOPED_TRACE(rpm);
        const double omega = Rpm(rpm);
        const double amplitude = forcing / (stiffness - p.DispMass * omega * omega);
        ASSERT_LT(std::abs(amplitude), 0.5 * p.DispHalfStroke);
        const AccurateSpeedRun run = RunAt(p, rpm);
        ASSERT_TRUE(run.settled);
        EXPECT_EQ(run.revolutionsPerPeriod, 1);
        EXPECT_TRUE(run.events.empty());
        ASSERT_EQ(run.samples.size(), 360u);
        for (int degree = 0; degree < 360; degree += 15) {
            const double expected = amplitude * std::sin(degree * std::numbers::pi / 180);
            EXPECT_NEAR(run.samples[degree].dispPos, expected, 0.03 * std::abs(amplitude))
                << degree;
        }
    }
}

// Equal temperatures: the gas does no net work (the cyclic integral of p dV / T vanishes);
// what the displacer loses at the stops comes out of the crank. Swapped temperatures: the
// crank drives the gas.
TEST(AccurateEnergy, SignsOfWork) {
    for (const ParameterSet& base : {Large(), Small()}) {
        ParameterSet equal = base;
        equal.HotTemp = equal.DeadSpaceTemp = base.ColdTemp;
        ParameterSet swapped = base;
        std::swap(swapped.HotTemp, swapped.ColdTemp);
        for (double rpm : {1.0, 1000.0}) {
            SCOPED_TRACE(rpm);
            const double normal = RunAt(base, rpm).energy.indicatedWork;
            const AccurateSpeedRun run = RunAt(equal, rpm);
            EXPECT_TRUE(run.settled);
            EXPECT_LT(std::abs(run.energy.indicatedWork), 1e-3 * normal);
            EXPECT_LE(run.energy.shaftWork, 1e-9 * normal);
            EXPECT_NEAR(run.energy.shaftWork, -run.energy.rodWork, 1e-3 * normal);
        }
        const AccurateSpeedRun reverse = RunAt(swapped, 1000);
        EXPECT_LT(reverse.energy.shaftWork, 0);
        EXPECT_LT(reverse.energy.shaftPower, 0);
    }
}

// Some random engine of plausible proportions: the analysis's areas with the true pi.
ParameterSet RandomEngine(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(0, 1);
    const auto between = [&](double a, double b) { return a + (b - a) * u(rng); };
    ParameterSet p;
    p.DispRadius = between(0.005, 0.1);
    p.DispHalfStroke = between(0.003, 0.08);
    p.DispMass = between(0.002, 2);
    p.DispRodRadius = p.DispRadius * between(0.05, 0.5);
    p.PistonRadius = p.DispRadius * between(0.4, 1.2);
    p.PistonHalfStroke = p.DispHalfStroke * between(0.3, 2);
    p.HotTemp = between(400, 1200);
    p.ColdTemp = between(250, 400);
    p.DeadSpaceTemp = between(p.ColdTemp, p.HotTemp);
    p.MeanEnginePressure = between(1e5, 5e6);
    p.EngineSpeed = Rpm(between(50, 3000));
    p.DispArea = std::numbers::pi * p.DispRadius * p.DispRadius;
    p.DispRodArea = std::numbers::pi * p.DispRodRadius * p.DispRodRadius;
    p.PistonArea = std::numbers::pi * p.PistonRadius * p.PistonRadius;
    p.DeadSpaceVol = p.DispArea * p.DispHalfStroke * between(0.2, 3);
    if (u(rng) < 0.3) {
        p.SpringConstant = between(0, 2) * p.DispRodArea * p.MeanEnginePressure / p.DispHalfStroke;
        p.SpringCenter = p.DispHalfStroke * between(-0.5, 0.5);
    }
    return p;
}

// p V over the swept volumes of displacer and piston: the scale of the work per revolution.
double SweptPV(const ParameterSet& p) {
    return p.MeanEnginePressure * 2 *
           (p.DispArea * p.DispHalfStroke + p.PistonArea * p.PistonHalfStroke);
}

// First law to 1e-6, Carnot never exceeded, and the rod's work is what the stops take.
TEST(AccurateEnergy, BalanceClosesOnRandomEngines) {
    std::mt19937 rng(20);
    int settled = 0;
    int measurable = 0;
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const ParameterSet p = RandomEngine(rng);
        AccurateCycleOptions options;
        options.gravity = i % 2 == 1;
        options.maxSteps = 200000;
        const AccurateSpeedRun run = RunAccurateCycleAt(p, options, p.EngineSpeed);
        ASSERT_NE(run.outcome, AccurateOutcome::MissingInput);
        const CycleEnergy& e = run.energy;
        // First law: to 1e-6 of the work; a cycle of next to no work (a free swing's forced
        // motion does almost none) to 1e-6 of the least measurable work, 1e-5 p V.
        const double imbalance = std::abs(e.balanceResidual * e.indicatedWork);
        EXPECT_LT(imbalance, 1e-6 * std::max(std::abs(e.indicatedWork), 1e-5 * SweptPV(p)));
        EXPECT_LE(e.efficiency, e.carnot + 1e-9);
        // Unsettled runs: a displacer thrown from stop to stop whose arrivals never repeat, or
        // a free swing whose forced motion is unstable; the engine does next to no work.
        if (!run.settled) {
            EXPECT_LT(std::abs(e.indicatedWork), 1e-2 * SweptPV(p));
            EXPECT_EQ(e.efficiency, 0);
            continue;
        }
        ++settled;
        if (std::abs(e.indicatedWork) < 1e-5 * SweptPV(p)) continue;  // no measurable work
        ++measurable;
        // The second law's sum of heat / temperature vanishes for a closed isothermal cycle:
        // what is left of it measures the integration's error, as a fraction of p V.
        EXPECT_LT(std::abs(e.entropyResidual * e.heatIn) / SweptPV(p), 1e-6);
        const double scale = std::max(std::abs(e.indicatedWork), std::abs(e.rodWork));
        EXPECT_NEAR(e.rodWork, run.impactLoss, 1e-5 * scale + 1e-12);
    }
    EXPECT_GE(settled, 290);
    EXPECT_GE(measurable, 150);
}

// The one-degree model's recorded revolution, integrated by the same rules: its rod takes
// rho / (1 - tau) of the indicated work, as in every closed isothermal cycle, and its work is
// near the accurate one (its gas charge ignores the rod, so it is somewhat higher).
TEST(AccurateEnergy, SpecifiedModelRecordedCycle) {
    test::CountingSession session;
    session.State = test::LargeEngineControls();
    session.Compute(true, false);
    const ParameterSet& p = session.Driver.Params;
    CycleIntegrals c;
    ASSERT_TRUE(IntegrateRecordedCycle(session.Sim, p, c));
    const CycleEnergy e = EnergyOfCycle(c, p, p.EngineSpeed);
    EXPECT_NEAR(e.rodWork / e.indicatedWork, p.Rho / (1 - p.Tau), 1e-3);
    EXPECT_NEAR(e.balanceResidual, 0, 1e-9);
    const double accurate = RunAt(p, 1000).energy.indicatedWork;
    EXPECT_GT(e.indicatedWork, accurate);
    EXPECT_LT(e.indicatedWork, 1.1 * accurate);

    SimulationState empty;
    EXPECT_FALSE(IntegrateRecordedCycle(empty, p, c));
}

}  // namespace
}  // namespace velmora
