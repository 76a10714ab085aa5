// Problems as typed: variables with their bounds, constraints with margins, and what makes a
// problem unfit to run; the Latin hypercube sample.
#include "optimizer/optimize_problem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "form/design_form.h"
#include "optimizer/optimize_run.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

std::string VariableWhy(const std::string& text, const ControlState& base) {
    std::string why;
    EXPECT_FALSE(ParseVariable(text, EnterDesign(base), why).has_value()) << text;
    return why;
}

TEST(OptimizeProblem, VariablesTakeBoundsOrHalfToOneAndAHalfTimesTheirValue) {
    ControlState base = test::LargeEngineControls();
    base.EditPistonStroke.text = "140";
    std::string why;
    const std::optional<Variable> typed =
        ParseVariable("Piston.Stroke=100:2e2", EnterDesign(base), why);
    ASSERT_TRUE(typed) << why;
    EXPECT_STREQ(typed->input->key, "Piston.Stroke");
    EXPECT_EQ(typed->from, 100);
    EXPECT_EQ(typed->to, 200);
    const std::optional<Variable> byDefault =
        ParseVariable("Piston.Stroke", EnterDesign(base), why);
    ASSERT_TRUE(byDefault) << why;
    EXPECT_EQ(byDefault->from, 70);
    EXPECT_EQ(byDefault->to, 210);

    // The user's decimal separator in the file's text.
    base.outputs.numbers.decimalSeparator = ',';
    base.EditDispMass.text = "1,5";
    const std::optional<Variable> comma = ParseVariable("Displacer.Mass", EnterDesign(base), why);
    ASSERT_TRUE(comma) << why;
    EXPECT_EQ(comma->from, 0.75);
    EXPECT_EQ(comma->to, 2.25);

    EXPECT_EQ(VariableWhy("Piston.Length=1:2", base),
              "unknown input 'Piston.Length' (see velmora-cli sweep --outputs help)");
    EXPECT_EQ(VariableWhy("Piston.Stroke=1", base), "Piston.Stroke: the range must be FROM:TO");
    EXPECT_EQ(VariableWhy("Piston.Stroke=a:2", base), "Piston.Stroke: FROM and TO must be numbers");
    base.EditPistonStroke.text = "-3";
    EXPECT_EQ(VariableWhy("Piston.Stroke", base),
              "Piston.Stroke: the file's text is not a number; give FROM:TO");
}

TEST(OptimizeProblem, BoundsMustRiseAndStayWithinWhatTheInputCanHold) {
    const ControlState base = test::LargeEngineControls();
    auto why = [&](const char* key, double from, double to) {
        return VariableProblem({FindSweepInput(key), from, to}, EnterDesign(base));
    };
    EXPECT_EQ(why("Piston.Stroke", 200, 100), "Piston.Stroke: FROM (200) must be below TO (100)");
    EXPECT_EQ(why("Piston.Stroke", 2, 2), "Piston.Stroke: FROM (2) must be below TO (2)");
    EXPECT_EQ(why("Piston.Stroke", -1, 2),
              "Piston.Stroke: FROM (-1) is below 0, which the input cannot hold");
    EXPECT_EQ(why("Piston.Stroke", 0, 2),
              "Piston.Stroke: FROM (0) is not a value the input can hold in its unit");
    // No spring, a spring centred at 0 and no dead space are designs.
    EXPECT_EQ(why("DisplacerSpring.Constant", 0, 100), "");
    EXPECT_EQ(why("DisplacerSpring.Center", 0, 1), "");
    EXPECT_EQ(why("DeadSpace.Volume", 0, 1), "");
    // 0 degrees Celsius is 273 K; 0 K is no temperature at all.
    ControlState kelvin = base;
    kelvin.EditHotTemp.units = 1;
    EXPECT_EQ(VariableProblem({FindSweepInput("Hot.Temp"), 0, 500}, EnterDesign(kelvin)), "");
    kelvin.EditHotTemp.units = 2;
    EXPECT_EQ(VariableProblem({FindSweepInput("Hot.Temp"), 0, 500}, EnterDesign(kelvin)),
              "Hot.Temp: FROM (0) is not a value the input can hold in its unit");
}

TEST(OptimizeProblem, ConstraintsWithMarginsAndWhatMakesAProblemUnfit) {
    std::string why;
    const std::optional<Constraint> plain = ParseConstraint("not-overdriven", why);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->kind, ConstraintKind::NotOverdriven);
    EXPECT_EQ(plain->margin, 0.95);
    EXPECT_EQ(ParseConstraint("dwell-min", why)->margin, 20);
    EXPECT_EQ(ParseConstraint("beta-min", why)->margin, 1.05);
    EXPECT_EQ(ParseConstraint("loss-max=12.5", why)->margin, 12.5);
    EXPECT_FALSE(ParseConstraint("too-hot", why));
    EXPECT_EQ(why,
              "unknown constraint 'too-hot' (not-overdriven, beta-min, tau-rho, dwell-min, "
              "loss-max)");
    EXPECT_FALSE(ParseConstraint("beta-min=x", why));
    EXPECT_EQ(why, "beta-min: the margin must be a number");

    OptimizeProblem problem;
    problem.base = EnterDesign(test::LargeEngineControls());
    EXPECT_EQ(ProblemError(problem), "no input to vary (give --vary SECTION.KEY)");
    problem.variables.push_back({FindSweepInput("Displacer.Mass"), 0.5, 2});
    EXPECT_EQ(ProblemError(problem), "");
    problem.variables.push_back({FindSweepInput("Displacer.Mass"), 0.5, 2});
    EXPECT_EQ(ProblemError(problem), "Displacer.Mass is varied twice");
    problem.variables.pop_back();
    problem.constraints = {{ConstraintKind::NotOverdriven, 0}};
    EXPECT_EQ(ProblemError(problem), "not-overdriven: the margin must be above 0");
    problem.constraints = {{ConstraintKind::DwellMin, 0}, {ConstraintKind::DwellMin, 10}};
    EXPECT_EQ(ProblemError(problem), "dwell-min is given twice");
    problem.constraints = {};
    problem.maxEvaluations = 0;
    EXPECT_EQ(ProblemError(problem), "the evaluation budget must be at least 1");
}

TEST(OptimizeRun, LatinHypercubeHasOnePointInEachCellOfEveryAxisAndIsFixed) {
    const auto points = LatinHypercube(30, 3);
    ASSERT_EQ(points.size(), 30u);
    for (std::size_t d = 0; d < 3; ++d) {
        std::set<int> cells;
        for (const auto& p : points) {
            EXPECT_GT(p[d], 0);
            EXPECT_LT(p[d], 1);
            cells.insert(static_cast<int>(p[d] * 30));
        }
        EXPECT_EQ(cells.size(), 30u);
    }
    EXPECT_EQ(LatinHypercube(30, 3), points);
    EXPECT_NE(points[0][0], points[0][1]);  // the axes are shuffled independently
    EXPECT_EQ(SampleCount(2, 2000), 30);
    EXPECT_EQ(SampleCount(4, 2000), 54);
    EXPECT_EQ(SampleCount(2, 11), 5);  // half of what is left after the start design
    EXPECT_EQ(SampleCount(2, 1), 0);
}

}  // namespace
}  // namespace velmora
