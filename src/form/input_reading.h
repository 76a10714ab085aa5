#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/parameter_set.h"
#include "form/control_state.h"
#include "form/input_controls.h"
#include "report/number_settings.h"
#include "report/unit_text.h"

namespace velmora {

// The value of a number text, else 0; in that case, when `message` is not nullptr, the line
// "*** " + message is appended to `report`. A nullptr message is never reported.
double ReadInput(std::string_view text, const char* message, std::vector<std::string>& report,
                 const NumberSettings& numbers);

// Label of the required power's value line, written only when that power is not 0.
inline constexpr const char* kRequiredEnginePowerLabel = kInputs.back().label;

// An SI value of the input's kind as the input report shows it ("304.8 mm", "100 C").
std::string DesignInputText(InputUnitKind kind, const OutputUnits& units, double si);

// What reading the inputs found beside their values: which design inputs are not defined (no
// number, no unit, or a value that overflows its conversion; stored as 0) and whether any
// design input received a new value. The input report is written from it.
struct InputRecord {
    std::array<bool, kDesignInputs.size()> undefined{};
    bool changed = false;
};

// Reads every input of `controls` into `params`: the design inputs in order (each with its
// half), then RequiredEnginePower, stored directly and never reported as missing.
InputRecord ReadDesignInputs(const ControlState& controls, ParameterSet& params,
                             const NumberSettings& numbers);

// Called once per design input, in reading order, after the inputs have been stored: the
// input's "*** " line (if any) is already in the report. The callee writes the value line(s)
// and reference checks.
using DesignInputRead = std::function<void(const DesignInput& input, const ParameterSet& params)>;

// ReadDesignInputs with the "*** ... not defined!" lines in `report`. `changed` is set when any
// design input received a new value; it is not cleared here. `afterEach` may be empty.
void ReadAllInputs(const ControlState& controls, ParameterSet& params,
                   std::vector<std::string>& report, const NumberSettings& numbers, bool& changed,
                   const DesignInputRead& afterEach);

}  // namespace velmora
