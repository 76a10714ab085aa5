#include "model/compute_driver.h"

#include <exception>
#include <utility>

#include "form/design_form.h"
#include "model/compute_report.h"
#include "report/analysis_report.h"
#include "report/reference_check.h"

namespace velmora {

void ComputeDriver::Compute(bool forceSimulation, bool refreshSecondGraph) {
    if (Loading) return;
    try {
        RunOnce(forceSimulation, refreshSecondGraph);
    } catch (...) {
        // Nothing the user types throws; this is a fault in a part reached through the hooks
        // (or memory running out). The run ends here with what it has written, says so, and
        // leaves the engine drawing a sample to show. The window stays usable.
        validated_ = false;
        try {
            Memo2.emplace_back("*** Unable to complete the computation");
            hooks_.EnsureSamples();
        } catch (...) {
        }
    }
}

void ComputeDriver::RunOnce(bool forceSimulation, bool refreshSecondGraph) {
    ++runCount_;
    if (hooks_.IsAnimating()) hooks_.StopAnimation();
    if (refreshSecondGraph) hooks_.RefreshSecondGraph();

    // A copy: the run works from the controls as they were when it started.
    const ControlState controls = hooks_.Controls();
    const OutputUnits& units = controls.outputs;

    Memo1.clear();
    Memo2.clear();
    changed_ = false;
    validated_ = true;
    ReportWriter memo1(Memo1, units, LoadedFileName, validated_);
    ReportWriter memo2(Memo2, units, LoadedFileName, validated_);
    ComputeStepHooks steps;
    steps.analyzed = [&](const ParameterSet& params, const ComputeRecord& record) {
        changed_ = record.inputs.changed;
        WriteInputReport(record.inputs, params, memo1);
        WriteAnalysis(record.analysis, params, memo2);
    };
    const DesignReading reading = ReadDesign(controls);
    steps.simulate = [&](ParameterSet& params, bool changed) {
        if (!changed && !forceSimulation) return;
        SimulationNotes notes;
        hooks_.RunSimulation(params, reading.design, GraphSelectionOf(controls), notes);
        WriteSimulationNotes(notes, memo2);
    };
    ComputeRecord record;
    RunComputeSteps(reading, Params, record, steps);
    WriteResultsReport(record, Params, memo2);
    WriteReferenceVerdict(Memo2, LoadedFileName, validated_);

    hooks_.EnsureSamples();
    hooks_.DrawEngineAtClickedFrame();
}

void ComputeDriver::CopyStartOf(const ComputeDriver& from) {
    Params = from.Params;
    LoadedFileName = from.LoadedFileName;
}

void ComputeDriver::TakeResultsOf(ComputeDriver&& run) {
    Params = std::move(run.Params);
    Memo1 = std::move(run.Memo1);
    Memo2 = std::move(run.Memo2);
    changed_ = run.changed_;
    validated_ = run.validated_;
    ++runCount_;
}

}  // namespace velmora
