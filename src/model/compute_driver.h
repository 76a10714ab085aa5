#pragma once

#include <string>
#include <vector>

#include "engine/parameter_set.h"
#include "model/compute_hooks.h"

namespace velmora {

// The one procedure that brings every result up to date with the inputs: reads the inputs,
// writes the two report panes, runs the analysis and (through the hooks) the simulation,
// checks the reference cases and redraws the engine. A run is never re-entered: nothing inside
// it lets the caller's events run. The window runs it on a copy on another thread and takes
// over the copy's results when it ends (TakeResultsOf).
class ComputeDriver {
  public:
    explicit ComputeDriver(ComputeHooks& hooks) : hooks_(hooks) {}

    void Compute(bool forceSimulation, bool refreshSecondGraph);

    ParameterSet Params;
    std::vector<std::string> Memo1;  // inputs as read
    std::vector<std::string> Memo2;  // computed values

    // Set while a parameter file is put into the controls: Compute then does nothing.
    bool Loading = false;

    // The file name last chosen with the load command (not the start-up "Default.INI");
    // selects the reference case.
    std::string LoadedFileName;

    // Marks of the latest run, for tests and callers.
    bool RunChanged() const { return changed_; }
    bool RunValidated() const { return validated_; }
    int RunCount() const { return runCount_; }

    // What a run on a copy starts from: the parameter set (its values decide what changed)
    // and the loaded file's name.
    void CopyStartOf(const ComputeDriver& from);
    // Takes over the results of a finished run made on a copy: the parameter set, both panes
    // and the run's marks; counts as one run.
    void TakeResultsOf(ComputeDriver&& run);

  private:
    void RunOnce(bool forceSimulation, bool refreshSecondGraph);

    ComputeHooks& hooks_;
    bool changed_ = false;
    bool validated_ = true;
    int runCount_ = 0;
};

}  // namespace velmora
