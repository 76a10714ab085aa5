// The constraints on the lossy figures: brake-power-min (W) and brake-efficiency-min (a
// fraction) hold at their margins and fail just past them, are violated for a design without
// losses (no brake figure), ask for the energy run, and are named on the command line.
#include <gtest/gtest.h>

#include "form/design_form.h"
#include "optimizer/design_judgement.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

OptimizeProblem Problem(ConstraintKind kind, double margin) {
    OptimizeProblem p;
    p.base = EnterDesign(test::LargeEngineControls());
    p.objective = Objective::SchmidtPower;
    p.variables = {{FindSweepInput("Piston.Stroke"), 100, 200}};
    p.constraints = {{kind, margin}};
    return p;
}

struct Case {
    ConstraintKind kind;
    DesignOutput output;
    double margin;
    double justBelow;
    const char* caption;
};

TEST(BrakeConstraints, HoldAtTheirMarginsAndFailJustPast) {
    const Case cases[] = {
        {ConstraintKind::BrakePowerMin, DesignOutput::BrakePower, 5000, 4999.9,
         "Brake power (W) (>= 5000)"},
        {ConstraintKind::BrakeEfficiencyMin, DesignOutput::BrakeEfficiency, 0.2, 0.1999,
         "Brake efficiency (>= 0.2)"},
    };
    for (const Case& c : cases) {
        const OptimizeProblem p = Problem(c.kind, c.margin);
        EXPECT_TRUE(EvaluationOptionsFor(p).energy) << c.caption;
        const Design& design = p.base.design;
        DesignResult r;
        r[DesignOutput::SchmidtPower] = 1000;
        r[c.output] = c.margin;
        Judgement j = JudgeDesign(p, design, r);
        EXPECT_TRUE(j.feasible) << c.caption;
        ASSERT_EQ(j.quantities.size(), 1u);
        EXPECT_EQ(j.quantities[0].caption, c.caption);
        EXPECT_LE(j.violations[0], 0);
        r[c.output] = c.justBelow;
        j = JudgeDesign(p, design, r);
        EXPECT_FALSE(j.feasible) << c.caption;
        EXPECT_GT(j.violations[0], 0) << c.caption;
        // Without [Losses] (or a displacer held still) there is no brake figure: violated.
        r[c.output].reset();
        EXPECT_FALSE(JudgeDesign(p, design, r).feasible) << c.caption;
    }
}

TEST(BrakeConstraints, AreNamedWithTheirDefaults) {
    std::string why;
    const std::optional<Constraint> power = ParseConstraint("brake-power-min=250", why);
    ASSERT_TRUE(power) << why;
    EXPECT_EQ(power->kind, ConstraintKind::BrakePowerMin);
    EXPECT_EQ(power->margin, 250);
    const std::optional<Constraint> efficiency = ParseConstraint("brake-efficiency-min", why);
    ASSERT_TRUE(efficiency) << why;
    EXPECT_EQ(efficiency->kind, ConstraintKind::BrakeEfficiencyMin);
    EXPECT_EQ(efficiency->margin, 0.05);
    EXPECT_EQ(ConstraintProblem({ConstraintKind::BrakePowerMin, -1}),
              "brake-power-min: the margin must be at least 0");
}

}  // namespace
}  // namespace velmora
