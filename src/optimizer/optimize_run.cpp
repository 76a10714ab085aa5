#include "optimizer/optimize_run.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <nlopt.hpp>
#include <random>

#include "report/number_text.h"
#include "simulation/design_evaluator.h"

namespace velmora {

namespace {

constexpr std::uint32_t kSampleSeed = 16;
constexpr int kSearchCount = 3;
// Starts closer than this (in scaled coordinates, along every axis) would search the same hill.
constexpr double kStartSeparation = 0.15;
constexpr double kInitialStep = 0.1;
constexpr double kStepTolerance = 1e-3;

double TotalViolation(const Judgement& j) {
    double total = j.objective ? 0 : 1;
    for (const double v : j.violations) total += std::max(v, 0.0);
    return total;
}

}  // namespace

bool RanksBefore(const Judgement& a, const Judgement& b) {
    if (a.feasible != b.feasible) return a.feasible;
    if (a.feasible) return *a.objective > *b.objective;
    return TotalViolation(a) < TotalViolation(b);
}

int SampleCount(std::size_t variables, int budget) {
    const int wanted = 12 * static_cast<int>(variables) + 6;
    return std::max(0, std::min(wanted, (budget - 1) / 2));
}

std::vector<std::vector<double>> LatinHypercube(int count, std::size_t dimensions) {
    std::vector<std::vector<double>> points(count, std::vector<double>(dimensions));
    std::mt19937 random(kSampleSeed);  // the engine's output is fixed by the standard
    std::vector<int> cells(count);
    for (std::size_t d = 0; d < dimensions; ++d) {
        for (int i = 0; i < count; ++i) cells[i] = i;
        for (int i = count - 1; i > 0; --i)
            std::swap(cells[i], cells[random() % static_cast<std::uint32_t>(i + 1)]);
        for (int i = 0; i < count; ++i) points[i][d] = (cells[i] + 0.5) / count;
    }
    return points;
}

OptimizeRun::OptimizeRun(OptimizeProblem problem) : problem_(std::move(problem)) {}

std::vector<ProgressPoint> OptimizeRun::BestHistory() const {
    std::lock_guard lock(progressMutex_);
    return history_;
}

void OptimizeRun::Counted(const OptimizePoint& point) {
    std::lock_guard lock(progressMutex_);
    progress_.AddDone();
    const int count = Evaluations();
    if (!point.judgement.feasible) return;
    const double value = *point.judgement.objective;
    if (history_.empty() || value > history_.back().objective) history_.push_back({count, value});
}

OptimizePoint OptimizeRun::Evaluate(DesignEvaluator& evaluator,
                                    const std::vector<double>& unit) const {
    OptimizePoint point;
    for (std::size_t i = 0; i < problem_.variables.size(); ++i) {
        const Variable& v = problem_.variables[i];
        const double u = std::clamp(unit[i], 0.0, 1.0);
        // The ends are the bounds exactly, not a rounding of them.
        const double value = u == 0 ? v.from : u == 1 ? v.to : v.from + u * (v.to - v.from);
        point.values.push_back(value);
        point.texts.push_back(TrialText(value, problem_.numbers));
    }
    const Design design = DesignWithValues(problem_, point.values);
    try {
        point.result = evaluator.Evaluate(design, EvaluationOptionsFor(problem_));
    } catch (...) {
        // Memory running out inside one design makes that design uncomputable, not the run.
        point.result = DesignResult{};
    }
    point.judgement = JudgeDesign(problem_, design, point.result);
    return point;
}

// One COBYLA search from a start, with a cache of the designs it has evaluated (keyed by
// their texts, which is what is evaluated) and a fixed share of the budget.
class LocalSearch {
  public:
    LocalSearch(OptimizeRun& run, std::vector<double> start, int budget, double scale)
        : run_(run), start_(std::move(start)), budget_(budget), scale_(scale) {}

    void Search() {
        const std::size_t n = start_.size();
        nlopt::opt opt(nlopt::LN_COBYLA, static_cast<unsigned>(n));
        opt.set_lower_bounds(std::vector<double>(n, 0.0));
        opt.set_upper_bounds(std::vector<double>(n, 1.0));
        opt.set_min_objective(&LocalSearch::Objective, this);
        const std::size_t m = SearchConstraintCount(run_.Problem());
        if (m > 0)
            opt.add_inequality_mconstraint(&LocalSearch::Constraints, this,
                                           std::vector<double>(m, 0.0));
        opt.set_initial_step(kInitialStep);
        opt.set_xtol_abs(kStepTolerance);
        opt.set_maxeval(budget_ * 4);  // the real bound is the count of new designs
        std::vector<double> x = start_;
        double f = 0;
        try {
            opt.optimize(x, f);
        } catch (...) {
            // Forced stops (budget, Cancel) and COBYLA's own failures end this search only;
            // every design it evaluated is kept.
        }
    }

    std::vector<OptimizePoint> points;

  private:
    const OptimizePoint& At(const std::vector<double>& x) {
        std::vector<double> unit(x.begin(), x.end());
        for (double& u : unit) u = std::clamp(u, 0.0, 1.0);
        std::string key;
        for (std::size_t i = 0; i < unit.size(); ++i) {
            const Variable& v = run_.Problem().variables[i];
            key += TrialText(v.from + unit[i] * (v.to - v.from), NumberSettings{}) + ';';
        }
        if (const auto found = cache_.find(key); found != cache_.end())
            return points[found->second];
        if (run_.Cancelled() || static_cast<int>(points.size()) >= budget_)
            throw nlopt::forced_stop();
        points.push_back(run_.Evaluate(evaluator_, unit));
        run_.Counted(points.back());
        cache_.emplace(key, points.size() - 1);
        return points.back();
    }

    static double Objective(unsigned n, const double* x, double* /*gradient*/, void* data) {
        auto* self = static_cast<LocalSearch*>(data);
        const Judgement& j = self->At(std::vector<double>(x, x + n)).judgement;
        return j.objective ? -*j.objective / self->scale_ : 1.0;
    }

    static void Constraints(unsigned m, double* result, unsigned n, const double* x,
                            double* /*gradient*/, void* data) {
        auto* self = static_cast<LocalSearch*>(data);
        const Judgement& j = self->At(std::vector<double>(x, x + n)).judgement;
        for (unsigned i = 0; i < m; ++i) result[i] = i < j.violations.size() ? j.violations[i] : 1;
    }

    OptimizeRun& run_;
    std::vector<double> start_;
    int budget_;
    double scale_;
    DesignEvaluator evaluator_;
    std::map<std::string, std::size_t> cache_;
};

void OptimizeRun::Run(int threads) {
    threads = std::clamp(threads, 1, 256);
    const std::size_t n = problem_.variables.size();
    const int budget = std::max(1, problem_.maxEvaluations);
    progress_.SetTotal(static_cast<std::size_t>(budget));

    // The design as it stands, at its own values, for the table's "before" column. It is a
    // candidate only when every value lies within the bounds: the result never leaves the box.
    bool startInBox = true;
    {
        DesignEvaluator evaluator;
        OptimizePoint& start = outcome_.start;
        for (const Variable& v : problem_.variables) {
            const std::optional<double> value = CurrentValue(problem_.base, *v.input);
            const std::string& typed = problem_.enteredTexts[InputIndex(*v.input->input)];
            // A problem given without its form's texts shows the entered number as a trial
            // text; a form's empty text has no number, so the two never disagree.
            start.texts.push_back(typed.empty() && value ? TrialText(*value, problem_.numbers)
                                                         : typed);
            start.values.push_back(value.value_or(0));
            startInBox = startInBox && value && *value >= v.from && *value <= v.to;
        }
        try {
            start.result = evaluator.Evaluate(problem_.base.design, EvaluationOptionsFor(problem_));
        } catch (...) {
            start.result = DesignResult{};  // no objective: nothing to start from
        }
        start.judgement = JudgeDesign(problem_, problem_.base.design, start.result);
        Counted(start);
    }
    if (!outcome_.start.judgement.objective) {
        outcome_.status = OptimizeStatus::StartUncomputable;
        outcome_.evaluations = Evaluations();
        return;
    }

    // The coarse sample, on all threads.
    const std::vector<std::vector<double>> sample = LatinHypercube(SampleCount(n, budget), n);
    std::vector<OptimizePoint> sampled(sample.size());
    std::vector<char> sampledDone(sample.size(), 0);
    {
        std::vector<DesignEvaluator> evaluators(JobThreads(sample.size(), threads));
        RunJobs(
            sample.size(), threads, progress_,
            [&](std::size_t k, int slot) {
                sampled[k] = Evaluate(evaluators[slot], sample[k]);
                sampledDone[k] = 1;
                Counted(sampled[k]);
            },
            [](std::size_t, const std::string&) {
                // A sample design that could not even be judged is left out of the ranking.
            });
    }

    // The best few distinct starts, in rank order (ties keep sample order).
    std::vector<int> order;
    for (int k = 0; k < static_cast<int>(sample.size()); ++k)
        if (sampledDone[k]) order.push_back(k);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return RanksBefore(sampled[a].judgement, sampled[b].judgement);
    });
    std::vector<std::vector<double>> starts;
    for (const int k : order) {
        if (static_cast<int>(starts.size()) == kSearchCount) break;
        const bool apart = std::all_of(starts.begin(), starts.end(), [&](const auto& s) {
            for (std::size_t i = 0; i < n; ++i)
                if (std::fabs(s[i] - sample[k][i]) >= kStartSeparation) return true;
            return false;
        });
        if (apart) starts.push_back(sample[k]);
    }

    // Local searches, each with a fixed share of what is left.
    const int used = 1 + static_cast<int>(sample.size());
    const int share = starts.empty() ? 0 : (budget - used) / static_cast<int>(starts.size());
    std::vector<std::unique_ptr<LocalSearch>> searches;
    if (share >= static_cast<int>(n) + 2 && !Cancelled()) {
        double scale = std::fabs(*outcome_.start.judgement.objective);
        for (const int k : order)
            if (sampled[k].judgement.objective)
                scale = std::max(scale, std::fabs(*sampled[k].judgement.objective));
        if (scale == 0) scale = 1;
        for (const auto& s : starts)
            searches.push_back(std::make_unique<LocalSearch>(*this, s, share, scale));
        RunJobs(
            searches.size(), threads, progress_, [&](std::size_t k, int) { searches[k]->Search(); },
            [](std::size_t, const std::string&) {
                // A search that failed outside COBYLA keeps the designs it evaluated.
            });
    }

    // The best feasible design, ties to the earliest in this fixed order.
    auto consider = [&](const OptimizePoint& p) {
        if (p.judgement.feasible &&
            (!outcome_.best || *p.judgement.objective > *outcome_.best->judgement.objective))
            outcome_.best = p;
    };
    if (startInBox) consider(outcome_.start);
    for (std::size_t k = 0; k < sampled.size(); ++k)
        if (sampledDone[k]) consider(sampled[k]);
    for (const auto& search : searches)
        for (const OptimizePoint& p : search->points) consider(p);
    outcome_.status = !outcome_.best                            ? OptimizeStatus::NoneFeasible
                      : *outcome_.best->judgement.objective > 0 ? OptimizeStatus::Found
                                                                : OptimizeStatus::NoGain;
    outcome_.evaluations = Evaluations();
    outcome_.cancelled = Cancelled();
}

}  // namespace velmora
