#include "simulation/cycle_model.h"

#include "engine/integration_model.h"
#include "model/compute_steps.h"
#include "simulation/accurate_revolution.h"
#include "simulation/cycle_simulation.h"
#include "simulation/simulation_host.h"

namespace velmora {

namespace {

// Collects the steps of the graphed cycles.
class StepRecorder : public SimulationHost {
  public:
    void StepRecorded(std::int32_t stepCount, const StepValues& step) override {
        rows.push_back({stepCount, step});
    }
    std::vector<CycleRow> rows;
};

// The one-degree model: its fixed step, pi and gas constant (cycle_simulation.cpp).
class SpecifiedModel final : public CycleModel {
  public:
    bool GivesIndicatedPower() const override { return false; }

    DesignEnergy Energy(const ParameterSet& analysed, const Design& design,
                        const SimulationState& recorded, SimulationState& scratch,
                        bool atOmegaBar) const override {
        return SpecifiedEnergy(analysed, design, recorded, scratch, atOmegaBar);
    }

    // The last graphed revolution (360 steps) of a forced compute run.
    SettledRevolution Revolution(const Design& design) const override {
        constexpr std::size_t kStepsPerRevolution = 360;
        StepRecorder host;
        SimulationState sim;
        ComputeStepHooks hooks;
        hooks.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) {
            SimulationNotes notes;
            host.rows.clear();
            RunSimulation(p, design, sim, notes, host, Recording::ResultsOnly);
        };
        ParameterSet params;
        ComputeRecord record;
        RunComputeSteps(design, params, record, hooks);

        SettledRevolution revolution;
        const std::vector<CycleRow>& rows = host.rows;
        revolution.rows.assign(
            rows.size() <= kStepsPerRevolution ? rows.begin() : rows.end() - kStepsPerRevolution,
            rows.end());
        revolution.offsetDeg = design.schedule.XAxisOffsetDeg;
        revolution.missing = "no graphed cycle in this run";
        return revolution;
    }
};

// The error-controlled integration (accurate_cycle.h).
class AccurateModel final : public CycleModel {
  public:
    bool GivesIndicatedPower() const override { return true; }

    DesignEnergy Energy(const ParameterSet& analysed, const Design& design,
                        const SimulationState& /*recorded*/, SimulationState& /*scratch*/,
                        bool atOmegaBar) const override {
        return AccurateEnergy(analysed, design, atOmegaBar);
    }

    // The settled revolution, crank degree 0 to 359 as the step count.
    SettledRevolution Revolution(const Design& design) const override {
        const AccurateRevolution accurate = AccurateRevolutionOf(design);
        SettledRevolution revolution;
        for (std::size_t i = 0; i < accurate.steps.size(); ++i)
            revolution.rows.push_back({static_cast<std::int32_t>(i), accurate.steps[i]});
        revolution.missing = OutcomeText(accurate.outcome);
        return revolution;
    }
};

}  // namespace

const CycleModel& CycleModelOf(IntegrationModel model) {
    static const SpecifiedModel specified;
    static const AccurateModel accurate;
    switch (model) {
        case IntegrationModel::Specified:
            return specified;
        case IntegrationModel::Accurate:
            return accurate;
    }
    return specified;
}

const CycleModel& ComparisonModel() {
    for (const IntegrationModelName& entry : kIntegrationModels)
        if (CycleModelOf(entry.model).GivesIndicatedPower()) return CycleModelOf(entry.model);
    return CycleModelOf(kIntegrationModels.back().model);
}

}  // namespace velmora
