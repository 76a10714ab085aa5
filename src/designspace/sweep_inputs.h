#pragma once

#include <string_view>
#include <vector>

#include "engine/design_inputs.h"

namespace velmora {

// An input a sweep or the optimizer can vary: its parameter-file key as SECTION.KEY, its name
// in the window and its row of the input table.
struct SweepInput {
    const char* key;
    const char* name;
    const DesignInput* input;
};

// The sweepable inputs of the input table, in its order.
const std::vector<SweepInput>& SweepInputs();

// The same list under the name the callers use; filled before main runs.
inline const std::vector<SweepInput>& kSweepInputs = SweepInputs();

// The input of a key (exact spelling), or nullptr.
const SweepInput* FindSweepInput(std::string_view key);

}  // namespace velmora
