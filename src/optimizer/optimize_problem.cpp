#include "optimizer/optimize_problem.h"

#include <cmath>
#include <set>

#include "designspace/input_values.h"
#include "designspace/sweep_axis.h"
#include "report/number_text.h"

namespace velmora {

namespace {

std::string FormatBound(double value) {
    return BoundText(value);
}

}  // namespace

const ObjectiveInfo& InfoOf(Objective objective) {
    return kObjectives[static_cast<std::size_t>(objective)];
}

const ObjectiveInfo* FindObjective(std::string_view name) {
    for (const ObjectiveInfo& info : kObjectives)
        if (name == info.name) return &info;
    return nullptr;
}

const ConstraintInfo& InfoOf(ConstraintKind kind) {
    return kConstraints[static_cast<std::size_t>(kind)];
}

const ConstraintInfo* FindConstraint(std::string_view name) {
    for (const ConstraintInfo& info : kConstraints)
        if (name == info.name) return &info;
    return nullptr;
}

std::optional<double> CurrentValue(const EnteredDesign& base, const SweepInput& input) {
    return base.EnteredValue(*input.input);
}

std::optional<Variable> DefaultVariable(const EnteredDesign& base, const SweepInput& input) {
    const std::optional<double> value = CurrentValue(base, input);
    if (!value) return std::nullopt;
    return Variable{&input, *value * 0.5, *value * 1.5};
}

std::optional<Variable> ParseVariable(std::string_view text, const EnteredDesign& base,
                                      std::string& problem) {
    const std::size_t equals = text.find('=');
    const std::string_view key = text.substr(0, equals);
    const SweepInput* input = FindSweepInput(key);
    if (input == nullptr) {
        problem = "unknown input '" + std::string(key) + "' (see velmora-cli sweep --outputs help)";
        return std::nullopt;
    }
    if (equals == std::string_view::npos) {
        std::optional<Variable> variable = DefaultVariable(base, *input);
        if (!variable)
            problem = std::string(key) + ": the file's text is not a number; give FROM:TO";
        return variable;
    }
    const std::string_view range = text.substr(equals + 1);
    const std::size_t colon = range.find(':');
    if (colon == std::string_view::npos) {
        problem = std::string(key) + ": the range must be FROM:TO";
        return std::nullopt;
    }
    const std::optional<double> from = ParseRangeNumber(range.substr(0, colon));
    const std::optional<double> to = ParseRangeNumber(range.substr(colon + 1));
    if (!from || !to) {
        problem = std::string(key) + ": FROM and TO must be numbers";
        return std::nullopt;
    }
    return Variable{input, *from, *to};
}

std::optional<Constraint> ParseConstraint(std::string_view text, std::string& problem) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const ConstraintInfo* info = FindConstraint(name);
    if (info == nullptr) {
        problem = "unknown constraint '" + std::string(name) +
                  "' (not-overdriven, beta-min, tau-rho, dwell-min, loss-max)";
        return std::nullopt;
    }
    Constraint constraint{info->kind, info->defaultMargin};
    if (equals != std::string_view::npos) {
        const std::optional<double> margin = ParseRangeNumber(text.substr(equals + 1));
        if (!margin) {
            problem = std::string(name) + ": the margin must be a number";
            return std::nullopt;
        }
        constraint.margin = *margin;
    }
    return constraint;
}

std::string VariableProblem(const Variable& variable, const EnteredDesign& base) {
    const std::string key = variable.input->key;
    if (!std::isfinite(variable.from) || !std::isfinite(variable.to))
        return key + ": FROM and TO must be finite numbers";
    if (variable.from >= variable.to)
        return key + ": FROM (" + FormatBound(variable.from) + ") must be below TO (" +
               FormatBound(variable.to) + ")";
    const int units = base.UnitOf(*variable.input->input);
    if (std::string why = InputValueProblem(*variable.input, units, "FROM", variable.from);
        !why.empty())
        return key + ": " + why;
    return {};
}

std::string ConstraintProblem(const Constraint& constraint) {
    const ConstraintInfo& info = InfoOf(constraint.kind);
    if (!std::isfinite(constraint.margin) ||
        (info.marginPositive ? constraint.margin <= 0 : constraint.margin < 0))
        return std::string(info.name) + ": the margin must be " +
               (info.marginPositive ? "above 0" : "at least 0");
    return {};
}

std::string ProblemError(const OptimizeProblem& problem) {
    if (problem.variables.empty()) return "no input to vary (give --vary SECTION.KEY)";
    std::set<const SweepInput*> seen;
    for (const Variable& variable : problem.variables) {
        if (!seen.insert(variable.input).second)
            return std::string(variable.input->key) + " is varied twice";
        if (std::string why = VariableProblem(variable, problem.base); !why.empty()) return why;
    }
    std::set<ConstraintKind> kinds;
    for (const Constraint& constraint : problem.constraints) {
        if (!kinds.insert(constraint.kind).second)
            return std::string(InfoOf(constraint.kind).name) + " is given twice";
        if (std::string why = ConstraintProblem(constraint); !why.empty()) return why;
    }
    if (problem.maxEvaluations < 1) return "the evaluation budget must be at least 1";
    return {};
}

Design DesignWithValues(const OptimizeProblem& problem, const std::vector<double>& values) {
    const EnteredDesign& base = problem.base;
    Design design = base.design;
    for (std::size_t i = 0; i < problem.variables.size() && i < values.size(); ++i) {
        const DesignInput& input = *problem.variables[i].input->input;
        SetInputInUnit(design, input, base.UnitOf(input), values[i]);
    }
    return design;
}

}  // namespace velmora
