#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "designspace/background_work.h"
#include "optimizer/design_judgement.h"
#include "optimizer/optimize_problem.h"
#include "simulation/design_evaluator.h"
#include "simulation/design_result.h"

namespace velmora {

// One evaluated design of a run.
struct OptimizePoint {
    std::vector<double> values;      // each variable in its own unit
    std::vector<std::string> texts;  // as typed into the design
    DesignResult result;
    Judgement judgement;
};

// The best feasible objective after a number of evaluations (the progress chart).
struct ProgressPoint {
    int evaluations = 0;
    double objective = 0;
};

enum class OptimizeStatus {
    Found,             // a feasible design
    NoneFeasible,      // every evaluated design broke a constraint or had no objective
    NoGain,            // the best feasible design gives no more than 0 W: not worth writing
    StartUncomputable  // the objective of the design as it stands cannot be computed
};

struct OptimizeOutcome {
    OptimizeStatus status = OptimizeStatus::NoneFeasible;
    OptimizePoint start;
    std::optional<OptimizePoint> best;  // the best feasible design within the bounds
    int evaluations = 0;
    bool cancelled = false;
};

// How many designs the coarse sample of the box holds for `variables` inputs and a budget.
int SampleCount(std::size_t variables, int budget);

// The coarse sample: a Latin hypercube of `count` points in [0,1]^dimensions, each at the
// centre of its cell, from a fixed seed (the same points on every machine).
std::vector<std::vector<double>> LatinHypercube(int count, std::size_t dimensions);

// One optimization: the start design, a coarse sample of the box evaluated on all threads,
// then COBYLA searches (in coordinates scaled to [0,1]) from the best few distinct starts,
// each on a thread of its own with a fixed share of the budget, so the result does not
// depend on the thread count. Evaluations, BestHistory and Cancel may be called from other
// threads while Run runs; a cancelled run keeps the best feasible design found so far.
class OptimizeRun {
  public:
    explicit OptimizeRun(OptimizeProblem problem);
    OptimizeRun(const OptimizeRun&) = delete;
    OptimizeRun& operator=(const OptimizeRun&) = delete;

    const OptimizeProblem& Problem() const { return problem_; }

    // Runs to the end (budget, tolerance or Cancel) with `threads` threads (at least 1).
    void Run(int threads);
    void Cancel() { progress_.Cancel(); }
    bool Cancelled() const { return progress_.Cancelled(); }
    int Evaluations() const { return static_cast<int>(progress_.Done()); }
    // Evaluations done out of the budget, and the cancel request.
    WorkProgress& Progress() { return progress_; }
    std::vector<ProgressPoint> BestHistory() const;

    // Valid once Run has returned.
    const OptimizeOutcome& Outcome() const { return outcome_; }

    // The design of a point in scaled coordinates, evaluated and judged (no counting).
    OptimizePoint Evaluate(DesignEvaluator& evaluator, const std::vector<double>& unit) const;

  private:
    friend class LocalSearch;
    void Counted(const OptimizePoint& point);

    OptimizeProblem problem_;
    OptimizeOutcome outcome_;
    WorkProgress progress_;
    mutable std::mutex progressMutex_;
    std::vector<ProgressPoint> history_;
};

// The better of two judged designs for the ranking of starts: feasible before infeasible,
// then the higher objective; infeasible ones by their smaller total violation.
bool RanksBefore(const Judgement& a, const Judgement& b);

}  // namespace velmora
