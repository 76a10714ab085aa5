#pragma once

#include <string>

#include "designspace/sweep_axis.h"
#include "designspace/sweep_inputs.h"
#include "engine/entered_design.h"
#include "form/control_state.h"

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
// The same for a form, entered as EnterDesign reads it.
std::string AxisValuesProblem(const SweepAxis& axis, const ControlState& base);

// A bound as the messages show it: the shortest text with 15 significant digits.
std::string BoundText(double value);

}  // namespace velmora
