// The evaluator's energy columns against the runs they come from: the one-degree model's from
// the revolution the window's own run records, the accurate model's from the accurate run on
// the analysed parameters (not those the one-degree equalization has moved).
#include "simulation/design_energy.h"

#include <gtest/gtest.h>

#include "form/design_form.h"
#include "simulation/design_evaluator.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

DesignResult WithEnergy(const ControlState& controls) {
    EvaluationOptions options;
    options.energy = true;
    return EvaluateDesign(ReadDesign(controls).design, options);
}

TEST(DesignEnergy, SpecifiedFiguresAreThoseOfTheRecordedRevolution) {
    for (const ControlState& controls :
         {test::LargeEngineControls(), test::SmallEngineControls()}) {
        test::CountingSession session;
        session.State = controls;
        session.Compute(true, false);
        const ParameterSet& p = session.Driver.Params;
        CycleIntegrals cycle;
        ASSERT_TRUE(IntegrateRecordedCycle(session.Sim, p, cycle));
        const CycleEnergy e = EnergyOfCycle(cycle, p, p.EngineSpeed);

        const DesignResult r = WithEnergy(controls);
        const double scale = std::abs(e.indicatedPower);
        EXPECT_NEAR(*r[DesignOutput::ShaftPower], e.shaftPower, 1e-9 * scale);
        EXPECT_NEAR(*r[DesignOutput::RodWorkLoss], e.rodPower, 1e-9 * scale);
        EXPECT_NEAR(*r[DesignOutput::HeatIn], e.heatInPower, 1e-9 * scale);
        EXPECT_NEAR(*r[DesignOutput::HeatOut], e.heatOutPower, 1e-9 * scale);
        EXPECT_NEAR(*r[DesignOutput::Efficiency], e.efficiency, 1e-9);
        EXPECT_EQ(*r[DesignOutput::Settled], 1);
        // The loop integral of the PV points and the trapezoidal integral of the samples are
        // two ways to the same indicated power.
        EXPECT_NEAR(*r[DesignOutput::IndicatedPower], e.indicatedPower, 1e-3 * scale);
        // Without energy asked for, nothing of it, and the rest bit for bit the same.
        const DesignResult plain = EvaluateDesign(ReadDesign(controls).design);
        EXPECT_FALSE(plain[DesignOutput::ShaftPower]);
        EXPECT_FALSE(plain[DesignOutput::Settled]);
        EXPECT_EQ(plain[DesignOutput::IndicatedPower], r[DesignOutput::IndicatedPower]);
        EXPECT_EQ(plain[DesignOutput::PVPowerAtOmegaBar], r[DesignOutput::PVPowerAtOmegaBar]);
    }
}

TEST(DesignEnergy, AccurateFiguresAreThoseOfTheAccurateRun) {
    for (const bool leak : {false, true}) {
        SCOPED_TRACE(leak);
        ControlState controls = test::LargeEngineControls();
        const ParameterSet analysed = test::ComputedParameters(controls);  // no equalization
        controls.LeakCB = leak;
        controls.Integration = IntegrationModel::Accurate;
        AccurateCycleOptions options;
        options.pressureEqualization = leak;
        options.recordSamples = false;
        const AccurateCycleResult run = RunAccurateCycle(analysed, options);
        ASSERT_TRUE(run.settled);

        const DesignResult r = WithEnergy(controls);
        EXPECT_EQ(*r[DesignOutput::IndicatedPower], run.atSpeed.energy.indicatedPower);
        EXPECT_EQ(*r[DesignOutput::ShaftPower], run.atSpeed.energy.shaftPower);
        EXPECT_EQ(*r[DesignOutput::ShaftPowerAtOmegaBar], run.atOmegaBar.energy.shaftPower);
        EXPECT_EQ(*r[DesignOutput::CarnotFraction], run.atSpeed.energy.carnotFraction);
        EXPECT_EQ(*r[DesignOutput::Settled], 1);
        // Without energy, the accurate indicated power alone.
        const DesignResult plain = EvaluateDesign(ReadDesign(controls).design);
        EXPECT_EQ(plain[DesignOutput::IndicatedPower], r[DesignOutput::IndicatedPower]);
        EXPECT_FALSE(plain[DesignOutput::ShaftPower]);
    }
}

TEST(DesignEnergy, MissingInputsComputeNothing) {
    for (const IntegrationModel model : {IntegrationModel::Specified, IntegrationModel::Accurate}) {
        ControlState controls = test::LargeEngineControls();
        controls.Integration = model;
        controls.EditDispMass.text = "";
        const DesignResult r = WithEnergy(controls);
        for (const DesignOutput output : kEnergyOutputs)
            EXPECT_FALSE(r[output]) << OutputColumn(output).name << " " << NameOf(model).name;
    }
}

}  // namespace
}  // namespace velmora
