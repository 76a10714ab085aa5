#pragma once

#include <optional>

#include "engine/design.h"
#include "engine/parameter_set.h"

namespace velmora {

// The engine under load: its brake power over speed with the design's losses (lossy_energy.h).
// Speeds in rad/s; an absent figure was not found in the searched range (0.02 to 4 times the
// engine speed).
struct UnderLoad {
    std::optional<double> maxBrakePower;  // W
    std::optional<double> speedAtMaxBrakePower;
    std::optional<double> noLoadSpeed;   // above the maximum, where the brake power falls to 0
    std::optional<double> runningSpeed;  // brake torque equals the load torque, torque falling
};

UnderLoad SearchUnderLoad(const ParameterSet& analysed, const Design& design);

// The lowest hot wall temperature (K, to 0.1 K) at which the maximum brake power over speed is
// positive; absent when it is not positive at the design's own hot temperature.
std::optional<double> MinHotTemp(const ParameterSet& analysed, const Design& design);

}  // namespace velmora
