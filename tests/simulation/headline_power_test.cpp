// The power to build by: each model's shaft power as its own evaluation gives it, and the
// verdict on the one-degree figures at the edges of its three limits.
#include "simulation/headline_power.h"

#include <gtest/gtest.h>

#include "form/design_form.h"
#include "simulation/design_evaluator.h"
#include "simulation/engine_fixtures.h"
#include "simulation/figure_source.h"

namespace velmora {
namespace {

double ShaftPowerUnder(ControlState controls, IntegrationModel model) {
    controls.Integration = model;
    EvaluationOptions options;
    options.energy = true;
    return EvaluateDesign(ReadDesign(controls).design, options)[DesignOutput::ShaftPower].value();
}

TEST(HeadlinePower, EachModelsShaftPowerIsThatOfItsOwnEvaluation) {
    for (const ControlState& controls :
         {test::LargeEngineControls(), test::SmallEngineControls()}) {
        const HeadlinePower h = HeadlinePowerOf(ReadDesign(controls).design);
        ASSERT_TRUE(h.accurate && h.stepped);
        const double accurate = ShaftPowerUnder(controls, IntegrationModel::Accurate);
        const double stepped = ShaftPowerUnder(controls, IntegrationModel::Specified);
        EXPECT_NEAR(h.accurate->shaftPower, accurate, 1e-9 * std::abs(accurate));
        EXPECT_NEAR(h.stepped->shaftPower, stepped, 1e-9 * std::abs(stepped));
        // Whatever the design's own choice, the headline is the accurate one.
        ControlState chosen = controls;
        chosen.Integration = IntegrationModel::Accurate;
        EXPECT_EQ(HeadlinePowerOf(ReadDesign(chosen).design).accurate->shaftPower,
                  h.accurate->shaftPower);
    }
}

TEST(HeadlinePower, VerdictAtTheEdgesOfItsLimits) {
    CycleEnergy accurate;
    accurate.shaftWork = 100;
    CycleEnergy stepped;
    stepped.shaftWork = 110;  // 10% off: still within
    stepped.heatIn = 400;
    stepped.carnot = 0.5;
    stepped.efficiency = 0.5;  // exactly Carnot: not beyond
    stepped.entropyResidual = 0.01;
    HeadlinePower h{accurate, stepped};
    JudgeSteppedFigures(h);
    EXPECT_FALSE(h.Unreliable());

    h.stepped->shaftWork = 110.5;
    JudgeSteppedFigures(h);
    EXPECT_TRUE(h.workDiffers);
    h.stepped->shaftWork = 100;
    h.stepped->efficiency = 0.5001;
    JudgeSteppedFigures(h);
    EXPECT_TRUE(h.beyondCarnot);
    EXPECT_FALSE(h.workDiffers);
    h.stepped->efficiency = 0.3;
    h.stepped->entropyResidual = 0.0101;
    JudgeSteppedFigures(h);
    EXPECT_TRUE(h.breaksSecondLaw);
    EXPECT_FALSE(h.beyondCarnot);
    // Without an accurate figure there is nothing to compare the work with.
    h.accurate.reset();
    h.stepped->entropyResidual = 0;
    h.stepped->shaftWork = 1000;
    JudgeSteppedFigures(h);
    EXPECT_FALSE(h.Unreliable());
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Which model a figure comes from follows what each model gives, for either choice.
TEST(FigureSource, AnalysisOneDegreeRunOrTheChosenModel) {
    for (const IntegrationModel model : {IntegrationModel::Specified, IntegrationModel::Accurate}) {
        EXPECT_EQ(SourceOf(DesignOutput::SchmidtPower, model), FigureSource::Analysis);
        EXPECT_EQ(SourceOf(DesignOutput::OmegaBar, model), FigureSource::Analysis);
        EXPECT_EQ(SourceOf(DesignOutput::PVPowerAtEngineSpeed, model), FigureSource::OneDegreeRun);
        EXPECT_EQ(SourceOf(DesignOutput::CurveMaxPower, model), FigureSource::OneDegreeRun);
        EXPECT_EQ(SourceOf(DesignOutput::ShaftPower, model), FigureSource::ChosenModel);
        EXPECT_EQ(SourceOf(DesignOutput::Efficiency, model), FigureSource::ChosenModel);
    }
    EXPECT_EQ(SourceOf(DesignOutput::IndicatedPower, IntegrationModel::Specified),
              FigureSource::OneDegreeRun);
    EXPECT_EQ(SourceOf(DesignOutput::IndicatedPower, IntegrationModel::Accurate),
              FigureSource::ChosenModel);
    EXPECT_EQ(SourceText(DesignOutput::ShaftPower, IntegrationModel::Accurate),
              "Accurate (error-controlled) model");
    EXPECT_EQ(SourceText(DesignOutput::SchmidtPower, IntegrationModel::Accurate),
              "closed-form analysis");
}

}  // namespace
}  // namespace velmora
