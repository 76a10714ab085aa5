#include "py_units.h"

#include <pybind11/stl.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <mutex>

#include "report/number_text.h"
#include "report/unit_text.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_values.h"
#include "simulation/design_result.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

const UnitFamilyInfo& FamilyOf(const DesignInput& input) {
    return UnitFamilyOf(InputUnitFamily(input.kind));
}

std::string AllowedNames(const DesignInput& input) {
    const UnitFamilyInfo& family = FamilyOf(input);
    std::string names;
    for (int i = 0; i < family.count; ++i)
        names += std::string(i > 0 ? ", " : "") + "'" + family.items[i].symbol + "'";
    return names;
}

bool Names(const UnitChoice& item, const std::string& name) {
    for (const char* word : {item.symbol, item.name, item.listItem})
        if (word != nullptr && name == word) return true;
    return false;
}

// The input of "SECTION.KEY" itself (not of its units key), for a value in a unit.
const DesignInput& ValueInputOf(const std::string& key) {
    const DesignInput* input = FindUnitInput(key);
    if (input == nullptr || InputFileKey(*input) != key)
        throw InvalidValue(key + " has no unit: units belong to the design inputs (" +
                           InputFileKey(kInputs.front()) + ", ...)");
    return *input;
}

// The input's value in the design's unit, nullopt when its text holds no number.
std::optional<double> HeldValue(ControlState& state, const DesignInput& input) {
    return NumberTextValue(InputText(state, input), state.outputs.numbers);
}

double Convert(const DesignInput& input, int from, int to, double x) {
    if (from == to) return x;  // exactly as given: no round trip through SI
    const UnitFamilyInfo& family = FamilyOf(input);
    return family.items[to].fromSI(family.items[from].toSI(x));
}

int RequireHeldUnit(const ControlState& state, const DesignInput& input, const std::string& key) {
    const std::optional<int> held = HeldUnitItem(state, input);
    if (!held)
        throw InvalidValue(key + ": the design names no unit for it; choose one with " +
                           "set_unit(\"" + key + "\", name) (the units are " + AllowedNames(input) +
                           ")");
    return *held;
}

py::object GetInUnit(Design& design, const std::string& key, const py::object& fallback,
                     const py::object& unit) {
    if (!Contains(key)) return fallback;
    if (unit.is_none()) return GetKey(design, key);
    const DesignInput& input = ValueInputOf(key);
    const int to = UnitItemOf(input, py::str(unit), key);
    const int from = RequireHeldUnit(design.state, input, key);
    const std::optional<double> value = HeldValue(design.state, input);
    if (!value) return fallback;
    return py::float_(Convert(input, from, to, *value));
}

void SetInUnit(Design& design, const std::string& key, const py::handle& value,
               const py::object& unit) {
    if (unit.is_none()) return SetKey(design, key, value);
    const DesignInput& input = ValueInputOf(key);
    const int from = UnitItemOf(input, py::str(unit), key);
    const int to = RequireHeldUnit(design.state, input, key);
    if (from == to) return SetKey(design, key, value);
    std::optional<double> number =
        py::isinstance<py::str>(value) ? NumberTextValue(value.cast<std::string>()) : RealOf(value);
    if (!number)
        throw InvalidValue(key + ": " + std::string(py::str(py::repr(value))) + " is not a number");
    SetKey(design, key, py::float_(Convert(input, from, to, *number)));
}

py::dict SiValues(Design& design) {
    py::dict out;
    for (const DesignInput& input : kInputs) {
        const std::optional<int> held = HeldUnitItem(design.state, input);
        const std::optional<double> value = HeldValue(design.state, input);
        const double si = held && value ? FamilyOf(input).items[*held].toSI(*value)
                                        : std::numeric_limits<double>::quiet_NaN();
        out[py::str(InputFileKey(input))] = si;
    }
    return out;
}

}  // namespace

const DesignInput* FindUnitInput(const std::string& key) {
    for (const DesignInput& input : kInputs) {
        const std::string name = InputFileKey(input);
        if (key == name) return &input;
        if (input.unitsKey != nullptr && key == std::string(input.section) + "." + input.unitsKey)
            return &input;
    }
    return nullptr;
}

int UnitItemOf(const DesignInput& input, const std::string& name, const std::string& key) {
    const UnitFamilyInfo& family = FamilyOf(input);
    for (int i = 0; i < family.count; ++i)
        if (Names(family.items[i], name)) return i;
    throw InvalidValue(key + ": unknown unit '" + name + "'; the units are " + AllowedNames(input));
}

std::optional<int> HeldUnitItem(const ControlState& state, const DesignInput& input) {
    const int* units = InputUnits(state, input);
    const int count = FamilyOf(input).count;
    if (units != nullptr && *units >= 0 && *units < count) return *units;
    if (InputUnitDefined(input.kind, units != nullptr ? *units : kNoChoice))
        return SIChoice(input.kind);
    return std::nullopt;
}

std::string UnitSymbol(const DesignInput& input, int item) {
    return FamilyOf(input).items[item].symbol;
}

std::string InputColumnName(const DesignInput& input, const std::optional<int>& item) {
    std::string name;
    for (const char c : std::string(input.name))
        name += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!item) return name;
    name += '_';
    for (const char c : UnitSymbol(input, *item)) {
        if (c == '/')
            name += '_';
        else if (c != '^')
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

std::string UnitOfColumn(const std::string& column) {
    // The unit an output's caption names: "Shaft power (W)".
    const DesignOutputColumn* output = FindOutputColumn(column);
    if (output == nullptr) return "";
    const std::string caption = output->caption;
    const std::size_t open = caption.rfind('(');
    if (open == std::string::npos || caption.back() != ')') return "";
    return caption.substr(open + 1, caption.size() - open - 2);
}

void SetHeldUnit(ControlState& state, const DesignInput& input, int item, bool convert) {
    int* units = InputUnits(state, input);
    if (units == nullptr) return;  // watts only
    const std::optional<int> held = HeldUnitItem(state, input);
    if (convert && held && *held != item) {
        if (const std::optional<double> value = HeldValue(state, input))
            InputText(state, input) = NumberAsText(Convert(input, *held, item, *value));
    }
    *units = item;
}

py::object RangeInHeldUnit(ControlState& state, const std::string& key, const py::handle& range) {
    if (!py::isinstance<py::tuple>(range) && !py::isinstance<py::list>(range))
        return py::reinterpret_borrow<py::object>(range);
    const auto parts = py::reinterpret_borrow<py::sequence>(range);
    if (parts.size() < 2 || !py::isinstance<py::str>(parts[parts.size() - 1]) ||
        parts[parts.size() - 1].cast<std::string>() == "log")
        return py::reinterpret_borrow<py::object>(range);
    const DesignInput* input = FindUnitInput(key);
    if (input == nullptr) return py::reinterpret_borrow<py::object>(range);  // refused later
    const int item = UnitItemOf(*input, parts[parts.size() - 1].cast<std::string>(), key);
    SetHeldUnit(state, *input, item, true);
    py::list rest;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) rest.append(parts[i]);
    return py::tuple(rest);
}

void BindUnits(py::module_& module) {
    py::class_<Design> design = module.attr("Design");
    design
        .def("get", &GetInUnit, py::arg("key"), py::arg("default") = py::none(), py::kw_only(),
             py::arg("unit") = py::none(),
             "design[key], or `default` for a key a parameter file does not have (or, with a "
             "unit, an input whose text holds no number). unit=\"mm\" gives a design input's "
             "value in that unit, whatever unit the design keeps it in.")
        .def("set", &SetInUnit, py::arg("key"), py::arg("value"), py::kw_only(),
             py::arg("unit") = py::none(),
             "design[key] = value; with unit=\"mm\" (\"degC\", \"rpm\", \"atm\", ...) the value "
             "is in that unit and is converted into the unit the design keeps for the input.")
        .def(
            "unit",
            [](const Design& d, const std::string& key) -> py::object {
                if (!Contains(key)) throw UnknownKey("unknown input key '" + key + "'");
                const DesignInput* input = FindUnitInput(key);
                if (input == nullptr || key != InputFileKey(*input)) return py::none();
                const std::optional<int> held = HeldUnitItem(d.state, *input);
                return held ? py::object(py::str(UnitSymbol(*input, *held))) : py::none();
            },
            py::arg("key"),
            "The name of the unit the design keeps an input in (\"mm\", \"degC\", \"rpm\", "
            "\"atm\", \"W\"), None for a key without a unit or a unit the file does not name.")
        .def_static(
            "units",
            [](const std::string& key) {
                std::vector<std::string> names;
                const DesignInput& input = ValueInputOf(key);
                for (int i = 0; i < FamilyOf(input).count; ++i)
                    names.push_back(UnitSymbol(input, i));
                return names;
            },
            py::arg("key"), "The unit names an input may be given in.")
        .def("si", &SiValues,
             "The inputs in SI units (m, m^3, kg, N/m, K, rad/s, Pa, W) by SECTION.KEY, as the "
             "design is computed from them; NaN for an input that holds no number.")
        .def(
            "set_unit",
            [](Design& d, const std::string& key, const std::string& name, bool convert) {
                if (!Contains(key)) throw UnknownKey("unknown input key '" + key + "'");
                const DesignInput* input = FindUnitInput(key);
                if (input == nullptr) ValueInputOf(key);  // refused, naming the inputs
                const int item = UnitItemOf(*input, name, key);
                const std::lock_guard lock(*d.evaluating);
                SetHeldUnit(d.state, *input, item, convert);
            },
            py::arg("key"), py::arg("name"), py::arg("convert") = true,
            "Keeps an input in another unit: with convert=True (the default) its value is "
            "converted, so the design stays the same; with convert=False the number stays and "
            "now means that unit.");
}

}  // namespace velmora::python
