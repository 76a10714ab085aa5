#pragma once

#include <cstdint>
#include <vector>

#include "simulation/simulation_output.h"

namespace velmora {

// One graphed step of a run with all its quantities.
struct CycleRow {
    std::int32_t stepCount = 0;
    StepValues step;
};

// The graphed steps of the last simulation run, in recording order (the order of the sample
// lists). A session empties it when a run starts and adds each step the run records.
using CycleRecord = std::vector<CycleRow>;

}  // namespace velmora
