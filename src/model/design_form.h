#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/control_state.h"
#include "model/design.h"
#include "model/parameter_set.h"

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

// A whole number text (optional sign, digits, within 32 bits) as its value; `whenEmpty` for
// an empty text and `whenNotWhole` for anything else.
int ReadWholeNumber(std::string_view text, int whenEmpty, int whenNotWhole);

// Empty counts are -1 (automatic), unreadable ones 1; Max Auto is 10 unless readable; the
// offset is 0 unless readable.
CycleSchedule ReadCycleSchedule(const ControlState& controls);

// The value as the tools type a trial value into a field: rounded to the 15 significant
// digits its text shows; empty for a value no field can hold (below 0, -0, not finite, or
// beyond a double once rounded).
std::optional<double> TypedTrialValue(double value);

// Sets a design input to `value` in the unit choice `units`, as typing the tools' trial text
// of it into the field would: rounded as TypedTrialValue, then converted to SI; a value the
// field cannot hold, or a unit choice that names no unit, leaves the input not given (0).
void SetInputInUnit(Design& design, const DesignInput& input, int units, double value);
// The same with `value` exactly as given, not rounded to a text's digits (the Python module's
// sweeps, whose values are the doubles numpy gives).
void SetExactInputInUnit(Design& design, const DesignInput& input, int units, double value);

// Stores the design's inputs into `params` (each design input with its half, then the required
// power); true when a design input received a new value (exact comparison).
bool StoreDesignInputs(const Design& design, ParameterSet& params);

}  // namespace velmora
