#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "designspace/sweep_axis.h"
#include "model/control_state.h"
#include "simulation/design_evaluator.h"

namespace velmora {

// What to sweep: the design as it stands, the one or two varied inputs, and what to evaluate.
struct SweepPlan {
    ControlState base;
    std::vector<SweepAxis> axes;
    EvaluationOptions options;
};

// One design of a sweep: its place on each axis, its varied values, the texts they were
// typed as, and its results once evaluated.
struct SweepRow {
    std::vector<std::size_t> index;
    std::vector<double> values;
    std::vector<std::string> texts;
    DesignResult result;
};

// The controls of one design: the base with each varied input's text replaced by its value
// as the sensitivity study types its trials (shortest text with 15 significant digits, the
// user's decimal separator), in the unit chosen for that input.
ControlState DesignControls(const SweepPlan& plan, const std::vector<double>& values);

// A sweep: every combination of the axis values, the first axis varying slowest. Run
// evaluates them on worker threads, each with an evaluator of its own; rows keep their place
// whatever thread and order they are evaluated in. Cancel, Completed and IsDone may be called
// from other threads while Run runs; a cancelled run keeps the rows it finished.
class SweepRun {
  public:
    explicit SweepRun(SweepPlan plan);
    SweepRun(const SweepRun&) = delete;
    SweepRun& operator=(const SweepRun&) = delete;

    const SweepPlan& Plan() const { return plan_; }
    const std::vector<std::vector<double>>& AxisValueLists() const { return axisValues_; }
    std::size_t DesignCount() const { return rows_.size(); }

    // Evaluates the designs not yet evaluated with `threads` threads (at least 1); returns
    // when all are done or the run is cancelled.
    void Run(int threads);
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    std::size_t Completed() const { return completed_.load(std::memory_order_acquire); }

    // Whether row k is evaluated; its contents may be read from then on.
    bool IsDone(std::size_t k) const { return done_[k].load(std::memory_order_acquire) != 0; }
    const SweepRow& Row(std::size_t k) const { return rows_[k]; }

  private:
    void Work();

    SweepPlan plan_;
    std::vector<std::vector<double>> axisValues_;
    std::vector<SweepRow> rows_;
    std::unique_ptr<std::atomic<unsigned char>[]> done_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> completed_{0};
    std::atomic<bool> cancelled_{false};
};

}  // namespace velmora
