#include "simulation/design_evaluator.h"

#include "model/compute_steps.h"
#include "simulation/cycle_simulation.h"
#include "simulation/power_speed_curve.h"

namespace velmora {

DesignResult DesignEvaluator::Evaluate(const ControlState& controls,
                                       const EvaluationOptions& options) {
    // The compute driver's steps for a forced run, with no report written.
    const OutputUnits& units = controls.outputs;
    ParameterSet params;
    SimulationHost host;
    ComputeStepHooks steps;
    steps.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) {
        sim_.SimStepCount = options.startStepCount;
        sim_.Summary.reset();
        SimulationNotes notes;
        RunSimulation(p, controls, sim_, notes, host, Recording::ResultsOnly);
    };
    ComputeRecord record;
    RunComputeSteps(controls, params, record, steps);

    DesignResult result = ResultOfRun(params, sim_, units);
    if (options.powerCurve) {
        PowerSpeedCurve(params, controls, sim_.Chart3, host);
        AddCurveMaximum(result, sim_.Chart3);
    }
    return result;
}

DesignResult EvaluateDesign(const ControlState& controls, const EvaluationOptions& options) {
    DesignEvaluator evaluator;
    return evaluator.Evaluate(controls, options);
}

}  // namespace velmora
