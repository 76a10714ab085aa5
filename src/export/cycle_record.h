#pragma once

#include <cstdint>
#include <vector>

#include "simulation/cycle_model.h"

namespace velmora {

// The graphed steps of the last simulation run, in recording order (the order of the sample
// lists). A session empties it when a run starts and adds each step the run records.
using CycleRecord = std::vector<CycleRow>;

}  // namespace velmora
