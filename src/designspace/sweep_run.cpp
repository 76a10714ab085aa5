#include "designspace/sweep_run.h"

#include <algorithm>
#include <thread>

#include "simulation/sensitivity_study.h"

namespace velmora {

ControlState DesignControls(const SweepPlan& plan, const std::vector<double>& values) {
    ControlState controls = plan.base;
    for (std::size_t a = 0; a < plan.axes.size() && a < values.size(); ++a)
        (controls.*plan.axes[a].input->control).text =
            TrialText(values[a], plan.base.outputs.numbers);
    return controls;
}

SweepRun::SweepRun(SweepPlan plan) : plan_(std::move(plan)) {
    std::size_t count = plan_.axes.empty() ? 0 : 1;
    for (const SweepAxis& axis : plan_.axes) {
        axisValues_.push_back(AxisValues(axis));
        count *= axisValues_.back().size();
    }
    rows_.resize(count);
    done_ = std::make_unique<std::atomic<unsigned char>[]>(count);
    for (std::size_t k = 0; k < count; ++k) {
        SweepRow& row = rows_[k];
        // Row-major: the last axis varies fastest.
        std::size_t rest = k;
        row.index.resize(axisValues_.size());
        for (std::size_t a = axisValues_.size(); a-- > 0;) {
            row.index[a] = rest % axisValues_[a].size();
            rest /= axisValues_[a].size();
        }
        for (std::size_t a = 0; a < axisValues_.size(); ++a) {
            row.values.push_back(axisValues_[a][row.index[a]]);
            row.texts.push_back(TrialText(row.values.back(), plan_.base.outputs.numbers));
        }
    }
}

void SweepRun::Work() {
    DesignEvaluator evaluator;
    for (;;) {
        if (Cancelled()) return;
        const std::size_t k = next_.fetch_add(1, std::memory_order_relaxed);
        if (k >= rows_.size()) return;
        SweepRow& row = rows_[k];
        try {
            row.result = evaluator.Evaluate(DesignControls(plan_, row.values), plan_.options);
        } catch (...) {
            // Memory running out inside one design leaves that row empty, not the sweep.
            row.result = DesignResult{};
        }
        done_[k].store(1, std::memory_order_release);
        completed_.fetch_add(1, std::memory_order_release);
    }
}

void SweepRun::Run(int threads) {
    const int count = std::clamp(threads, 1, 256);
    std::vector<std::thread> workers;
    for (int t = 1; t < count; ++t) workers.emplace_back([this] { Work(); });
    Work();
    for (std::thread& worker : workers) worker.join();
}

}  // namespace velmora
