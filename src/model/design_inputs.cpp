#include "model/design_inputs.h"

namespace velmora {

std::string& InputText(ControlState& state, const DesignInput& input) {
    return input.control != nullptr ? (state.*input.control).text : state.*input.text;
}

const std::string& InputText(const ControlState& state, const DesignInput& input) {
    return input.control != nullptr ? (state.*input.control).text : state.*input.text;
}

int* InputUnits(ControlState& state, const DesignInput& input) {
    return input.control != nullptr ? &(state.*input.control).units : nullptr;
}

const int* InputUnits(const ControlState& state, const DesignInput& input) {
    return input.control != nullptr ? &(state.*input.control).units : nullptr;
}

const DesignInput* FindInput(InputControl ControlState::*control) {
    for (const DesignInput& input : kInputs)
        if (input.control != nullptr && input.control == control) return &input;
    return nullptr;
}

std::string InputFileKey(const DesignInput& input) {
    return std::string(input.section) + "." + input.key;
}

}  // namespace velmora
