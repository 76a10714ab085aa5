#pragma once

#include <array>
#include <optional>

#include "engine/design.h"
#include "engine/design_inputs.h"
#include "engine/units.h"

namespace velmora {

// A design as it was entered, in numbers: the design in SI and, for each design input, the
// unit its value was given in and that value in it (empty when what was given is no number).
// Sweeps and the optimizer vary inputs in each input's own unit, so they read the unit and the
// value here; the edges (window, parameter file, command line, Python) build it once.
struct EnteredDesign {
    Design design;
    std::array<int, kDesignInputs.size()> units{};  // choice index, kNoChoice for none
    std::array<std::optional<double>, kDesignInputs.size()> entered{};

    // Only for the design inputs (the inputs with a unit choice).
    int UnitOf(const DesignInput& input) const { return units[InputIndex(input)]; }
    std::optional<double> EnteredValue(const DesignInput& input) const {
        return entered[InputIndex(input)];
    }
};

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

}  // namespace velmora
