#include "simulation/accurate_cycle.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "report/unit_text.h"
#include "simulation/displacer_motion.h"
#include "simulation/engine.h"

namespace velmora {
namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
// Relative change of the work per cycle below which a run has settled.
constexpr double kSettleTolerance = 1e-6;
// Pressure equalization: the buffer pressure is the cycle's mean to this fraction, found in
// at most this many trials.
constexpr double kEqualizationTolerance = 1e-9;
constexpr int kMaxEqualizationTrials = 100;
// Works below this fraction of p V over the swept volumes count as no work when the settling
// is judged: an undamped displacer that never touches a stop keeps a small free oscillation,
// whose work per revolution wanders far below anything measurable.
constexpr double kWorkFloor = 1e-3;
// Works below this fraction of p V over the swept volumes are too small for an efficiency.
constexpr double kMeasurableWork = 1e-5;
// The longest repeating motion, in revolutions, that counts as settled.
constexpr std::size_t kMaxPeriod = 16;

// The number of revolutions after which the work per revolution repeats to within
// kSettleTolerance (1 for an ordinary cycle; more when the displacer settles into a motion
// that repeats only every few revolutions), checked over two whole periods; 0 while it does
// not repeat yet. `floor` keeps cycles of almost no work from counting as never settling.
int SettledPeriod(const std::vector<RevolutionTotals>& history, double floor) {
    const auto work = [&](std::size_t i) {
        return history[i].integrals.pistonWork + history[i].integrals.rodWork;
    };
    const std::size_t n = history.size();
    for (std::size_t period = 1; period <= kMaxPeriod && 2 * period <= n - 1; ++period) {
        bool repeats = true;
        for (std::size_t j = 0; j < period && repeats; ++j) {
            const double w = work(n - 1 - j);
            const double before = work(n - 1 - j - period);
            repeats = std::abs(w - before) <= kSettleTolerance * std::max(std::abs(w), floor);
        }
        if (repeats) return static_cast<int>(period);
    }
    return 0;
}

// The mean per revolution of the last `count` cycles.
RevolutionTotals MeanOfLast(const std::vector<RevolutionTotals>& history, int count) {
    RevolutionTotals mean;
    const std::size_t n = history.size();
    for (std::size_t i = n - static_cast<std::size_t>(count); i < n; ++i) {
        mean.integrals.pistonWork += history[i].integrals.pistonWork / count;
        mean.integrals.rodWork += history[i].integrals.rodWork / count;
        mean.integrals.hotHeat += history[i].integrals.hotHeat / count;
        mean.integrals.coldHeat += history[i].integrals.coldHeat / count;
        mean.pressureTime += history[i].pressureTime / count;
        mean.impactLoss += history[i].impactLoss / count;
        mean.dissipation += history[i].dissipation / count;
        mean.dryFrictionLoss += history[i].dryFrictionLoss / count;
        mean.travel += history[i].travel / count;
    }
    return mean;
}

bool Usable(double value) {
    return std::isfinite(value) && value > 0;
}

bool MakeEngine(const ParameterSet& p, bool gravity, double speed, DisplacerEngine& e) {
    const double gasMass = AccurateGasMass(p);
    if (!Usable(p.DispArea) || !Usable(p.DispHalfStroke) || !Usable(p.DispMass) ||
        !Usable(gasMass) || !Usable(speed) || !Usable(p.MeanEnginePressure))
        return false;
    for (double nonNegative :
         {p.DispRodArea, p.PistonArea, p.PistonHalfStroke, p.DeadSpaceVol, p.SpringConstant})
        if (!std::isfinite(nonNegative) || nonNegative < 0) return false;
    if (p.DispRodArea >= p.DispArea || !std::isfinite(p.SpringCenter)) return false;
    e = DisplacerEngine{EngineOf(p, gravity, speed, gasMass * kGasConstant)};
    return true;
}

}  // namespace

double AccurateGasMass(const ParameterSet& p) {
    if (!Usable(p.HotTemp) || !Usable(p.ColdTemp) || !Usable(p.DeadSpaceTemp)) return 0;
    // D at mid-stroke (x = 0, s = 0): doc/physics.md section 1, Gas charge.
    const double volumeOverT = EngineOf(p, false).D(0, 0);
    const double mass = p.MeanEnginePressure * volumeOverT / kGasConstant;
    return std::isfinite(mass) ? mass : 0;
}

namespace {

// What revolutions at one buffer pressure come to.
struct Settling {
    bool ok = false;        // false: steps ran out
    int repeat = 0;         // revolutions per period once settled, else 0
    RevolutionTotals mean;  // per revolution over the period (or the last revolutions)
};

// The integration's state carried from revolution to revolution.
struct Integration {
    Stepper dp;
    DisplacerMotion motion;
    double h = 0;
    long stepsLeft = 0;
    int revolutions = 0;
};

// Where one revolution from a free start (x, v) at crank angle 0 ends.
struct Revolved {
    bool free = false;  // it ran and stayed clear of the stops
    double x = 0, v = 0;
};

Revolved Revolve(const DisplacerEngine& e, Integration& in, double x, double v) {
    Stepper dp = in.dp;
    double h = in.h;
    DisplacerMotion motion{Phase::Free, x, v};
    RevolutionTotals totals;
    std::vector<StopEvent> events;
    if (!SimulateRevolution(e, dp, motion, h, in.stepsLeft, totals, events, nullptr)) return {};
    if (!events.empty() || motion.phase != Phase::Free) return {};
    return {true, motion.x, motion.v};
}

// A displacer that never touches a stop swings freely on top of the motion the crank forces,
// and without damping that swing never dies out: its revolutions never repeat. The forced
// motion alone starts at the (x, v) that one revolution brings back to itself, found here by
// Newton's method on the revolution map (its Jacobian by differences). It is taken only when
// every revolution of the search stays clear of the stops and the motion is stable: the map
// keeps areas (the force has no velocity term), so it is stable when its eigenvalues lie on
// the unit circle, |trace| <= 2; there any slight damping would settle it.
bool FindForcedMotion(const DisplacerEngine& e, Integration& in, double speedScale,
                      DisplacerMotion& found) {
    constexpr int kIterations = 12;
    constexpr double kResidual = 1e-9;  // of the stroke and the speed scale
    constexpr double kProbe = 1e-6;
    double x = in.motion.x, v = in.motion.v;
    const double dx = kProbe * e.dispHalfStroke, dv = kProbe * speedScale;
    for (int i = 0; i < kIterations; ++i) {
        const Revolved base = Revolve(e, in, x, v);
        const Revolved byX = Revolve(e, in, x + dx, v);
        const Revolved byV = Revolve(e, in, x, v + dv);
        if (!base.free || !byX.free || !byV.free) return false;
        // The map's Jacobian M; Newton solves (M - I) step = -(P(z) - z).
        const double m11 = (byX.x - base.x) / dx, m12 = (byV.x - base.x) / dv;
        const double m21 = (byX.v - base.v) / dx, m22 = (byV.v - base.v) / dv;
        const double fx = base.x - x, fv = base.v - v;
        if (std::abs(fx) <= kResidual * e.dispHalfStroke &&
            std::abs(fv) <= kResidual * speedScale) {
            if (std::abs(m11 + m22) > 2 + 1e-6) return false;  // unstable
            found = DisplacerMotion{Phase::Free, x, v};
            return true;
        }
        const double a = m11 - 1, b = m12, c = m21, d = m22 - 1;
        const double det = a * d - b * c;
        if (!std::isfinite(det) || det == 0) return false;
        x -= (d * fx - b * fv) / det;
        v -= (a * fv - c * fx) / det;
        if (!(std::abs(x) < e.dispHalfStroke)) return false;
    }
    return false;
}

// Revolutions at the engine's buffer pressure until the work per revolution repeats, or the
// cycle limit; the events and samples of the last revolution. A free swing that keeps the
// revolutions from repeating is looked through once, after kRevolutionsBeforeSearch.
Settling Settle(const DisplacerEngine& e, Integration& in, const AccurateCycleOptions& options,
                double workScale, double speedScale, AccurateSpeedRun& run,
                std::vector<AccurateSample>* samples) {
    constexpr std::size_t kRevolutionsBeforeSearch = 8;
    Settling result;
    std::vector<RevolutionTotals> history;
    bool searched = false;
    while (in.revolutions < options.maxCycles) {
        ++in.revolutions;
        run.events.clear();
        RevolutionTotals totals;
        if (!SimulateRevolution(e, in.dp, in.motion, in.h, in.stepsLeft, totals, run.events,
                                samples))
            return result;
        history.push_back(totals);
        result.repeat = SettledPeriod(history, kWorkFloor * workScale);
        if (result.repeat > 0) break;
        if (!searched && history.size() >= kRevolutionsBeforeSearch &&
            in.motion.phase == Phase::Free) {
            searched = true;
            DisplacerMotion forced;
            if (FindForcedMotion(e, in, speedScale, forced)) {
                in.motion = forced;
                history.clear();  // what came before was the swing
            }
            if (in.stepsLeft < 0) return result;
        }
    }
    result.ok = true;
    // Unsettled, the mean of the last revolutions is the better guess; it is flagged.
    const int n = static_cast<int>(history.size());
    const int count =
        result.repeat > 0 ? result.repeat : std::min<int>(kMaxPeriod, std::max(1, n - 1));
    if (n > 0) result.mean = MeanOfLast(history, count);
    return result;
}

}  // namespace

AccurateSpeedRun RunAccurateCycleAt(const ParameterSet& params, const AccurateCycleOptions& options,
                                    double speed) {
    AccurateSpeedRun run;
    run.speed = speed;
    DisplacerEngine e{};
    if (!MakeEngine(params, options.gravity, speed, e)) return run;
    e.trackMeanPressure = options.pressureEqualization;
    e.damping = options.damping;
    e.restitution = options.restitution;
    e.dryFriction = options.dryFriction;

    const double period = kFullTurn / speed;
    Integration in;
    in.dp.relTol = options.relTol;
    const double workScale =
        e.bufferPressure *
        (2 * e.dispArea * e.dispHalfStroke + 2 * e.pistonArea * e.pistonHalfStroke);  // p V swept
    const double speedScale =
        e.dispHalfStroke * speed +
        std::sqrt(e.dispHalfStroke *
                  (e.rodArea * e.bufferPressure + e.springConstant * e.dispHalfStroke + e.weight) /
                  e.dispMass);
    in.dp.absTol = {options.relTol * e.dispHalfStroke,
                    options.relTol * speedScale,
                    options.relTol * workScale,
                    options.relTol * workScale,
                    options.relTol * workScale,
                    options.relTol * workScale,
                    options.relTol * e.bufferPressure * period,
                    options.relTol * workScale};
    e.bounceFloor = 1e-9 * speedScale;
    in.motion = StartingMotion(e, period);
    in.h = period / 3600;
    in.stepsLeft = options.maxSteps;
    std::vector<AccurateSample> samples(options.recordSamples ? kGridPerRevolution : 0);
    std::vector<AccurateSample>* sampling = options.recordSamples ? &samples : nullptr;

    Settling s = Settle(e, in, options, workScale, speedScale, run, sampling);
    bool settled = s.ok && s.repeat > 0;
    if (options.pressureEqualization && s.ok) {
        // A slow leak past the rod brings its outer side to the cycle's average pressure: the
        // buffer pressure b solves mean(p; b) = b. Every pressure of the cycle lies between
        // the extremes of the gas law, so they bracket the root; regula falsi (Illinois)
        // closes in on it, each trial settled afresh from the motion the last one left.
        const auto excess = [&](const Settling& trial) {
            return trial.mean.pressureTime / period - e.bufferPressure;
        };
        const double corners[] = {
            e.gasMassR / e.D(-e.dispHalfStroke, -1), e.gasMassR / e.D(-e.dispHalfStroke, 1),
            e.gasMassR / e.D(e.dispHalfStroke, -1), e.gasMassR / e.D(e.dispHalfStroke, 1)};
        double lo = *std::min_element(std::begin(corners), std::end(corners));
        double hi = *std::max_element(std::begin(corners), std::end(corners));
        double gLo = hi - lo, gHi = lo - hi;  // mean(p) - b at the ends, at least this sign
        int side = 0;
        settled = false;
        for (int iteration = 0; iteration < kMaxEqualizationTrials && s.ok; ++iteration) {
            const double g = excess(s);
            if (std::abs(g) <= kEqualizationTolerance * e.bufferPressure) {
                settled = s.repeat > 0;
                break;
            }
            if (g > 0) {
                lo = e.bufferPressure;
                gLo = g;
                if (side == 1) gHi /= 2;
                side = 1;
            } else {
                hi = e.bufferPressure;
                gHi = g;
                if (side == -1) gLo /= 2;
                side = -1;
            }
            if (hi - lo <= kEqualizationTolerance * e.bufferPressure) break;  // a jump, not a root
            e.bufferPressure = (lo * gHi - hi * gLo) / (gHi - gLo);
            s = Settle(e, in, options, workScale, speedScale, run, sampling);
        }
    }

    run.cycles = in.revolutions;
    run.steps = options.maxSteps - in.stepsLeft;
    run.bufferPressure = e.bufferPressure;
    run.outcome = !s.ok     ? AccurateOutcome::StepLimit
                  : settled ? AccurateOutcome::Settled
                            : AccurateOutcome::CycleLimit;
    run.settled = settled;
    run.revolutionsPerPeriod = settled ? s.repeat : 0;
    if (s.ok) {
        run.energy = EnergyOfCycle(s.mean.integrals, params, speed);
        run.impactLoss = s.mean.impactLoss;
        run.dissipation = s.mean.dissipation;
        run.dryFrictionLoss = s.mean.dryFrictionLoss;
        run.displacerMoves = !(options.dryFriction > 0 && s.mean.travel == 0);
    }
    // An efficiency needs a closed cycle whose work stands clear of the integration's
    // resolution (about 1e-9 of p V over the swept volumes).
    if (!run.settled || std::abs(run.energy.indicatedWork) < kMeasurableWork * workScale) {
        run.energy.efficiency = 0;
        run.energy.carnotFraction = 0;
    }
    run.samples = std::move(samples);
    return run;
}

AccurateCycleResult RunAccurateCycle(const ParameterSet& params,
                                     const AccurateCycleOptions& options) {
    AccurateCycleResult result;
    result.gasMass = AccurateGasMass(params);
    const double speed = options.speed > 0 ? options.speed : params.EngineSpeed;
    result.atSpeed = RunAccurateCycleAt(params, options, speed);
    result.settled = result.atSpeed.settled;
    if (options.atOmegaBar && params.OmegaBar > 0) {
        AccurateCycleOptions second = options;
        second.recordSamples = false;
        result.omegaBarRun = true;
        result.atOmegaBar = RunAccurateCycleAt(params, second, params.OmegaBar);
        result.settled = result.settled && result.atOmegaBar.settled;
    }
    return result;
}

}  // namespace velmora
