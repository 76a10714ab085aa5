#pragma once

#include <array>
#include <string>

#include "engine/design_inputs.h"
#include "form/control_state.h"

namespace velmora {

// Where the window's form (and so a parameter file's text) keeps one input: its text and unit
// choice, or, for an input typed without a unit choice, its text alone.
struct InputFormColumn {
    InputControl ControlState::*control = nullptr;
    std::string ControlState::*text = nullptr;
};

namespace input_form {

using C = ControlState;

// Keyed by the input's index in kInputs.
inline constexpr auto kColumns = std::to_array<InputFormColumn>({
    {.control = &C::EditDispDiameter},
    {.control = &C::EditDispStroke},
    {.control = &C::EditDispMass},
    {.control = &C::EditDispRodDiameter},
    {.control = &C::EditSpringConstant},
    {.control = &C::EditSpringCenter},
    {.control = &C::EditPistonDiameter},
    {.control = &C::EditPistonStroke},
    {.control = &C::EditDeadSpaceVol},
    {.control = &C::EditDeadSpaceTemp},
    {.control = &C::EditHotTemp},
    {.control = &C::EditColdTemp},
    {.control = &C::EditEngineSpeed},
    {.control = &C::EditMeanEnginePressure},
    {.text = &C::EditRequiredEnginePower},
});

constexpr bool MatchesTheInputTable() {
    if (kColumns.size() != kInputs.size()) return false;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const bool withUnits = kInputs[i].unitsKey != nullptr;
        if ((kColumns[i].control != nullptr) != withUnits) return false;
        if ((kColumns[i].text != nullptr) == withUnits) return false;
    }
    return true;
}
static_assert(MatchesTheInputTable(),
              "one form column per input, a unit choice exactly where the input table has one");

}  // namespace input_form

// The form's column of the input.
constexpr const InputFormColumn& FormColumn(const DesignInput& input) {
    return input_form::kColumns[InputIndex(input)];
}

// The input's text and unit choice in the form; only for the design inputs.
inline InputControl& InputField(ControlState& state, const DesignInput& input) {
    return state.*FormColumn(input).control;
}
inline const InputControl& InputField(const ControlState& state, const DesignInput& input) {
    return state.*FormColumn(input).control;
}

// The input's text in `state`.
std::string& InputText(ControlState& state, const DesignInput& input);
const std::string& InputText(const ControlState& state, const DesignInput& input);
// The input's unit choice in `state`, nullptr when it has none.
int* InputUnits(ControlState& state, const DesignInput& input);
const int* InputUnits(const ControlState& state, const DesignInput& input);

// The input read from `control`, or nullptr.
const DesignInput* FindInput(InputControl ControlState::*control);

}  // namespace velmora
