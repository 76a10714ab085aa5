#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/design.h"
#include "engine/design_parameters.h"
#include "engine/entered_design.h"
#include "engine/parameter_set.h"
#include "form/control_state.h"

namespace velmora {

// A design read from the window's form, with which design inputs were not defined (no number,
// no unit, or a value that overflows its conversion; held as 0) for the input report.
struct DesignReading {
    Design design;
    std::array<bool, kDesignInputs.size()> undefined{};
};

// Reads every field, choice and count of `controls` once, with the decimal separator of its
// output settings.
DesignReading ReadDesign(const ControlState& controls);

// The design as entered in the form: ReadDesign's design, and each design input's unit
// choice and the number its text holds (what the tools vary).
EnteredDesign EnterDesign(const ControlState& controls);

// Each design input's text as typed in the form (the optimizer's table shows it as the value
// before).
std::array<std::string, kDesignInputs.size()> EnteredTexts(const ControlState& controls);

// A whole number text (optional sign, digits, within 32 bits) as its value; `whenEmpty` for
// an empty text and `whenNotWhole` for anything else.
int ReadWholeNumber(std::string_view text, int whenEmpty, int whenNotWhole);

// Empty counts are -1 (automatic), unreadable ones 1; Max Auto is 10 unless readable; the
// offset is 0 unless readable.
CycleSchedule ReadCycleSchedule(const ControlState& controls);

}  // namespace velmora
