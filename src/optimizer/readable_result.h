#pragma once

#include <string>
#include <vector>

#include "optimizer/optimize_run.h"

namespace velmora {

// Which bound a value ended at: within 1% of the range from it.
enum class BoundSide { None, Lower, Upper };
BoundSide NearBound(const Variable& variable, double value);

// One line of the window's before/after table: inputs by name with their unit, values
// rounded, and a note on inputs that ended at a bound (the optimum may lie beyond it).
struct ReadableRow {
    std::string label;
    std::string before;
    std::string after;
    std::string note;  // "at lower bound (0.5)", empty for none
    bool atBound = false;
};

// The table of an outcome, in the rows of ResultRows. `units[i]` is the unit of variable i
// as the window names it (empty: none). Input values keep the significant digits they were
// typed with in the design, at least four; computed quantities show five.
std::vector<ReadableRow> ReadableResultRows(const OptimizeProblem& problem,
                                            const OptimizeOutcome& outcome,
                                            const std::vector<std::string>& units);

// The significant digits of a typed number ("140" 3, "0.050" 2, "1.25e3" 3); 0 for no digits.
int TypedSignificantDigits(const std::string& text);

// How a finished run ended, first words "Finished" or "Cancelled (best feasible so far)".
std::string OutcomeStatus(const OptimizeProblem& problem, const OptimizeOutcome& outcome);

}  // namespace velmora
