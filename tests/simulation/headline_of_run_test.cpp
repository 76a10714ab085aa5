// The status bar's figures taken from a computation's own one-degree run are those of a fresh
// evaluation, and a design with losses builds by its brake power.
#include <gtest/gtest.h>

#include "form/design_form.h"
#include "simulation/design_evaluator.h"
#include "simulation/engine_fixtures.h"
#include "simulation/headline_power.h"

namespace velmora {
namespace {

// The headline from the run a window's computation makes, as the status bar takes it.
HeadlinePower FromComputation(const ControlState& controls) {
    EngineSession session;
    session.State = controls;
    session.Compute(true, false);
    return HeadlinePowerOfRun(ReadDesign(controls).design, session.Sim);
}

ControlState LossyEngineControls() {
    return test::ReferenceEngineControls("KESTMORE with losses.RBP");
}

TEST(HeadlineOfRun, AComputationsRunGivesTheFiguresOfAFreshOne) {
    for (const ControlState& controls :
         {test::LargeEngineControls(), test::SmallEngineControls(), LossyEngineControls()}) {
        const HeadlinePower fresh = HeadlinePowerOf(ReadDesign(controls).design);
        const HeadlinePower taken = FromComputation(controls);
        ASSERT_TRUE(fresh.accurate && fresh.stepped && taken.accurate && taken.stepped);
        EXPECT_EQ(taken.accurate->shaftPower, fresh.accurate->shaftPower);
        EXPECT_EQ(taken.stepped->shaftPower, fresh.stepped->shaftPower);
        EXPECT_EQ(taken.stepped->entropyResidual, fresh.stepped->entropyResidual);
        EXPECT_EQ(taken.Unreliable(), fresh.Unreliable());
        EXPECT_EQ(taken.lossesGiven, fresh.lossesGiven);
        EXPECT_EQ(taken.brakePower, fresh.brakePower);
    }
    // A design that cannot run has the same (empty or zero) figures either way.
    ControlState noPiston = test::LargeEngineControls();
    noPiston.EditPistonDiameter = {"", 0};
    const HeadlinePower none = FromComputation(noPiston);
    const HeadlinePower noneFresh = HeadlinePowerOf(ReadDesign(noPiston).design);
    EXPECT_EQ(none.accurate.has_value(), noneFresh.accurate.has_value());
    EXPECT_EQ(none.stepped.has_value(), noneFresh.stepped.has_value());
    if (none.accurate) EXPECT_EQ(none.accurate->shaftPower, noneFresh.accurate->shaftPower);
    if (none.stepped) EXPECT_EQ(none.stepped->shaftPower, noneFresh.stepped->shaftPower);
}

TEST(HeadlineOfRun, ALossyDesignBuildsByTheBrakePowerOfItsEvaluation) {
    const ControlState controls = LossyEngineControls();
    const HeadlinePower h = FromComputation(controls);
    ASSERT_TRUE(h.lossesGiven);
    ASSERT_TRUE(h.brakePower);
    EvaluationOptions options;
    options.energy = true;
    const DesignResult result = EvaluateDesign(ReadDesign(controls).design, options);
    const double brake = result[DesignOutput::BrakePower].value();
    EXPECT_NEAR(*h.brakePower, brake, 1e-9 * brake);
    // Mechanism, friction and heat losses take most of the ideal shaft power (15,974.5 W).
    EXPECT_NEAR(*h.brakePower, 5067.9, 0.1);
    EXPECT_LT(*h.brakePower, h.accurate->shaftPower);
    // Without the sections: the shaft power, no brake figure.
    const HeadlinePower ideal = FromComputation(test::LargeEngineControls());
    EXPECT_FALSE(ideal.lossesGiven);
    EXPECT_FALSE(ideal.brakePower);
}

}  // namespace
}  // namespace velmora
