#include "model/compute_driver.h"

#include <exception>

#include "model/analysis.h"
#include "model/input_reading.h"
#include "model/reference_check.h"
#include "model/report_writer.h"

namespace velmora {

namespace {

// Sets a flag for the life of the scope and clears it however the scope is left, so that
// ComputeBusy can never stay set after a run.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

// The reference of an input field whose report line is checked.
const ReferenceValue* InputReference(double ParameterSet::*field) {
    if (field == &ParameterSet::DispHalfStroke) return &reference::DispHalfStroke;
    if (field == &ParameterSet::DispMass) return &reference::DispMass;
    if (field == &ParameterSet::PistonHalfStroke) return &reference::PistonHalfStroke;
    if (field == &ParameterSet::DeadSpaceVol) return &reference::DeadSpaceVol;
    if (field == &ParameterSet::DeadSpaceTemp) return &reference::DeadSpaceTemp;
    if (field == &ParameterSet::HotTemp) return &reference::HotTemp;
    if (field == &ParameterSet::ColdTemp) return &reference::ColdTemp;
    if (field == &ParameterSet::MeanEnginePressure) return &reference::MeanEnginePressure;
    return nullptr;
}

void WriteInputLine(ReportWriter& memo1, const char* label, InputUnitKind kind,
                    double ParameterSet::*field, bool checked, const ParameterSet& params) {
    memo1.Add(label + DesignInputText(kind, memo1.Units(), params.*field));
    if (!checked) return;
    if (const ReferenceValue* ref = InputReference(field)) memo1.Check(*ref, params.*field);
}

}  // namespace

void ComputeDriver::Compute(bool forceSimulation, bool refreshSecondGraph) {
    // A pending call is served by one more pass of this loop, with this run's own arguments.
    for (;;) {
        if (Loading) return;
        if (ComputeBusy) {
            ComputePending = true;
            return;
        }
        {
            FlagScope busy(ComputeBusy);
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
    changed_ = false;
    validated_ = true;
    ReportWriter memo1(Memo1, units, LoadedFileName, validated_);
    ReadAllInputs(controls, Params, Memo1, units.numbers, changed_,
                  [&](const DesignInput& input, const ParameterSet& params) {
                      WriteInputLine(memo1, input.label, input.kind, input.field,
                                     input.referenceChecked, params);
                      if (input.halfLabel != nullptr) {
                          WriteInputLine(memo1, input.halfLabel, input.kind, input.half,
                                         input.halfReferenceChecked, params);
                      }
                  });
    if (Params.RequiredEnginePower != 0) {
        memo1.Add(kRequiredEnginePowerLabel + PowerText(units, Params.RequiredEnginePower));
    }

    Memo2.clear();
    ReportWriter memo2(Memo2, units, LoadedFileName, validated_);
    AnalyzeEngine(Params, memo2);
    if (changed_ || forceSimulation) hooks_.RunSimulation(Params, controls, Memo2);
    ReportSchmidtResults(Params, memo2);
    ReportPVPowers(Params, memo2);
    AnalyzeDisplacerLoss(Params, memo2);
    WriteReferenceVerdict(Memo2, LoadedFileName, validated_);

    hooks_.EnsureSamples();
    hooks_.ProcessPendingEvents();
    hooks_.DrawEngineAtClickedFrame();
}

}  // namespace velmora
