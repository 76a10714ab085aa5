#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/design.h"
#include "optimizer/optimize_problem.h"
#include "simulation/design_evaluator.h"
#include "simulation/design_result.h"

namespace velmora {

// One quantity a constraint limits, as the result table shows it.
struct ConstrainedQuantity {
    std::string caption;          // "Engine speed / Omega Bar (<= 0.95)"
    std::optional<double> value;  // empty when it cannot be computed
};

// What the optimizer makes of one evaluated design.
struct Judgement {
    std::optional<double> objective;  // W, empty when it cannot be computed
    // One value per search constraint, scaled to about 1; at most 0 when it holds.
    std::vector<double> violations;
    bool feasible = false;  // objective computed and every constraint holds exactly
    std::vector<ConstrainedQuantity> quantities;
};

// The number of search constraints the problem gives COBYLA (dwell-min counts twice).
std::size_t SearchConstraintCount(const OptimizeProblem& problem);

// Judges the design `controls` whose evaluation gave `result`. The few facts the result
// record lacks (the spring constant, 1 - Tau - Rho) are read from the controls again, only
// when a constraint needs them.
Judgement JudgeDesign(const OptimizeProblem& problem, const Design& design,
                      const DesignResult& result);

// What each evaluation computes for the problem's objective and constraints.
EvaluationOptions EvaluationOptionsFor(const OptimizeProblem& problem);

// The objective's value in a result record.
std::optional<double> ObjectiveValue(Objective objective, const DesignResult& result);

}  // namespace velmora
