#pragma once

#include <QString>

#include "engine/design_inputs.h"

namespace velmora {

struct WindowControls;

// The input's tooltip as the input table words it: its meaning and, when it has a typical
// range, the range in the units the table quotes ("...; typical 20 mm (model) to 300 mm
// (large engine)").
QString InputTip(const DesignInput& input);

// The input's tooltip with its typical range in the unit whose list item reads `unit` (choice
// `choice` of its list): "...; typical 20 mm (model) to 300 mm (large engine)". An input
// without a range, or with a choice that names no unit, keeps InputTip.
QString TipInUnit(const DesignInput& input, int choice, const QString& unit);

// Sets each input field's tooltip for the unit chosen now, and again whenever it changes.
void ConnectTypicalRanges(WindowControls& controls);

}  // namespace velmora
