#include "form/graph_selection.h"

#include "form/control_state.h"

namespace velmora {

GraphSelection GraphSelectionOf(const ControlState& controls) {
    return {.red = controls.RedGraphRG,
            .blue = controls.BlueGraphRG,
            .xAxis = controls.XAxisRG,
            .secondGraph = controls.ShowGraph2RG,
            .units = controls.outputs};
}

}  // namespace velmora
