// Judging designs against constraints, and runs: the same result whatever the thread count,
// Cancel keeping the best feasible design, and the outcomes without one.
#include "optimizer/optimize_run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "form/design_form.h"
#include "optimizer/design_judgement.h"
#include "optimizer/result_table.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

DesignResult Made(double pv, double omegaBar, double engineSpeed) {
    DesignResult r;
    r[DesignOutput::PVPowerAtEngineSpeed] = pv;
    r[DesignOutput::OmegaBar] = omegaBar;
    r[DesignOutput::Beta] = 1.5;
    r[DesignOutput::DwellHi] = 30;
    r[DesignOutput::DwellLo] = 12;
    r[DesignOutput::DispPowerLoss] = 100;
    r.engineSpeed = engineSpeed;
    return r;
}

const DesignInput& Input(const char* key) {
    return *FindSweepInput(key)->input;
}

OptimizeProblem Problem(std::vector<Constraint> constraints) {
    OptimizeProblem p;
    p.base = EnterDesign(test::LargeEngineControls());
    p.objective = Objective::PVPowerAtEngineSpeed;
    p.variables = {{FindSweepInput("Piston.Stroke"), 100, 200},
                   {FindSweepInput("Displacer.Mass"), 0.5, 2}};
    p.constraints = std::move(constraints);
    return p;
}

TEST(JudgeDesign, EachConstraintHoldsExactlyAtItsMarginAndNamesItsQuantity) {
    const OptimizeProblem p = Problem({{ConstraintKind::NotOverdriven, 0.95},
                                       {ConstraintKind::DwellMin, 12},
                                       {ConstraintKind::LossMax, 10},
                                       {ConstraintKind::BetaMin, 1.5}});
    ASSERT_EQ(SearchConstraintCount(p), 5u);
    // 95 <= 100 x 0.95; dwell lo 12 >= 12; loss 100 W is 10% of 1000 W; Beta 1.5 >= 1.5.
    Judgement j = JudgeDesign(p, p.base.design, Made(1000, 100, 95));
    EXPECT_TRUE(j.feasible);
    EXPECT_EQ(*j.objective, 1000);
    ASSERT_EQ(j.quantities.size(), 5u);
    EXPECT_EQ(j.quantities[0].caption, "Engine speed / Omega Bar (<= 0.95)");
    EXPECT_EQ(*j.quantities[0].value, 0.95);
    EXPECT_EQ(j.quantities[1].caption, "Dwell hi (deg) (>= 12)");
    EXPECT_EQ(j.quantities[2].caption, "Dwell lo (deg) (>= 12)");
    EXPECT_EQ(j.quantities[3].caption, "Displacer power loss (% of objective) (<= 10)");
    EXPECT_EQ(*j.quantities[3].value, 10);
    EXPECT_EQ(j.quantities[4].caption, "Beta, Beta S with a spring (>= 1.5)");
    for (const double v : j.violations) EXPECT_LE(v, 1e-15);

    // Just past each margin, one at a time.
    EXPECT_FALSE(JudgeDesign(p, p.base.design, Made(1000, 100, 95.001)).feasible);
    EXPECT_GT(JudgeDesign(p, p.base.design, Made(1000, 100, 96)).violations[0], 0);
    EXPECT_FALSE(JudgeDesign(p, p.base.design, Made(999, 100, 95)).feasible);  // loss above 10%
    DesignResult shortDwell = Made(1000, 100, 95);
    shortDwell[DesignOutput::DwellLo] = 11;
    EXPECT_FALSE(JudgeDesign(p, p.base.design, shortDwell).feasible);
    EXPECT_GT(JudgeDesign(p, p.base.design, shortDwell).violations[2], 0);
}

// Every constraint's violation has the sign COBYLA steers by: at most 0 inside the margin,
// above 0 just past it. A flipped sign would steer the search away from feasible designs.
TEST(JudgeDesign, EveryViolationIsPositiveJustPastItsMarginAndNotInsideIt) {
    struct Case {
        Constraint constraint;
        std::size_t index;  // of the violation among the problem's search constraints
        DesignResult inside;
        DesignResult past;
    };
    DesignResult betaInside = Made(1000, 100, 50);
    betaInside[DesignOutput::Beta] = 1.06;
    DesignResult betaPast = betaInside;
    betaPast[DesignOutput::Beta] = 1.04;
    DesignResult hiInside = Made(1000, 100, 50);
    hiInside[DesignOutput::DwellHi] = 20.5;
    hiInside[DesignOutput::DwellLo] = 30;
    DesignResult hiPast = hiInside;
    hiPast[DesignOutput::DwellHi] = 19.5;
    DesignResult loInside = hiInside;
    DesignResult loPast = hiInside;
    loPast[DesignOutput::DwellLo] = 19.5;
    DesignResult lossInside = Made(1000, 100, 50);
    lossInside[DesignOutput::DispPowerLoss] = 99;  // 9.9% of 1000 W
    DesignResult lossPast = lossInside;
    lossPast[DesignOutput::DispPowerLoss] = 101;
    const Case cases[] = {
        {{ConstraintKind::NotOverdriven, 0.95}, 0, Made(1000, 100, 94.9), Made(1000, 100, 95.1)},
        {{ConstraintKind::BetaMin, 1.05}, 0, betaInside, betaPast},
        {{ConstraintKind::DwellMin, 20}, 0, hiInside, hiPast},
        {{ConstraintKind::DwellMin, 20}, 1, loInside, loPast},
        {{ConstraintKind::LossMax, 10}, 0, lossInside, lossPast},
    };
    for (const Case& c : cases) {
        const OptimizeProblem p = Problem({c.constraint});
        const Judgement inside = JudgeDesign(p, p.base.design, c.inside);
        const Judgement past = JudgeDesign(p, p.base.design, c.past);
        const std::string name = InfoOf(c.constraint.kind).name;
        EXPECT_TRUE(inside.feasible) << name;
        EXPECT_LE(inside.violations.at(c.index), 0) << name;
        EXPECT_FALSE(past.feasible) << name;
        EXPECT_GT(past.violations.at(c.index), 0) << name;
    }
    // 1 - Tau - Rho of the large engine is 0.569 (from its controls, not the result record).
    const DesignResult any = Made(1000, 100, 50);
    const OptimizeProblem below = Problem({{ConstraintKind::TauRho, 0.56}});
    EXPECT_TRUE(JudgeDesign(below, below.base.design, any).feasible);
    EXPECT_LE(JudgeDesign(below, below.base.design, any).violations[0], 0);
    const OptimizeProblem above = Problem({{ConstraintKind::TauRho, 0.58}});
    EXPECT_FALSE(JudgeDesign(above, above.base.design, any).feasible);
    EXPECT_GT(JudgeDesign(above, above.base.design, any).violations[0], 0);
}

TEST(JudgeDesign, WhatCannotBeComputedIsInfeasible) {
    const OptimizeProblem p = Problem({{ConstraintKind::NotOverdriven, 0.95}});
    DesignResult noObjective = Made(1000, 100, 50);
    noObjective[DesignOutput::PVPowerAtEngineSpeed].reset();
    EXPECT_FALSE(JudgeDesign(p, p.base.design, noObjective).feasible);
    DesignResult noOmegaBar = Made(1000, 100, 50);
    noOmegaBar[DesignOutput::OmegaBar].reset();
    const Judgement j = JudgeDesign(p, p.base.design, noOmegaBar);
    EXPECT_FALSE(j.feasible);
    EXPECT_FALSE(j.quantities[0].value.has_value());
    EXPECT_GT(j.violations[0], 0);
    // A loss limit over a negative objective cannot hold.
    const OptimizeProblem loss = Problem({{ConstraintKind::LossMax, 10}});
    EXPECT_FALSE(JudgeDesign(loss, loss.base.design, Made(-1000, 100, 50)).feasible);
}

TEST(JudgeDesign, BetaMinTakesBetaSWhenASpringIsFittedAndTauRhoFromTheAnalysis) {
    OptimizeProblem p = Problem({{ConstraintKind::BetaMin, 1.05}, {ConstraintKind::TauRho, 0}});
    DesignResult r = Made(1000, 100, 50);
    r[DesignOutput::BetaS] = 1.01;
    EXPECT_TRUE(JudgeDesign(p, p.base.design, r).feasible);  // no spring: Beta 1.5 counts
    Design sprung = p.base.design;
    sprung[Input("DisplacerSpring.Constant")] = 1000;  // N/m
    EXPECT_FALSE(JudgeDesign(p, sprung, r).feasible);  // with one, Beta S 1.01
    r[DesignOutput::BetaS].reset();                    // a spring too stiff for Beta S
    EXPECT_FALSE(JudgeDesign(p, sprung, r).feasible);
    // The large engine: 1 - 0.34128 - 0.08972 is 0.569 in its report.
    const Judgement j = JudgeDesign(p, p.base.design, Made(1000, 100, 50));
    EXPECT_NEAR(*j.quantities[1].value, 0.569, 0.0005);
    Design reversed = p.base.design;
    reversed[Input("Cold.Temp")] = 1173;  // 900 C, above the hot side: Tau > 1
    EXPECT_FALSE(JudgeDesign(p, reversed, Made(1000, 100, 50)).feasible);
}

std::string Table(const OptimizeRun& run) {
    std::ostringstream out;
    PrintResultTable(out, run.Problem(), run.Outcome());
    return out.str();
}

TEST(OptimizeRun, OneAndTwoThreadsGiveTheSameDesignAndCount) {
    const OptimizeProblem p = Problem({{ConstraintKind::NotOverdriven, 0.95}});
    OptimizeRun one(p);
    one.Run(1);
    OptimizeRun two(p);
    two.Run(2);
    ASSERT_EQ(one.Outcome().status, OptimizeStatus::Found);
    EXPECT_EQ(Table(one), Table(two));
    EXPECT_EQ(one.Outcome().evaluations, two.Outcome().evaluations);
    // The progress history ends at the best design's objective.
    EXPECT_EQ(one.BestHistory().back().objective, *one.Outcome().best->judgement.objective);
}

TEST(OptimizeRun, TheBudgetBoundsTheEvaluations) {
    OptimizeProblem p = Problem({{ConstraintKind::NotOverdriven, 0.95}});
    for (const int budget : {1, 7, 40}) {
        p.maxEvaluations = budget;
        OptimizeRun run(p);
        run.Run(2);
        EXPECT_LE(run.Outcome().evaluations, budget);
        EXPECT_EQ(run.Outcome().status, OptimizeStatus::Found);  // the start is feasible
    }
}

TEST(OptimizeRun, CancelStopsAtOnceAndKeepsTheBestFeasibleDesignSoFar) {
    const OptimizeProblem p = Problem({{ConstraintKind::NotOverdriven, 0.95}});
    OptimizeRun whole(p);
    whole.Run(2);
    // Cancelled after 10 evaluations, the run may finish only the designs already under way
    // (one per thread); a run that ignored Cancel would go on to its own end.
    const int threads = 2;
    int seenAtCancel = 0;
    OptimizeRun run(p);
    std::thread canceller([&] {
        while (run.Evaluations() < 10) std::this_thread::yield();
        run.Cancel();
        seenAtCancel = run.Evaluations();
    });
    run.Run(threads);
    canceller.join();
    ASSERT_GT(whole.Outcome().evaluations, seenAtCancel + threads);
    EXPECT_TRUE(run.Outcome().cancelled);
    EXPECT_LE(run.Outcome().evaluations, seenAtCancel + threads);
    ASSERT_EQ(run.Outcome().status, OptimizeStatus::Found);
    EXPECT_TRUE(run.Outcome().best->judgement.feasible);
}

// The design as it stands lies outside the box in each case: the result is a design within
// the bounds, or none at all, never the start.
TEST(OptimizeRun, TheResultLiesWithinTheBoundsWhereverTheStartLies) {
    struct Case {
        const char* key;
        double from;
        double to;
    };
    for (const Case c : {Case{"Displacer.Mass", 5, 10}, Case{"Engine.Speed", 5000, 6000}}) {
        OptimizeProblem p = Problem({});
        p.objective = Objective::SchmidtPower;
        p.variables = {{FindSweepInput(c.key), c.from, c.to}};
        p.maxEvaluations = 60;
        OptimizeRun run(p);
        run.Run(2);
        ASSERT_EQ(run.Outcome().status, OptimizeStatus::Found) << c.key;
        // The value and the text that is saved, which rounds it to 15 digits.
        for (const double value :
             {run.Outcome().best->values.at(0), std::stod(run.Outcome().best->texts.at(0))}) {
            EXPECT_GE(value, c.from) << c.key;
            EXPECT_LE(value, c.to) << c.key;
        }
    }
    // No design between 0 and 40 degrees Celsius, below the cold side's 42, gives power: the
    // start's 650 degrees are not offered instead.
    OptimizeProblem cold = Problem({});
    cold.objective = Objective::SchmidtPower;
    cold.variables = {{FindSweepInput("Hot.Temp"), 0, 40}};
    cold.maxEvaluations = 60;
    OptimizeRun run(cold);
    run.Run(2);
    EXPECT_NE(run.Outcome().status, OptimizeStatus::Found);
    EXPECT_TRUE(!run.Outcome().best || run.Outcome().best->values[0] <= 40);
}

TEST(OptimizeRun, NoFeasibleDesignAndAStartWithoutObjective) {
    OptimizeRun none(Problem({{ConstraintKind::BetaMin, 100}}));
    none.Run(2);
    EXPECT_EQ(none.Outcome().status, OptimizeStatus::NoneFeasible);
    EXPECT_FALSE(none.Outcome().best.has_value());

    OptimizeProblem p = Problem({});
    p.base.design[Input("Engine.Speed")] = 0;  // not given: no PV power at engine speed
    OptimizeRun uncomputable(p);
    uncomputable.Run(2);
    EXPECT_EQ(uncomputable.Outcome().status, OptimizeStatus::StartUncomputable);
    EXPECT_EQ(uncomputable.Outcome().evaluations, 1);
}

}  // namespace
}  // namespace velmora
