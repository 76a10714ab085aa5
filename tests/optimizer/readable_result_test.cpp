// The window's result table: names with units, values rounded to the digits they were typed
// with, a note on every input within 1% of a bound, and how the run ended.
#include "optimizer/readable_result.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

OptimizePoint Point(std::vector<double> values, std::vector<std::string> texts, double power) {
    OptimizePoint point;
    point.values = std::move(values);
    point.texts = std::move(texts);
    point.judgement.objective = power;
    point.judgement.quantities.push_back({"Engine speed / Omega Bar (<= 0.95)", 0.912345678});
    return point;
}

class ReadableResult : public ::testing::Test {
  protected:
    void SetUp() override {
        problem.variables = {{FindSweepInput("Displacer.Mass"), 0.3, 2},
                             {FindSweepInput("Piston.Stroke"), 100, 200},
                             {FindSweepInput("Engine.Speed"), 500, 1500}};
        outcome.status = OptimizeStatus::Found;
        outcome.evaluations = 412;
        outcome.start = Point({1, 140, 1000}, {"1", "140", "1000"}, 12.3456789);
        // Mass inside, stroke 0.5% below its upper bound, speed on its lower bound.
        outcome.best = Point({0.514549024610151, 199.5, 500}, {"0.514549024610151", "199.5", "500"},
                             45.678901234);
    }
    OptimizeProblem problem;
    OptimizeOutcome outcome;
};

TEST_F(ReadableResult, NamesUnitsRoundingAndBoundNotes) {
    const std::vector<ReadableRow> rows = ReadableResultRows(problem, outcome, {"kg", "mm", "RPM"});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].label, "Displacer Mass (kg)");
    EXPECT_EQ(rows[0].before, "1");
    EXPECT_EQ(rows[0].after, "0.5145");  // four digits at least
    EXPECT_FALSE(rows[0].atBound);
    EXPECT_EQ(rows[0].note, "");
    EXPECT_EQ(rows[1].label, "Piston Stroke (mm)");
    EXPECT_EQ(rows[1].after, "199.5");
    EXPECT_TRUE(rows[1].atBound);
    EXPECT_EQ(rows[1].note, "at upper bound (200)");
    EXPECT_EQ(rows[2].after, "500");
    EXPECT_EQ(rows[2].note, "at lower bound (500)");
    EXPECT_EQ(rows[3].label, "PV power at engine speed (W)");
    EXPECT_EQ(rows[3].before, "12.346");
    EXPECT_EQ(rows[3].after, "45.679");
    EXPECT_EQ(rows[4].label, "Engine speed / Omega Bar (<= 0.95)");
    EXPECT_EQ(rows[4].after, "0.91235");
    // An input without a unit is named alone; more typed digits are kept.
    outcome.start.texts[0] = "1.000000";
    const std::vector<ReadableRow> bare = ReadableResultRows(problem, outcome, {});
    EXPECT_EQ(bare[0].label, "Displacer Mass");
    EXPECT_EQ(bare[0].after, "0.514549");  // seven digits, the last a 0
}

TEST_F(ReadableResult, BoundsAreJudgedByOnePercentOfTheRange) {
    const Variable& stroke = problem.variables[1];
    EXPECT_EQ(NearBound(stroke, 101), BoundSide::Lower);
    EXPECT_EQ(NearBound(stroke, 101.01), BoundSide::None);
    EXPECT_EQ(NearBound(stroke, 150), BoundSide::None);
    EXPECT_EQ(NearBound(stroke, 199), BoundSide::Upper);
    EXPECT_EQ(TypedSignificantDigits("140"), 3);
    EXPECT_EQ(TypedSignificantDigits("0.050"), 2);
    EXPECT_EQ(TypedSignificantDigits("-1.25e3"), 3);
    EXPECT_EQ(TypedSignificantDigits(""), 0);
}

TEST_F(ReadableResult, StatusSaysFinishedOrCancelled) {
    EXPECT_EQ(OutcomeStatus(problem, outcome), "Finished: best feasible design, 412 evaluations.");
    outcome.cancelled = true;
    EXPECT_EQ(OutcomeStatus(problem, outcome),
              "Cancelled (best feasible so far): 412 evaluations.");
    outcome.status = OptimizeStatus::NoneFeasible;
    EXPECT_EQ(OutcomeStatus(problem, outcome),
              "Cancelled: no design within the bounds meets the constraints (412 evaluations).");
    outcome.cancelled = false;
    outcome.status = OptimizeStatus::NoGain;
    EXPECT_EQ(OutcomeStatus(problem, outcome),
              "Finished: no design within the bounds gives a PV power at engine speed (W) above 0 "
              "(412 evaluations).");
}

}  // namespace
}  // namespace velmora
