// velmora.optimize: the optimizer of velmora-cli optimize, with the best design as a Design
// and the run's history as a DataFrame. Arguments go through the command line's parsers.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "designspace/sweep_axis.h"
#include "optimizer/optimize_problem.h"
#include "optimizer/optimize_run.h"
#include "optimizer/result_table.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_units.h"
#include "py_values.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

// What optimize() returns.
struct OptimizeResult {
    std::string status;
    std::optional<ControlState> best;
    DesignResult startResult;
    std::optional<DesignResult> bestResult;
    int evaluations = 0;
    std::vector<ProgressPoint> history;
    std::vector<ResultRow> table;
    std::string text;
};

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
// list of keys, as "--vary SECTION.KEY[=FROM:TO]" gives them.
std::vector<Variable> ParseVariables(const py::object& vary, ControlState& base) {
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
        range = RangeInHeldUnit(base, key, range);
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
        const std::optional<Variable> variable = ParseVariable(text, base, problem);
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
    problem.base = design.state;
    problem.objective = info->objective;
    problem.constraints = ParseConstraints(constraints);
    const std::optional<long long> maxEvaluations = IntegralOf(maxEvaluationsArgument, "max_evals");
    if (!maxEvaluations || *maxEvaluations < 1 || *maxEvaluations > 10000000)
        throw InvalidValue("max_evals must be a whole number from 1 to 10000000");
    problem.maxEvaluations = static_cast<int>(*maxEvaluations);
    const int threads = ThreadCount(threadArgument);
    problem.variables = ParseVariables(vary, problem.base);
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
        // As velmora-cli optimize writes it: only a feasible design worth writing.
        if (outcome.status == OptimizeStatus::Found) {
            ControlState best = problem.base;
            for (std::size_t i = 0; i < problem.variables.size(); ++i)
                (best.*problem.variables[i].input->control).text = outcome.best->texts[i];
            result.best = best;
        }
    }
    return result;
}

}  // namespace

void BindOptimize(py::module_& module) {
    py::class_<OptimizeResult>(module, "OptimizeResult", "The outcome of velmora.optimize().")
        .def_readonly("status", &OptimizeResult::status,
                      "\"found\", \"none-feasible\" (no design within the bounds meets the "
                      "constraints) or \"no-gain\" (none gives an objective above 0).")
        .def_property_readonly(
            "best",
            [](const OptimizeResult& r) {
                return r.best ? py::cast(Design(*r.best, "")) : py::none();
            },
            "The best feasible design (a new Design), or None unless status is \"found\".")
        .def_readonly("best_result", &OptimizeResult::bestResult,
                      "The Result of the best feasible design, or None.")
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
                columns["best_objective_w"] = objective;
                return py::module_::import("pandas").attr("DataFrame")(columns);
            },
            "The best feasible objective (W) after each count of evaluations, as a DataFrame.")
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
            return "<velmora.OptimizeResult " + r.status + ", " + std::to_string(r.evaluations) +
                   " evaluations>";
        });
    module.def("optimize", &Optimize, py::arg("design"), py::kw_only(), py::arg("objective"),
               py::arg("vary"), py::arg("constraints") = py::none(),
               py::arg("max_evals") = kDefaultMaxEvaluations, py::arg("threads") = py::none(),
               "Maximizes an objective (\"schmidt\", \"pv-engine-speed\", \"indicated\", "
               "\"pv-omega-bar\") over the varied inputs, as velmora-cli optimize does.\n\n"
               "vary: {\"SECTION.KEY\": (from, to)} in the design's unit for that input, or "
               "(from, to, \"mm\") in a unit named last, which the best design then keeps, or "
               "{key: None} / a list of keys for 0.5 to 1.5 times the current value.\n"
               "constraints: {name: margin or None}: not-overdriven, beta-min, tau-rho, "
               "dwell-min, loss-max.\n"
               "Returns an OptimizeResult; ComputeError when the objective of the design as "
               "given cannot be computed.");
}

}  // namespace velmora::python
