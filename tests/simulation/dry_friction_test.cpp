// The rod guide's dry (Coulomb) friction in the displacer's motion: the force that just holds
// the displacer against the gas, worked out by hand from the gas law; the work balance of a
// moving displacer by two methods; and what more friction does to the brake power.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "simulation/accurate_cycle.h"
#include "simulation/engine_fixtures.h"
#include "simulation/lossy_energy.h"

namespace velmora {
namespace {

// A displacer centred by its spring (centre 0, no weight), so that the forces balance at
// mid-stroke with the crank at 0, where the pressure is the mean (buffer) pressure.
ParameterSet CentredEngine() {
    ParameterSet p;
    p.DispArea = 0.01;
    p.DispRodArea = 1e-4;
    p.PistonArea = 0.002;
    p.DispHalfStroke = 0.05;
    p.PistonHalfStroke = 0.01;
    p.DeadSpaceVol = 1e-3;
    p.HotTemp = 600;
    p.ColdTemp = 300;
    p.DeadSpaceTemp = 450;
    p.DispMass = 0.5;
    p.SpringConstant = 2000;
    p.MeanEnginePressure = 1e5;
    return p;
}

// The largest gas force on the displacer held at mid-stroke over a revolution, by hand: with
// the displacer still only the piston changes sum(V/T), by a s (a = A_p h_p / T_c, s the sine of
// the crank angle), so p = p_m D0 / (D0 + a s) and F = A_r (p - p_m); its largest size is at
// s = -1: A_r p_m a / (D0 - a).
double HoldingForce(const ParameterSet& p) {
    const double a = p.PistonArea * p.PistonHalfStroke / p.ColdTemp;
    const double d0 = p.DispArea * p.DispHalfStroke / p.HotTemp +
                      (p.DispArea - p.DispRodArea) * p.DispHalfStroke / p.ColdTemp +
                      p.PistonArea * p.PistonHalfStroke / p.ColdTemp +
                      p.DeadSpaceVol / p.DeadSpaceTemp;
    return p.DispRodArea * p.MeanEnginePressure * a / (d0 - a);
}

double Travel(const AccurateSpeedRun& run) {
    double low = INFINITY, high = -INFINITY;
    for (const AccurateSample& s : run.samples) {
        low = std::min(low, s.dispPos);
        high = std::max(high, s.dispPos);
    }
    return high - low;
}

TEST(DryFriction, AForceJustAboveTheGasForceHoldsTheDisplacerAllTheRevolution) {
    const ParameterSet p = CentredEngine();
    const double held = HoldingForce(p);  // 0.1424 N for these numbers
    ASSERT_GT(held, 0.1);
    ASSERT_LT(held, 0.2);
    AccurateCycleOptions options;
    options.dryFriction = held * (1 + 1e-6);
    const AccurateSpeedRun still = RunAccurateCycleAt(p, options, 30);
    ASSERT_TRUE(still.settled);
    EXPECT_FALSE(still.displacerMoves);
    EXPECT_EQ(Travel(still), 0);
    EXPECT_EQ(still.dissipation, 0);
    // Held, it does no rod work and the piston alone works a closed, reversible cycle.
    EXPECT_NEAR(still.energy.rodWork, 0, 1e-12);
    EXPECT_NEAR(still.energy.shaftWork, 0, 1e-9);
    // Just below the force it breaks free: only near s = -1 (270 degrees), where the gas force
    // peaks, so it leaves there in the first revolution.
    options.dryFriction = held * (1 - 1e-3);
    options.maxCycles = 1;
    const AccurateSpeedRun first = RunAccurateCycleAt(p, options, 30);
    const auto unsticks =
        std::find_if(first.events.begin(), first.events.end(),
                     [](const StopEvent& e) { return e.kind == StopEventKind::Unsticks; });
    ASSERT_NE(unsticks, first.events.end());
    // |F| exceeds F_c only where s is within about 1e-3 of -1, i.e. within acos(1 - 1e-3) =
    // 2.6 degrees of 270; it breaks free on the way in, as the pressure rises.
    EXPECT_GT(unsticks->angleDeg, 270 - 2.6);
    EXPECT_LT(unsticks->angleDeg, 270);
}

// Half the holding force is exceeded both ways each revolution: the displacer slips up and
// down, sticking between. The friction's work is F_c times the distance travelled (counted
// flight by flight) and also the integral of F_c |v| dt along the integration.
TEST(DryFriction, TheFrictionsWorkIsCountedTwoWays) {
    const ParameterSet p = CentredEngine();
    AccurateCycleOptions options;
    options.dryFriction = 0.5 * HoldingForce(p);
    const AccurateSpeedRun run = RunAccurateCycleAt(p, options, 30);
    ASSERT_TRUE(run.settled);
    EXPECT_TRUE(run.displacerMoves);
    EXPECT_GT(Travel(run), 0);
    EXPECT_GT(run.dryFrictionLoss, 0);
    EXPECT_NEAR(run.dissipation, run.dryFrictionLoss, 1e-6 * run.dryFrictionLoss);
    const bool sticks = std::any_of(run.events.begin(), run.events.end(), [](const StopEvent& e) {
        return e.kind == StopEventKind::Sticks;
    });
    EXPECT_TRUE(sticks);
}

// The large engine, its displacer thrown from stop to stop: rod work = annulus + rod friction
// (viscous and dry) + impact losses, each from its own bookkeeping. (Runs that take many
// revolutions to settle close only to the settling tolerance, 1e-6 of the work: see
// doc/validation.md.)
TEST(DryFriction, KestmoresRodWorkClosesWithAllTheFrictionsAndTheStops) {
    const test::AnalysedDesign k = test::AnalysedLargeEngine();
    for (const double restitution : {0.0, 0.3}) {
        AccurateCycleOptions options;
        options.damping = 20;
        options.dryFriction = restitution == 0 ? 40 : 200;
        options.restitution = restitution;
        const AccurateSpeedRun run = RunAccurateCycleAt(k.params, options, k.params.EngineSpeed);
        ASSERT_TRUE(run.settled) << restitution;
        EXPECT_GT(run.dryFrictionLoss, 0);
        EXPECT_GT(run.dissipation, run.dryFrictionLoss);
        EXPECT_NEAR(run.energy.rodWork, run.dissipation + run.impactLoss,
                    1e-6 * std::abs(run.energy.rodWork))
            << restitution;
    }
}

TEST(DryFriction, TheLossyRunCountsItAsRodFriction) {
    test::AnalysedDesign k = test::AnalysedLargeEngine();
    k.design.losses.given = true;
    k.design.losses.rodFriction = 40;
    const LossyRun run = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(run.settled);
    EXPECT_TRUE(run.displacerMoves);
    EXPECT_GT(run.dryFrictionLoss, 0);
    EXPECT_NEAR(run.rodFrictionLoss, run.dryFrictionLoss, 1e-6 * run.dryFrictionLoss);
    EXPECT_NEAR(run.rodPower, run.rodFrictionLoss + run.impactLoss, 1e-6 * run.rodPower);
    // A guide that holds against any gas force: the engine stands still.
    k.design.losses.rodFriction = 1e7;
    const LossyRun held = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
    ASSERT_TRUE(held.settled);
    EXPECT_FALSE(held.displacerMoves);
}

TEST(DryFriction, MoreOfItNeverRaisesKestmoresBrakePower) {
    test::AnalysedDesign k = test::AnalysedLargeEngine();
    k.design.losses.given = true;
    k.design.losses.mechanismEffectiveness = 0.85;
    double last = INFINITY;
    for (const double friction : {0.0, 10.0, 50.0, 200.0, 1000.0, 3000.0}) {
        k.design.losses.rodFriction = friction;
        const LossyRun run = RunLossyCycle(k.params, k.design, k.params.EngineSpeed);
        ASSERT_TRUE(run.settled) << friction;
        EXPECT_LE(run.brakePower, last) << friction;
        last = run.brakePower;
    }
}

}  // namespace
}  // namespace velmora
