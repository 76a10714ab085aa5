#include "designspace/sweep_inputs.h"

namespace velmora {

const SweepInput* FindSweepInput(std::string_view key) {
    for (const SweepInput& input : kSweepInputs)
        if (key == input.key) return &input;
    return nullptr;
}

}  // namespace velmora
