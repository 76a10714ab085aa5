// Results as plain Python values: what pickle, copy.deepcopy and == see of velmora.Result and
// velmora.OptimizeResult (multiprocessing, joblib and caches need the first two).
#include "py_states.h"

#include <pybind11/stl.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "persistence/parameter_keys.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_optimize.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

// Bit for bit, so that a NaN figure equals itself after a round trip.
bool SameFigure(const std::optional<double>& a, const std::optional<double>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
}

py::object FigureOrNone(const std::optional<double>& value) {
    return value ? py::object(py::float_(*value)) : py::object(py::none());
}

constexpr int kResultStateVersion = 1;
constexpr int kOptimizeStateVersion = 1;

py::tuple OptimizeState(const OptimizeResult& r) {
    py::list constraints;
    for (const Constraint& c : r.constraints)
        constraints.append(py::make_tuple(static_cast<int>(c.kind), c.margin));
    py::list history;
    for (const ProgressPoint& p : r.history)
        history.append(py::make_tuple(p.evaluations, p.objective));
    py::list table;
    for (const ResultRow& row : r.table)
        table.append(py::make_tuple(row.label, row.before, row.after));
    // The best design travels as a velmora.Design, whose own pickling keeps every text.
    const py::object best = r.best ? py::cast(Design(*r.best, "")) : py::object(py::none());
    const py::object bestResult =
        r.bestResult ? py::object(ResultState(*r.bestResult)) : py::object(py::none());
    return py::make_tuple(kOptimizeStateVersion, static_cast<int>(r.objective), constraints,
                          r.status, best, ResultState(r.startResult), bestResult, r.evaluations,
                          history, table, r.text);
}

OptimizeResult OptimizeOfState(const py::tuple& s) {
    if (s.size() != 11 || s[0].cast<int>() != kOptimizeStateVersion)
        throw InvalidValue("not the state of a pickled velmora.OptimizeResult");
    OptimizeResult r;
    r.objective = static_cast<Objective>(s[1].cast<int>());
    for (const py::handle c : s[2].cast<py::list>()) {
        const auto pair = c.cast<py::tuple>();
        r.constraints.push_back(
            {static_cast<ConstraintKind>(pair[0].cast<int>()), pair[1].cast<double>()});
    }
    r.status = s[3].cast<std::string>();
    if (!s[4].is_none()) r.best = s[4].cast<const Design&>().state;
    r.startResult = ResultOfState(s[5].cast<py::tuple>());
    if (!s[6].is_none()) r.bestResult = ResultOfState(s[6].cast<py::tuple>());
    r.evaluations = s[7].cast<int>();
    for (const py::handle p : s[8].cast<py::list>()) {
        const auto pair = p.cast<py::tuple>();
        r.history.push_back({pair[0].cast<int>(), pair[1].cast<double>()});
    }
    for (const py::handle row : s[9].cast<py::list>()) {
        const auto texts = row.cast<py::tuple>();
        r.table.push_back({texts[0].cast<std::string>(), texts[1].cast<std::string>(),
                           texts[2].cast<std::string>()});
    }
    r.text = s[10].cast<std::string>();
    return r;
}

}  // namespace

bool SameKeys(const ControlState& a, const ControlState& b) {
    ControlState x = a;
    ControlState y = b;
    for (const ParameterKey& key : ParameterKeys()) {
        const ParameterControl p = key.control(x);
        const ParameterControl q = key.control(y);
        const bool same = p.flag != nullptr     ? *p.flag == *q.flag
                          : p.number != nullptr ? *p.number == *q.number
                                                : *p.text == *q.text;
        if (!same) return false;
    }
    return x.Integration == y.Integration && x.lossTexts.values == y.lossTexts.values &&
           x.lossTexts.units == y.lossTexts.units;
}

bool SameResult(const DesignResult& a, const DesignResult& b) {
    for (std::size_t i = 0; i < a.values.size(); ++i)
        if (!SameFigure(a.values[i], b.values[i])) return false;
    const EnergyGaps& g = a.energyGaps;
    const EnergyGaps& h = b.energyGaps;
    return std::bit_cast<std::uint64_t>(a.engineSpeed) ==
               std::bit_cast<std::uint64_t>(b.engineSpeed) &&
           g.atSpeed == h.atSpeed && g.atOmegaBar == h.atOmegaBar &&
           g.indicatedPower == h.indicatedPower && g.heat == h.heat &&
           a.lossesGiven == b.lossesGiven;
}

// The figures by column name, so that a state pickled before a column was added still reads.
py::tuple ResultState(const DesignResult& r) {
    py::dict figures;
    for (const DesignOutputColumn& column : kDesignOutputColumns)
        figures[column.name] = FigureOrNone(r[column.output]);
    const EnergyGaps& g = r.energyGaps;
    return py::make_tuple(
        kResultStateVersion, figures, r.engineSpeed,
        py::make_tuple(static_cast<int>(g.atSpeed), static_cast<int>(g.atOmegaBar),
                       static_cast<int>(g.indicatedPower), static_cast<int>(g.heat)),
        r.lossesGiven);
}

DesignResult ResultOfState(const py::tuple& s) {
    if (s.size() != 5 || s[0].cast<int>() != kResultStateVersion)
        throw InvalidValue("not the state of a pickled velmora.Result");
    DesignResult r;
    const auto figures = s[1].cast<py::dict>();
    for (const DesignOutputColumn& column : kDesignOutputColumns) {
        if (!figures.contains(column.name)) continue;
        const py::object value = figures[column.name];
        if (!value.is_none()) r[column.output] = value.cast<double>();
    }
    r.engineSpeed = s[2].cast<double>();
    const auto gaps = s[3].cast<py::tuple>();
    r.energyGaps = {
        static_cast<EnergyGap>(gaps[0].cast<int>()), static_cast<EnergyGap>(gaps[1].cast<int>()),
        static_cast<EnergyGap>(gaps[2].cast<int>()), static_cast<EnergyGap>(gaps[3].cast<int>())};
    r.lossesGiven = s[4].cast<bool>();
    return r;
}

void BindResultStates(py::module_& module) {
    py::class_<DesignResult> result = module.attr("Result");
    result.def(py::pickle(&ResultState, &ResultOfState))
        .def("__copy__", [](const DesignResult& r) { return r; })
        .def("__deepcopy__", [](const DesignResult& r, const py::object&) { return r; })
        .def("__eq__", &SameResult, py::is_operator())
        .def(
            "__ne__",
            [](const DesignResult& a, const DesignResult& b) { return !SameResult(a, b); },
            py::is_operator());
    // Equal results are not interchangeable dictionary keys: the figures are floats.
    result.attr("__hash__") = py::none();
    py::class_<OptimizeResult> optimized = module.attr("OptimizeResult");
    optimized.def(py::pickle(&OptimizeState, &OptimizeOfState))
        .def("__copy__", [](const OptimizeResult& r) { return r; })
        .def("__deepcopy__", [](const OptimizeResult& r, const py::object&) { return r; })
        .def(
            "__eq__", [](const OptimizeResult& a, const OptimizeResult& b) { return a == b; },
            py::is_operator())
        .def(
            "__ne__", [](const OptimizeResult& a, const OptimizeResult& b) { return !(a == b); },
            py::is_operator());
    optimized.attr("__hash__") = py::none();
}

}  // namespace velmora::python
