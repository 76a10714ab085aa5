#include "engine/design_parameters.h"

namespace velmora {

void StoreParameter(double& field, double value, bool& changed) {
    if (field != value) changed = true;
    field = value;
}

bool StoreDesignInputs(const Design& design, ParameterSet& params) {
    bool changed = false;
    for (const DesignInput& input : kDesignInputs) {
        StoreParameter(params.*input.field, design[input], changed);
        if (input.half != nullptr) StoreParameter(params.*input.half, design[input] / 2, changed);
    }
    for (std::size_t i = kDesignInputs.size(); i < kInputs.size(); ++i)
        params.*kInputs[i].field = design[kInputs[i]];
    return changed;
}

}  // namespace velmora
