#include "designspace/sweep_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "report/number_text.h"

namespace velmora {

namespace {

// Rows a worker may run ahead of the oldest row not yet handed on, per thread: enough that
// one slow design does not stall the others, few enough to hold (about 700 bytes a row).
constexpr std::size_t kRowsAheadPerThread = 256;

void Evaluate(const SweepPlan& plan, SweepRow& row, DesignEvaluator& evaluator) {
    row.result = evaluator.Evaluate(DesignOfRow(plan, row.values), plan.options);
}

}  // namespace

Design DesignOfRow(const SweepPlan& plan, const std::vector<double>& values) {
    const EnteredDesign& base = plan.base;
    Design design = base.design;
    for (std::size_t a = 0; a < plan.axes.size() && a < values.size(); ++a) {
        const DesignInput& input = *plan.axes[a].input->input;
        if (plan.exactValues)
            SetExactInputInUnit(design, input, base.UnitOf(input), values[a]);
        else
            SetInputInUnit(design, input, base.UnitOf(input), values[a]);
    }
    return design;
}

SweepGrid::SweepGrid(const SweepPlan& plan) {
    count_ = plan.axes.empty() ? 0 : 1;
    for (const SweepAxis& axis : plan.axes) {
        axisValues_.push_back(plan.exactValues ? LinspaceAxisValues(axis) : AxisValues(axis));
        count_ *= axisValues_.back().size();
    }
}

SweepRow SweepGrid::Row(const SweepPlan& plan, std::size_t k) const {
    SweepRow row;
    // Row-major: the last axis varies fastest.
    row.index.resize(axisValues_.size());
    for (std::size_t a = axisValues_.size(); a-- > 0;) {
        row.index[a] = k % axisValues_[a].size();
        k /= axisValues_[a].size();
    }
    for (std::size_t a = 0; a < axisValues_.size(); ++a) {
        row.values.push_back(axisValues_[a][row.index[a]]);
        row.texts.push_back(TrialText(row.values.back(), plan.numbers));
    }
    return row;
}

SweepRun::SweepRun(SweepPlan plan) : plan_(std::move(plan)), grid_(plan_) {
    const std::size_t count = grid_.DesignCount();
    rows_.reserve(count);
    for (std::size_t k = 0; k < count; ++k) rows_.push_back(grid_.Row(plan_, k));
    done_ = std::make_unique<std::atomic<unsigned char>[]>(count);
    progress_.SetTotal(count);
}

void SweepRun::Run(int threads) {
    std::vector<std::size_t> pending;
    for (std::size_t k = 0; k < rows_.size(); ++k)
        if (!IsDone(k)) pending.push_back(k);
    std::vector<DesignEvaluator> evaluators(JobThreads(pending.size(), threads));
    auto finish = [&](std::size_t k) {
        done_[k].store(1, std::memory_order_release);
        progress_.AddDone();
    };
    RunJobs(
        pending.size(), threads, progress_,
        [&](std::size_t j, int slot) {
            Evaluate(plan_, rows_[pending[j]], evaluators[slot]);
            finish(pending[j]);
        },
        [&](std::size_t j, const std::string&) {
            // A design whose evaluation failed (memory running out) is an empty row.
            rows_[pending[j]].result = DesignResult{};
            finish(pending[j]);
        });
}

std::string StreamSweep(const SweepPlan& plan, int threads, WorkProgress& progress,
                        const SweepRowSink& onRow) {
    const SweepGrid grid(plan);
    const std::size_t count = grid.DesignCount();
    progress.SetTotal(count);
    const int used = JobThreads(count, threads);
    const std::size_t ahead = kRowsAheadPerThread * static_cast<std::size_t>(used);

    std::mutex mutex;
    std::condition_variable rowDone;  // a row arrived, or the workers ended
    std::condition_variable rowTaken;
    std::map<std::size_t, SweepRow> waiting;
    std::size_t handedOn = 0;
    bool workersEnded = false;

    auto deliver = [&](std::size_t k, SweepRow row) {
        std::lock_guard lock(mutex);
        waiting.emplace(k, std::move(row));
        progress.AddDone();
        rowDone.notify_all();
    };
    std::vector<DesignEvaluator> evaluators(static_cast<std::size_t>(used));
    auto job = [&](std::size_t k, int slot) {
        {
            // Cancel comes from anywhere, even a signal handler, without a notify: look again
            // now and then.
            std::unique_lock lock(mutex);
            while (k >= handedOn + ahead && !progress.Cancelled())
                rowTaken.wait_for(lock, std::chrono::milliseconds(50));
            if (progress.Cancelled()) return;
        }
        SweepRow row = grid.Row(plan, k);
        Evaluate(plan, row, evaluators[static_cast<std::size_t>(slot)]);
        deliver(k, std::move(row));
    };
    // A design that could not be evaluated is not a design without results: the run ends
    // before its row, and says why. The first failure is the one reported.
    std::string failure;
    std::atomic<bool> anyFailure{false};
    auto failed = [&](std::size_t k, const std::string& what) {
        progress.Cancel();
        if (anyFailure.exchange(true)) return;
        try {
            const bool memory = what.empty() || what == "std::bad_alloc";
            failure = "design " + std::to_string(k + 1) +
                      " could not be evaluated: " + (memory ? std::string("out of memory") : what);
        } catch (...) {
            failure.clear();
        }
    };

    std::thread workers([&] {
        try {
            RunJobs(count, used, progress, job, failed);
        } catch (...) {
            // The workers could not even be set up (memory): nothing may escape this thread.
            progress.Cancel();
            anyFailure = true;
        }
        std::lock_guard lock(mutex);
        workersEnded = true;
        rowDone.notify_all();
    });
    try {
        std::unique_lock lock(mutex);
        for (;;) {
            rowDone.wait(lock, [&] { return workersEnded || waiting.count(handedOn) != 0; });
            const auto next = waiting.find(handedOn);
            if (next == waiting.end()) break;  // the workers ended: all done, or cancelled
            const SweepRow row = std::move(next->second);
            waiting.erase(next);
            lock.unlock();
            onRow(row);
            lock.lock();
            ++handedOn;
            rowTaken.notify_all();
        }
    } catch (...) {
        progress.Cancel();
        workers.join();
        throw;
    }
    workers.join();
    // A job dropped without a word (memory too short even to say why) leaves a gap that no
    // cancel explains.
    if ((anyFailure.load() || !progress.Cancelled()) && handedOn < count && failure.empty())
        return "a design could not be evaluated: out of memory";
    return failure;
}

}  // namespace velmora
