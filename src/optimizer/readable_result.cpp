#include "optimizer/readable_result.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "designspace/rounded_text.h"
#include "optimizer/result_table.h"

namespace velmora {

namespace {

constexpr int kQuantityDigits = 5;
constexpr int kFewestInputDigits = 4;

std::string Quantity(const std::optional<double>& value) {
    return value ? RoundedText(*value, kQuantityDigits) : std::string();
}

}  // namespace

BoundSide NearBound(const Variable& variable, double value) {
    const double tolerance = 0.01 * std::fabs(variable.to - variable.from);
    if (std::fabs(value - variable.from) <= tolerance) return BoundSide::Lower;
    if (std::fabs(value - variable.to) <= tolerance) return BoundSide::Upper;
    return BoundSide::None;
}

int TypedSignificantDigits(const std::string& text) {
    int digits = 0;
    bool leading = true;
    for (const char c : text) {
        if (c == 'e' || c == 'E') break;
        if (!std::isdigit(static_cast<unsigned char>(c))) continue;
        if (leading && c == '0') continue;
        leading = false;
        ++digits;
    }
    return digits;
}

std::vector<ReadableRow> ReadableResultRows(const OptimizeProblem& problem,
                                            const OptimizeOutcome& outcome,
                                            const std::vector<std::string>& units) {
    const std::vector<ResultRow> plain = ResultRows(problem, outcome);
    std::vector<ReadableRow> rows;
    const std::string& separator = problem.numbers.decimalSeparator;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ReadableRow row{plain[i].label, plain[i].before, plain[i].after, {}, false};
        if (i < problem.variables.size()) {
            const Variable& variable = problem.variables[i];
            const std::string unit = i < units.size() ? units[i] : std::string();
            row.label = unit.empty() ? variable.input->name
                                     : std::string(variable.input->name) + " (" + unit + ")";
            const int digits = std::max(kFewestInputDigits, TypedSignificantDigits(row.before));
            if (outcome.best) {
                const double value = outcome.best->values.at(i);
                row.after = RoundedText(value, digits, separator);
                const BoundSide side = NearBound(variable, value);
                row.atBound = side != BoundSide::None;
                if (side == BoundSide::Lower)
                    row.note = "at lower bound (" + RoundedText(variable.from, 15, separator) + ")";
                if (side == BoundSide::Upper)
                    row.note = "at upper bound (" + RoundedText(variable.to, 15, separator) + ")";
            }
        } else if (i == problem.variables.size()) {
            row.before = Quantity(outcome.start.judgement.objective);
            row.after = outcome.best ? Quantity(outcome.best->judgement.objective) : "";
        } else {
            const std::size_t q = i - problem.variables.size() - 1;
            row.before = Quantity(outcome.start.judgement.quantities.at(q).value);
            row.after =
                outcome.best ? Quantity(outcome.best->judgement.quantities.at(q).value) : "";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string OutcomeStatus(const OptimizeProblem& problem, const OptimizeOutcome& outcome) {
    const std::string used = std::to_string(outcome.evaluations) + " evaluations";
    const std::string caption = InfoOf(problem.objective).caption;
    switch (outcome.status) {
        case OptimizeStatus::StartUncomputable:
            return "The " + caption +
                   " of the design as it stands cannot be computed; nothing to start from.";
        case OptimizeStatus::NoneFeasible:
            return (outcome.cancelled ? "Cancelled: " : "Finished: ") +
                   std::string("no design within the bounds meets the constraints (") + used + ").";
        case OptimizeStatus::NoGain:
            return (outcome.cancelled ? "Cancelled: " : "Finished: ") +
                   std::string("no design within the bounds gives a ") + caption + " above 0 (" +
                   used + ").";
        case OptimizeStatus::Found:
            break;
    }
    return (outcome.cancelled ? "Cancelled (best feasible so far): "
                              : "Finished: best feasible design, ") +
           used + ".";
}

}  // namespace velmora
