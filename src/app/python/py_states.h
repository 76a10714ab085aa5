#pragma once

#include <pybind11/pybind11.h>

#include "form/control_state.h"
#include "simulation/design_result.h"

namespace velmora::python {

// Equality as pickling must keep it: every key's text, choice or check, the model and the
// loss inputs' texts.
bool SameKeys(const ControlState& a, const ControlState& b);

// Every figure bit for bit (an empty figure equals an empty one), the speed, the reasons for
// empty energy figures and whether losses were given.
bool SameResult(const DesignResult& a, const DesignResult& b);

// The pickled state of a result, and the result again; InvalidValue for a foreign state.
pybind11::tuple ResultState(const DesignResult& result);
DesignResult ResultOfState(const pybind11::tuple& state);

// velmora.Result and velmora.OptimizeResult pickle, deep-copy and compare with ==.
void BindResultStates(pybind11::module_& module);

}  // namespace velmora::python
