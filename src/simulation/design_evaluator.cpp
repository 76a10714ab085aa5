#include "simulation/design_evaluator.h"

#include "model/compute_steps.h"
#include "simulation/cycle_model.h"
#include "simulation/cycle_simulation.h"
#include "simulation/design_energy.h"
#include "simulation/power_speed_curve.h"

namespace velmora {

DesignResult DesignEvaluator::Evaluate(const Design& design, const EvaluationOptions& options) {
    // The compute driver's steps for a forced run, with no report written.
    const OutputChoices& units = design.units;
    ParameterSet params;
    SimulationHost host;
    ComputeStepHooks steps;
    ParameterSet analysed;  // before the run's equalization moves the mean pressure
    bool simulated = false;
    steps.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) {
        analysed = p;
        simulated = true;
        sim_.SimStepCount = options.startStepCount;
        sim_.Summary.reset();
        SimulationNotes notes;
        RunSimulation(p, design, sim_, notes, host, Recording::ResultsOnly);
    };
    ComputeRecord record;
    RunComputeSteps(design, params, record, steps);

    DesignResult result = ResultOfRun(params, sim_, units);
    if (options.powerCurve) {
        // Only the curve's maximum is taken from it, never its titles' number texts.
        PowerSpeedCurve(params, OutputUnits{units, NumberSettings{}}, false, sim_.Chart3, host);
        AddCurveMaximum(result, sim_.Chart3);
    }
    const CycleModel& model = CycleModelOf(design.model);
    if (model.GivesIndicatedPower() || options.energy) {
        DesignEnergy energy;
        energy.ownIndicatedPower = model.GivesIndicatedPower();
        if (!simulated) {
            // The compute steps stopped before any run: at a missing input, or at a displacer
            // that does not snap (nothing is missing then).
            const std::optional<double>& beta = result[DesignOutput::Beta];
            const EnergyGap why =
                beta && *beta < 1 ? EnergyGap::DoesNotSnap : EnergyGap::MissingInput;
            energy.outcome = AccurateOutcome::MissingInput;
            energy.atSpeedGap = why;
            energy.omegaBarGap = why;
        }
        if (simulated) energy = model.Energy(analysed, design, sim_, omegaBarSim_, options.energy);
        AddEnergy(result, energy, options.energy);
    }
    if (options.energy && design.losses.given && simulated)
        AddLossFigures(result, analysed, design);
    return result;
}

void AskForOutput(EvaluationOptions& options, DesignOutput output) {
    const DesignOutputColumn& column = OutputColumn(output);
    options.powerCurve = options.powerCurve || column.powerCurve;
    options.energy = options.energy || column.energy;
}

DesignResult EvaluateDesign(const Design& design, const EvaluationOptions& options) {
    DesignEvaluator evaluator;
    return evaluator.Evaluate(design, options);
}

}  // namespace velmora
