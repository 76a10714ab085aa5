#pragma once

#include <string>
#include <vector>

#include "model/compute_hooks.h"
#include "model/parameter_set.h"

namespace velmora {

// The one procedure that brings every result up to date with the inputs: reads the inputs,
// writes the two report panes, runs the analysis and (through the hooks) the simulation,
// checks the reference cases and redraws the engine. Guards itself against re-entry.
class ComputeDriver {
  public:
    explicit ComputeDriver(ComputeHooks& hooks) : hooks_(hooks) {}

    void Compute(bool forceSimulation, bool refreshSecondGraph);

    ParameterSet Params;
    std::vector<std::string> Memo1;  // inputs as read
    std::vector<std::string> Memo2;  // computed values

    bool Loading = false;
    bool ComputeBusy = false;
    bool ComputePending = false;

    // The file name last chosen with the load command (not the start-up "Default.INI");
    // selects the reference case.
    std::string LoadedFileName;

    // Marks of the latest run, for tests and callers.
    bool RunChanged() const { return changed_; }
    bool RunValidated() const { return validated_; }
    int RunCount() const { return runCount_; }

  private:
    void RunGuarded(bool forceSimulation, bool refreshSecondGraph);
    void RunOnce(bool forceSimulation, bool refreshSecondGraph);

    ComputeHooks& hooks_;
    bool changed_ = false;
    bool validated_ = true;
    int runCount_ = 0;
};

}  // namespace velmora
