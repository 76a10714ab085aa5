#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "optimizer/optimize_run.h"

namespace velmora {

// One line of the before/after table: a varied input (its texts), the objective, or a
// constrained quantity. An empty text could not be computed (or there is no "after").
struct ResultRow {
    std::string label;
    std::string before;
    std::string after;
};

// The table of an outcome: each varied input, the objective, each constrained quantity.
std::vector<ResultRow> ResultRows(const OptimizeProblem& problem, const OptimizeOutcome& outcome);

// A quantity as the table shows it: 8 significant digits, '.' decimals.
std::string QuantityText(double value);

// The table as the command line prints it, then "Evaluations used: N".
void PrintResultTable(std::ostream& out, const OptimizeProblem& problem,
                      const OptimizeOutcome& outcome);

// Why a run could not start: "the Indicated power (W) of 'FILE' cannot be computed; nothing to
// start from".
std::string StartUncomputableProblem(Objective objective, const std::string& file);

}  // namespace velmora
