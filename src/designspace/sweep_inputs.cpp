#include "designspace/sweep_inputs.h"

#include <string>

namespace velmora {

namespace {

struct SweepInputList {
    std::vector<std::string> keys;  // complete before `inputs` points into it
    std::vector<SweepInput> inputs;

    SweepInputList() {
        for (const DesignInput& input : kInputs)
            if (input.sweepable) keys.push_back(InputFileKey(input));
        std::size_t next = 0;
        for (const DesignInput& input : kInputs)
            if (input.sweepable) inputs.push_back({keys[next++].c_str(), input.name, &input});
    }
};

}  // namespace

const std::vector<SweepInput>& SweepInputs() {
    static const SweepInputList list;
    return list.inputs;
}

const SweepInput* FindSweepInput(std::string_view key) {
    for (const SweepInput& input : SweepInputs())
        if (key == input.key) return &input;
    return nullptr;
}

}  // namespace velmora
