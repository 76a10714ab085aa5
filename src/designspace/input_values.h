#pragma once

#include <string>

#include "designspace/sweep_axis.h"
#include "designspace/sweep_inputs.h"
#include "engine/entered_design.h"

namespace velmora {

// Why `value`, typed in the unit `units` chooses for the input, is not a value the input can
// hold: "FROM (-10) is below 0, which the input cannot hold" (a text with a sign is no
// number), or "... is not a value the input can hold in its unit" (0 or below in SI where 0
// means "not given"). `end` names the value ("FROM", "TO"). Empty when it can hold it. Sweeps
// and the optimizer judge their bounds by this one rule.
std::string InputValueProblem(const SweepInput& input, int units, const char* end, double value);

// Why an axis's ends are values its input cannot hold in the unit `base` was entered in
// ("Piston.Stroke: FROM (-10) is below 0, ..."), empty when both are.
std::string AxisValuesProblem(const SweepAxis& axis, const EnteredDesign& base);

// A bound as the messages show it: the shortest text with 15 significant digits.
std::string BoundText(double value);

}  // namespace velmora
