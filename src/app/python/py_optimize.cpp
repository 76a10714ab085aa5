// velmora.optimize: the optimizer of velmora-cli optimize, with the best design as a Design
// and the run's history as a DataFrame. Arguments go through the command line's parsers.
#include "py_optimize.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "designspace/sweep_axis.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "optimizer/optimize_problem.h"
#include "optimizer/optimize_run.h"
#include "optimizer/result_table.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_states.h"
#include "py_units.h"
#include "py_values.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

const char* StatusName(OptimizeStatus status) {
    switch (status) {
        case OptimizeStatus::Found:
            return "found";
        case OptimizeStatus::NoneFeasible:
            return "none-feasible";
        case OptimizeStatus::NoGain:
            return "no-gain";
        case OptimizeStatus::StartUncomputable:
            break;
    }
    return "start-uncomputable";
}

// {"SECTION.KEY": (from, to)} or {"SECTION.KEY": None} (0.5 to 1.5 times its value), or a
// list of keys, as "--vary SECTION.KEY[=FROM:TO]" gives them. A range's unit is held in `form`.
std::vector<Variable> ParseVariables(const py::object& vary, ControlState& form) {
    std::vector<std::pair<std::string, py::object>> items;
    if (py::isinstance<py::dict>(vary)) {
        for (const auto& [key, range] : vary.cast<py::dict>())
            items.emplace_back(py::str(key), py::reinterpret_borrow<py::object>(range));
    } else if (py::isinstance<py::str>(vary)) {
        items.emplace_back(vary.cast<std::string>(), py::none());
    } else {
        for (const py::handle& key : vary) items.emplace_back(py::str(key), py::none());
    }
    std::vector<Variable> variables;
    for (auto& [key, range] : items) {
        // A unit named last keeps the input in that unit in the design optimized.
        range = RangeInHeldUnit(form, key, range);
        std::string text = key;
        if (!range.is_none()) {
            text += "=";
            if (py::isinstance<py::tuple>(range) || py::isinstance<py::list>(range)) {
                const auto parts = py::reinterpret_borrow<py::sequence>(range);
                for (std::size_t i = 0; i < parts.size(); ++i)
                    text += (i > 0 ? ":" : "") + BoundText(parts[i]);
            } else {
                text += BoundText(range);
            }
        }
        std::string problem;
        const std::optional<Variable> variable = ParseVariable(text, EnterDesign(form), problem);
        if (!variable) {
            if (FindSweepInput(key) == nullptr) throw UnknownKey(problem);
            throw InvalidValue(problem);
        }
        variables.push_back(*variable);
    }
    return variables;
}

// {"beta-min": 1.1, "not-overdriven": None} or a list of names, as "--constraint NAME[=MARGIN]".
std::vector<Constraint> ParseConstraints(const py::object& constraints) {
    std::vector<std::pair<std::string, py::object>> items;
    if (constraints.is_none()) return {};
    if (py::isinstance<py::dict>(constraints)) {
        for (const auto& [name, margin] : constraints.cast<py::dict>())
            items.emplace_back(py::str(name), py::reinterpret_borrow<py::object>(margin));
    } else if (py::isinstance<py::str>(constraints)) {
        items.emplace_back(constraints.cast<std::string>(), py::none());
    } else {
        for (const py::handle& name : constraints) items.emplace_back(py::str(name), py::none());
    }
    std::vector<Constraint> parsed;
    for (const auto& [name, margin] : items) {
        const std::string text = margin.is_none() ? name : name + "=" + BoundText(margin);
        std::string problem;
        const std::optional<Constraint> constraint = ParseConstraint(text, problem);
        if (!constraint) {
            if (FindConstraint(name) == nullptr) throw UnknownKey(problem);
            throw InvalidValue(problem);
        }
        parsed.push_back(*constraint);
    }
    return parsed;
}

OptimizeResult Optimize(const Design& design, const std::string& objective, const py::object& vary,
                        const py::object& constraints, const py::object& maxEvaluationsArgument,
                        const py::object& threadArgument) {
    const ObjectiveInfo* info = FindObjective(objective);
    if (info == nullptr) throw UnknownKey("unknown objective '" + objective + "'");
    OptimizeProblem problem;
    problem.objective = info->objective;
    problem.constraints = ParseConstraints(constraints);
    const std::optional<long long> maxEvaluations = IntegralOf(maxEvaluationsArgument, "max_evals");
    if (!maxEvaluations || *maxEvaluations < 1 || *maxEvaluations > 10000000)
        throw InvalidValue("max_evals must be a whole number from 1 to 10000000");
    problem.maxEvaluations = static_cast<int>(*maxEvaluations);
    const int threads = ThreadCount(threadArgument);
    ControlState form = design.state;
    problem.variables = ParseVariables(vary, form);
    problem.base = EnterDesign(form);
    problem.numbers = form.outputs.numbers;
    problem.enteredTexts = EnteredTexts(form);
    if (const std::string why = ProblemError(problem); !why.empty()) throw InvalidValue(why);

    OptimizeRun run(problem);
    {
        const py::gil_scoped_release unlocked;
        run.Run(threads);
    }
    const OptimizeOutcome& outcome = run.Outcome();
    if (outcome.status == OptimizeStatus::StartUncomputable)
        throw Uncomputable(StartUncomputableProblem(problem.objective, design.file));

    OptimizeResult result;
    result.objective = problem.objective;
    result.constraints = problem.constraints;
    result.status = StatusName(outcome.status);
    result.startResult = outcome.start.result;
    result.evaluations = outcome.evaluations;
    result.history = run.BestHistory();
    result.table = ResultRows(problem, outcome);
    std::ostringstream text;
    PrintResultTable(text, problem, outcome);
    result.text = text.str();
    if (outcome.best) {
        result.bestResult = outcome.best->result;
        ControlState best = form;
        for (std::size_t i = 0; i < problem.variables.size(); ++i)
            InputField(best, *problem.variables[i].input->input).text = outcome.best->texts[i];
        result.best = best;
    }
    return result;
}

// The objectives and constraints with their units, from the optimizer's own tables.
std::string OptimizeHelp() {
    std::string text =
        "Maximizes an objective over the varied inputs, as velmora-cli optimize does.\n\n"
        "objective: one of (the unit of its value)\n";
    for (const ObjectiveInfo& info : kObjectives)
        text +=
            "    \"" + std::string(info.name) + "\" (" + info.unit + "): " + info.caption + "\n";
    text +=
        "vary: {\"SECTION.KEY\": (from, to)} in the design's unit for that input, or "
        "(from, to, \"mm\") in a unit named last, which the best design then keeps, or "
        "{key: None} / a list of keys for 0.5 to 1.5 times the current value.\n"
        "constraints: {name: margin or None (its default)} or a list of names, each margin in "
        "the unit named:\n";
    for (const ConstraintInfo& info : kConstraints)
        text += "    \"" + std::string(info.name) + "\" (" + info.unit + ", default " +
                BoundText(py::float_(info.defaultMargin)) + "): " + info.caption + "\n";
    text +=
        "Returns an OptimizeResult: its `feasible` says whether a design met the constraints; "
        "its `best` raises NoFeasibleDesignError when none did. ComputeError when the "
        "objective of the design as given cannot be computed.";
    return text;
}

// The column of the history: the objective's output column, "best_shaft_power_w".
std::string HistoryColumn(Objective objective) {
    return "best_" + std::string(OutputColumn(InfoOf(objective).output).name);
}

}  // namespace

bool operator==(const OptimizeResult& a, const OptimizeResult& b) {
    const auto sameConstraints = [](const Constraint& x, const Constraint& y) {
        return x.kind == y.kind && x.margin == y.margin;
    };
    const auto samePoint = [](const ProgressPoint& x, const ProgressPoint& y) {
        return x.evaluations == y.evaluations && x.objective == y.objective;
    };
    const auto sameRow = [](const ResultRow& x, const ResultRow& y) {
        return x.label == y.label && x.before == y.before && x.after == y.after;
    };
    return a.objective == b.objective &&
           std::equal(a.constraints.begin(), a.constraints.end(), b.constraints.begin(),
                      b.constraints.end(), sameConstraints) &&
           a.status == b.status && a.best.has_value() == b.best.has_value() &&
           (!a.best || SameKeys(*a.best, *b.best)) && SameResult(a.startResult, b.startResult) &&
           a.bestResult.has_value() == b.bestResult.has_value() &&
           (!a.bestResult || SameResult(*a.bestResult, *b.bestResult)) &&
           a.evaluations == b.evaluations &&
           std::equal(a.history.begin(), a.history.end(), b.history.begin(), b.history.end(),
                      samePoint) &&
           std::equal(a.table.begin(), a.table.end(), b.table.begin(), b.table.end(), sameRow) &&
           a.text == b.text;
}

std::string NoBestMessage(const OptimizeResult& r) {
    std::string text = r.status == "none-feasible"
                           ? "no design within the bounds meets the constraints"
                           : "no design to show (status \"" + r.status + "\")";
    for (std::size_t i = 0; i < r.constraints.size(); ++i) {
        const ConstraintInfo& info = InfoOf(r.constraints[i].kind);
        text += (i == 0 ? " (" : ", ") + std::string(info.name) + " " +
                BoundText(py::float_(r.constraints[i].margin)) + " " + info.unit;
    }
    if (!r.constraints.empty()) text += ")";
    for (const Constraint& c : r.constraints)
        if (c.kind == ConstraintKind::LossMax && c.margin < 1)
            text += "; loss-max is a percentage: " + BoundText(py::float_(c.margin)) +
                    " allows a loss of " + BoundText(py::float_(c.margin)) + " % of the objective";
    return text + "; result.feasible says whether a design met them";
}

void BindOptimize(py::module_& module) {
    py::class_<OptimizeResult>(module, "OptimizeResult", "The outcome of velmora.optimize().")
        .def_readonly("status", &OptimizeResult::status,
                      "\"found\", \"none-feasible\" (no design within the bounds meets the "
                      "constraints) or \"no-gain\" (none gives an objective above 0).")
        .def_property_readonly(
            "feasible", [](const OptimizeResult& r) { return r.best.has_value(); },
            "Whether a design within the bounds met the constraints (best is then given).")
        .def_property_readonly(
            "objective", [](const OptimizeResult& r) { return InfoOf(r.objective).name; },
            "The objective maximized, by its name.")
        .def_property_readonly(
            "objective_unit", [](const OptimizeResult& r) { return InfoOf(r.objective).unit; },
            "The unit of the objective's values (\"W\" or \"fraction\").")
        .def_property_readonly(
            "best",
            [](const OptimizeResult& r) {
                if (!r.best) throw NoFeasibleDesign(NoBestMessage(r));
                return Design(*r.best, "");
            },
            "The best design meeting the constraints (a new Design); NoFeasibleDesignError, "
            "naming the constraints, when feasible is False.")
        .def_property_readonly(
            "best_result",
            [](const OptimizeResult& r) {
                if (!r.bestResult) throw NoFeasibleDesign(NoBestMessage(r));
                return *r.bestResult;
            },
            "The Result of the best design; NoFeasibleDesignError when feasible is False.")
        .def_readonly("start_result", &OptimizeResult::startResult,
                      "The Result of the design as it was given.")
        .def_readonly("evaluations", &OptimizeResult::evaluations, "Designs evaluated.")
        .def_property_readonly(
            "history",
            [](const OptimizeResult& r) {
                std::vector<int> evaluations;
                std::vector<double> objective;
                for (const ProgressPoint& point : r.history) {
                    evaluations.push_back(point.evaluations);
                    objective.push_back(point.objective);
                }
                py::dict columns;
                columns["evaluations"] = evaluations;
                columns[py::str(HistoryColumn(r.objective))] = objective;
                return py::module_::import("pandas").attr("DataFrame")(columns);
            },
            "The best feasible objective after each count of evaluations, as a DataFrame: "
            "\"evaluations\" and \"best_\" + the objective's output column "
            "(\"best_shaft_power_w\", \"best_efficiency\").")
        .def_property_readonly(
            "table",
            [](const OptimizeResult& r) {
                std::vector<std::tuple<std::string, std::string, std::string>> rows;
                for (const ResultRow& row : r.table)
                    rows.emplace_back(row.label, row.before, row.after);
                return rows;
            },
            "The before/after table as (label, before, after) texts.")
        .def_readonly("text", &OptimizeResult::text,
                      "The before/after table as velmora-cli optimize prints it.")
        .def("__repr__", [](const OptimizeResult& r) {
            return "<velmora.OptimizeResult " + std::string(InfoOf(r.objective).name) + " " +
                   r.status + ", " + std::to_string(r.evaluations) + " evaluations>";
        });
    module.def(
        "objectives",
        [] {
            py::dict units;
            for (const ObjectiveInfo& info : kObjectives) units[info.name] = info.unit;
            return units;
        },
        "The objectives optimize() knows, each with the unit of its values.");
    module.def(
        "constraints",
        [] {
            py::dict units;
            for (const ConstraintInfo& info : kConstraints) units[info.name] = info.unit;
            return units;
        },
        "The constraints optimize() knows, each with the unit of its margin (loss-max: percent).");
    static const std::string help = OptimizeHelp();
    module.def("optimize", &Optimize, py::arg("design"), py::kw_only(), py::arg("objective"),
               py::arg("vary"), py::arg("constraints") = py::none(),
               py::arg("max_evals") = kDefaultMaxEvaluations, py::arg("threads") = py::none(),
               help.c_str());
}

}  // namespace velmora::python
