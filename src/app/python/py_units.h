#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

#include "form/control_state.h"
#include "form/input_controls.h"

namespace velmora::python {

// Units by name. Every name comes from the unit table (UnitFamilyOf): an item's symbol
// ("degC"), its short name ("C") or its list item ("Celsius" as the window lists it).

// The input of "SECTION.KEY" (or of its units key, "Piston.StrokeUnits"), or nullptr.
const DesignInput* FindUnitInput(const std::string& key);

// The item of the input's unit list that `name` names; InvalidValue listing the input's units
// when it names none.
int UnitItemOf(const DesignInput& input, const std::string& name, const std::string& key);

// The item of the input's unit list the design keeps its value in; nullopt when the design
// names no unit for it (a file's MassUnits=99). The spring constant without a choice is in N/m
// and the required power is in watts, as the design reads them.
std::optional<int> HeldUnitItem(const ControlState& state, const DesignInput& input);

// The symbol of an item of the input's unit list ("mm").
std::string UnitSymbol(const DesignInput& input, int item);

// A DataFrame column for an input with its unit: "piston_stroke_mm", "hot_temperature_degc";
// without a unit, the snake-case name alone.
std::string InputColumnName(const DesignInput& input, const std::optional<int>& item);

// The unit of an output column as its caption names it ("W", "rad/s", "%"); "" for a pure
// number or a column that is no output.
std::string UnitOfColumn(const std::string& column);

// Changes the unit the design keeps the input in to `item`, converting its value when
// `convert` is set and the value is a number in a known unit.
void SetHeldUnit(ControlState& state, const DesignInput& input, int item, bool convert);

// A range of sweep() or optimize() ((from, to, ...), whose last element may name a unit):
// when it names one, `state` keeps that input in that unit from then on (its value converted)
// and the range is returned without it.
pybind11::object RangeInHeldUnit(ControlState& state, const std::string& key,
                                 const pybind11::handle& range);

// Design.get(..., unit=), set(..., unit=), unit(), si() and set_unit().
void BindUnits(pybind11::module_& module);

}  // namespace velmora::python
