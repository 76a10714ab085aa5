#pragma once

#include "engine/design.h"
#include "engine/parameter_set.h"

namespace velmora {

// Stores `value` in `field`, setting `changed` when the two doubles differ (exact comparison).
void StoreParameter(double& field, double value, bool& changed);

// Stores the design's inputs into `params` (each design input with its half, then the required
// power); true when a design input received a new value (exact comparison).
bool StoreDesignInputs(const Design& design, ParameterSet& params);

}  // namespace velmora
