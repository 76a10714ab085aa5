#pragma once

#include <string>
#include <vector>

#include "engine/design.h"
#include "engine/parameter_set.h"
#include "form/control_state.h"
#include "form/graph_selection.h"
#include "model/simulation_notes.h"

namespace velmora {

// What a compute run needs from the parts above the model (simulation, window, command line).
// Every hook has a harmless default so tests and headless callers override only what they use.
class ComputeHooks {
  public:
    virtual ~ComputeHooks() = default;

    // The controls as they stand now; read once at the start of every run.
    virtual const ControlState& Controls() = 0;

    // Step 2: stop a running animation as its button does.
    virtual bool IsAnimating() const { return false; }
    virtual void StopAnimation() {}

    // Step 3: re-apply the second-graph choice (may recompute the power/speed curve).
    virtual void RefreshSecondGraph() {}

    // Step 7: the cycle simulation of `design`, its curves drawn as `graphs` chooses them;
    // sets the PV powers and says in `notes` what its report lines are to say.
    virtual void RunSimulation(ParameterSet& /*params*/, const Design& /*design*/,
                               const GraphSelection& /*graphs*/, SimulationNotes& /*notes*/) {}

    // Step 12: give the sample lists their placeholder "0" entries when they are empty.
    virtual void EnsureSamples() {}

    // Step 14: redraw the engine at the last clicked sample position.
    virtual void DrawEngineAtClickedFrame() {}
};

}  // namespace velmora
