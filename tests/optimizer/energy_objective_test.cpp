// The energy objectives and constraint: shaft power is signed (a design driven by its crank
// scores below every engine), efficiency-min holds at its margin and fails just past it, and
// a run asks for the energy figures its objective and constraints read.
#include <gtest/gtest.h>

#include "form/design_form.h"
#include "optimizer/design_judgement.h"
#include "optimizer/optimize_run.h"
#include "simulation/design_evaluator.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

ControlState LargeEngineForm(IntegrationModel model) {
    ControlState form = test::LargeEngineControls();
    form.Integration = model;
    return form;
}

OptimizeProblem ShaftPowerProblem(IntegrationModel model) {
    OptimizeProblem p;
    p.base = EnterDesign(LargeEngineForm(model));
    p.objective = Objective::ShaftPower;
    p.variables = {{FindSweepInput("Piston.Stroke"), 100, 200}};
    return p;
}

TEST(EnergyObjectives, ShaftPowerIsSignedUnderBothModels) {
    for (const IntegrationModel model : {IntegrationModel::Specified, IntegrationModel::Accurate}) {
        OptimizeProblem p = ShaftPowerProblem(model);
        const EvaluationOptions options = EvaluationOptionsFor(p);
        EXPECT_TRUE(options.energy);
        EXPECT_FALSE(options.powerCurve);
        const Judgement engine =
            JudgeDesign(p, p.base.design, EvaluateDesign(p.base.design, options));
        ASSERT_TRUE(engine.objective);
        EXPECT_GT(*engine.objective, 0);

        // Hot and cold swapped: the crank drives the gas, the shaft power is negative. (The
        // accurate displacer settles so only turned slowly: at 1000 RPM it swings without
        // reaching a stop and its run reports that it did not settle.)
        ControlState swapped = LargeEngineForm(model);
        std::swap(swapped.EditHotTemp, swapped.EditColdTemp);
        if (model == IntegrationModel::Accurate) swapped.EditEngineSpeed.text = "10";
        const DesignResult driven = EvaluateDesign(ReadDesign(swapped).design, options);
        const Judgement j = JudgeDesign(p, ReadDesign(swapped).design, driven);
        ASSERT_TRUE(j.objective) << NameOf(model).name;
        EXPECT_LT(*j.objective, 0) << NameOf(model).name;
        EXPECT_LT(*driven[DesignOutput::IndicatedPower], 0) << NameOf(model).name;
        // A driven engine has no positive efficiency to maximize.
        p.objective = Objective::Efficiency;
        EXPECT_LE(JudgeDesign(p, ReadDesign(swapped).design, driven).objective.value_or(0), 0)
            << NameOf(model).name;
    }
}

TEST(EnergyObjectives, EfficiencyMinHoldsAtItsMargin) {
    OptimizeProblem p = ShaftPowerProblem(IntegrationModel::Specified);
    p.objective = Objective::SchmidtPower;
    p.constraints = {{ConstraintKind::EfficiencyMin, 0.5}};
    EXPECT_TRUE(EvaluationOptionsFor(p).energy);
    DesignResult r;
    r[DesignOutput::SchmidtPower] = 1000;
    r[DesignOutput::Efficiency] = 0.5;
    Judgement j = JudgeDesign(p, p.base.design, r);
    EXPECT_TRUE(j.feasible);
    ASSERT_EQ(j.quantities.size(), 1u);
    EXPECT_EQ(j.quantities[0].caption, "Thermal efficiency (>= 0.5)");
    EXPECT_LE(j.violations[0], 0);
    r[DesignOutput::Efficiency] = 0.499;
    j = JudgeDesign(p, p.base.design, r);
    EXPECT_FALSE(j.feasible);
    EXPECT_GT(j.violations[0], 0);
    r[DesignOutput::Efficiency].reset();  // not settled, or no heat in
    EXPECT_FALSE(JudgeDesign(p, p.base.design, r).feasible);

    std::string why;
    const std::optional<Constraint> parsed = ParseConstraint("efficiency-min=0.3", why);
    ASSERT_TRUE(parsed) << why;
    EXPECT_EQ(parsed->kind, ConstraintKind::EfficiencyMin);
    EXPECT_EQ(parsed->margin, 0.3);
    EXPECT_EQ(FindObjective("shaft-power")->objective, Objective::ShaftPower);
    EXPECT_EQ(FindObjective("efficiency")->objective, Objective::Efficiency);
}

// A short accurate run maximizes the shaft power: the design it keeps scores at least the
// start's, and its figure is the evaluator's for that design.
TEST(EnergyObjectives, AccurateRunMaximizesShaftPower) {
    OptimizeProblem p = ShaftPowerProblem(IntegrationModel::Accurate);
    p.maxEvaluations = 25;
    OptimizeRun run(p);
    run.Run(2);
    ASSERT_EQ(run.Outcome().status, OptimizeStatus::Found);
    const OptimizePoint& best = *run.Outcome().best;
    EXPECT_GE(*best.judgement.objective, *run.Outcome().start.judgement.objective);
    ControlState chosen = LargeEngineForm(IntegrationModel::Accurate);
    chosen.EditPistonStroke.text = best.texts[0];
    EXPECT_EQ(EvaluateDesign(ReadDesign(chosen).design,
                             EvaluationOptionsFor(p))[DesignOutput::ShaftPower],
              best.judgement.objective);
}

}  // namespace
}  // namespace velmora
