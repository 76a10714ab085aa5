#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designspace/background_work.h"
#include "designspace/sweep_axis.h"
#include "engine/design.h"
#include "engine/entered_design.h"
#include "report/number_settings.h"
#include "simulation/design_evaluator.h"

namespace velmora {

// What to sweep: the design as it stands, the one or two varied inputs, and what to evaluate.
struct SweepPlan {
    EnteredDesign base;
    std::vector<SweepAxis> axes;
    EvaluationOptions options;
    // How the rows' values are written (the decimal separator of the form the base was
    // entered in).
    NumberSettings numbers;
    // The values exactly as numpy.linspace gives them, not as their 15-digit texts type them
    // (the Python module); the command line and the window type the texts.
    bool exactValues = false;
};

// One design of a sweep: its place on each axis, its varied values, the texts they were
// typed as, and its results once evaluated (empty when the evaluation failed).
struct SweepRow {
    std::vector<std::size_t> index;
    std::vector<double> values;
    std::vector<std::string> texts;
    DesignResult result;
};

// One design: the plan's base with each varied input set to its value in the unit the input
// was entered in, as its row text (TrialText) shows it.
Design DesignOfRow(const SweepPlan& plan, const std::vector<double>& values);

// The designs of a plan: every combination of the axis values, the first axis varying
// slowest (row-major), each made on demand from its number.
class SweepGrid {
  public:
    explicit SweepGrid(const SweepPlan& plan);
    const std::vector<std::vector<double>>& AxisValueLists() const { return axisValues_; }
    std::size_t DesignCount() const { return count_; }
    // Design k with its place, values and texts, not yet evaluated.
    SweepRow Row(const SweepPlan& plan, std::size_t k) const;

  private:
    std::vector<std::vector<double>> axisValues_;
    std::size_t count_ = 0;
};

// A sweep that keeps every row, for the window's map. Run evaluates the designs on worker
// threads, each with an evaluator of its own; rows keep their place whatever thread and order
// they are evaluated in. Cancel, Completed and IsDone may be called from other threads while
// Run runs; a cancelled run keeps the rows it finished.
class SweepRun {
  public:
    explicit SweepRun(SweepPlan plan);
    SweepRun(const SweepRun&) = delete;
    SweepRun& operator=(const SweepRun&) = delete;

    const SweepPlan& Plan() const { return plan_; }
    const std::vector<std::vector<double>>& AxisValueLists() const {
        return grid_.AxisValueLists();
    }
    std::size_t DesignCount() const { return rows_.size(); }

    // Evaluates the designs not yet evaluated with `threads` threads (at least 1); returns
    // when all are done or the run is cancelled.
    void Run(int threads);
    void Cancel() { progress_.Cancel(); }
    bool Cancelled() const { return progress_.Cancelled(); }
    std::size_t Completed() const { return progress_.Done(); }
    WorkProgress& Progress() { return progress_; }

    // Whether row k is evaluated; its contents may be read from then on.
    bool IsDone(std::size_t k) const { return done_[k].load(std::memory_order_acquire) != 0; }
    const SweepRow& Row(std::size_t k) const { return rows_[k]; }

  private:
    SweepPlan plan_;
    SweepGrid grid_;
    std::vector<SweepRow> rows_;
    std::unique_ptr<std::atomic<unsigned char>[]> done_;
    WorkProgress progress_;
};

// Receives the rows of a streamed sweep, in design order.
using SweepRowSink = std::function<void(const SweepRow& row)>;

// Evaluates every design of `plan` on `threads` worker threads and hands each row to `onRow`
// on the calling thread, in design order, as soon as it and every row before it are done. At
// most a few thousand rows are held at any time, whatever the design count. When `progress`
// is cancelled, the rows done before the first missing one are handed on and the call
// returns. A design whose evaluation fails (memory running out) ends the run the same way:
// its row and those after it are not handed on, and the call returns why it failed; it
// returns an empty text when the run was completed or cancelled. If `onRow` throws, the
// workers are stopped and the exception passes on.
std::string StreamSweep(const SweepPlan& plan, int threads, WorkProgress& progress,
                        const SweepRowSink& onRow);

}  // namespace velmora
