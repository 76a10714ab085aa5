#include "simulation/design_evaluator.h"

#include "model/analysis.h"
#include "model/input_reading.h"
#include "model/report_writer.h"
#include "simulation/cycle_simulation.h"
#include "simulation/power_speed_curve.h"

namespace velmora {

DesignResult DesignEvaluator::Evaluate(const ControlState& controls,
                                       const EvaluationOptions& options) {
    // The steps of ComputeDriver::RunOnce for a forced run without a loaded reference file;
    // the report lines are written (the analysis steps decide by them) but not kept.
    const OutputUnits& units = controls.outputs;
    const std::string noReferenceFile;
    bool changed = false;
    bool validated = true;
    ParameterSet params;
    memo1_.clear();
    ReadAllInputs(controls, params, memo1_, units.numbers, changed, {});

    memo2_.clear();
    ReportWriter memo2(memo2_, units, noReferenceFile, validated);
    AnalyzeEngine(params, memo2);
    sim_.SimStepCount = options.startStepCount;
    sim_.Summary.reset();
    SimulationHost host;
    RunSimulation(params, controls, sim_, memo2_, host, Recording::ResultsOnly);
    AnalyzeDisplacerLoss(params, memo2);

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
