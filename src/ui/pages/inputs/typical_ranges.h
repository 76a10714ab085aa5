#pragma once

#include <QString>
#include <optional>

#include "model/design_inputs.h"

namespace velmora {

struct WindowControls;

// The typical range of a design input in SI, which its tooltip quotes in the unit chosen for
// it; `note` follows the range ("(unpressurized)", empty for none).
struct TypicalRange {
    InputControl ControlState::*control;
    double low;
    double high;
    const char* lowNote;
    const char* highNote;
};

// The range of an input, or nothing for one whose tooltip gives no numbers.
std::optional<TypicalRange> TypicalRangeOf(const DesignInput& input);

// The input's tooltip with its typical range in the unit whose list item reads `unit` (choice
// `choice` of its list): "...; typical 20 mm (model) to 300 mm (large engine)". An input
// without a range keeps the tooltip of the input table.
QString TipInUnit(const DesignInput& input, int choice, const QString& unit);

// Sets each input field's tooltip for the unit chosen now, and again whenever it changes.
void ConnectTypicalRanges(WindowControls& controls);

}  // namespace velmora
