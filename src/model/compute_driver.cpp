#include "model/compute_driver.h"

#include <exception>

#include "model/analysis.h"
#include "model/compute_report.h"
#include "model/design_form.h"
#include "model/reference_check.h"
#include "model/scoped_flag.h"

namespace velmora {

void ComputeDriver::Compute(bool forceSimulation, bool refreshSecondGraph) {
    // A pending call is served by one more pass of this loop, with this run's own arguments.
    for (;;) {
        if (Loading) return;
        if (ComputeBusy) {
            ComputePending = true;
            return;
        }
        {
            ScopedFlag busy(ComputeBusy);
            RunGuarded(forceSimulation, refreshSecondGraph);
        }
        if (!ComputePending) return;
        ComputePending = false;
    }
}

void ComputeDriver::RunGuarded(bool forceSimulation, bool refreshSecondGraph) {
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

    // A copy: events processed inside the run must not change the controls under it.
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
        hooks_.RunSimulation(params, reading.design, controls, notes);
        WriteSimulationNotes(notes, memo2);
    };
    ComputeRecord record;
    RunComputeSteps(reading, Params, record, steps);
    WriteResultsReport(record, Params, memo2);
    WriteReferenceVerdict(Memo2, LoadedFileName, validated_);

    hooks_.EnsureSamples();
    hooks_.ProcessPendingEvents();
    hooks_.DrawEngineAtClickedFrame();
}

}  // namespace velmora
