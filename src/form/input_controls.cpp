#include "form/input_controls.h"

namespace velmora {

std::string& InputText(ControlState& state, const DesignInput& input) {
    const InputFormColumn& column = FormColumn(input);
    return column.control != nullptr ? (state.*column.control).text : state.*column.text;
}

const std::string& InputText(const ControlState& state, const DesignInput& input) {
    const InputFormColumn& column = FormColumn(input);
    return column.control != nullptr ? (state.*column.control).text : state.*column.text;
}

int* InputUnits(ControlState& state, const DesignInput& input) {
    const InputFormColumn& column = FormColumn(input);
    return column.control != nullptr ? &(state.*column.control).units : nullptr;
}

const int* InputUnits(const ControlState& state, const DesignInput& input) {
    const InputFormColumn& column = FormColumn(input);
    return column.control != nullptr ? &(state.*column.control).units : nullptr;
}

const DesignInput* FindInput(InputControl ControlState::*control) {
    for (const DesignInput& input : kInputs)
        if (control != nullptr && FormColumn(input).control == control) return &input;
    return nullptr;
}

}  // namespace velmora
