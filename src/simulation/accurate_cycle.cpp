#include "simulation/accurate_cycle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/units.h"
#include "simulation/dormand_prince.h"

namespace velmora {
namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr int kGridPerCycle = 360;
// Relative change of the work per cycle below which a run has settled.
constexpr double kSettleTolerance = 1e-6;
// Stop events in one cycle beyond which the displacer is taken to chatter without end.
constexpr int kMaxEventsPerCycle = 10000;
// The longest repeating motion, in revolutions, that counts as settled.
constexpr std::size_t kMaxPeriod = 16;

// Integrated during free flight: position, velocity and the cycle integrals.
enum Component { kX, kV, kRodWork, kPistonWork, kHotHeat, kColdHeat, kPressureTime, kStateSize };
using Stepper = DormandPrince<kStateSize>;
using State = Stepper::State;

// The engine as the equations of motion see it, SI.
struct Engine {
    double Ad, Ar, Ap, hd, hp, Vdead, Th, Tc, Td, m, k, xc, weight, omega, MR, pb;

    // Sum of V / T over the three spaces, for displacer position x and sin(crank angle) s.
    double D(double x, double s) const {
        return Ad * (hd + x) / Th + ((Ad - Ar) * (hd - x) + Ap * hp * (1 + s)) / Tc + Vdead / Td;
    }
    double Pressure(double x, double s) const { return MR / D(x, s); }
    double Force(double x, double p) const { return Ar * (p - pb) - k * (x - xc) - weight; }
    double PressureAt(double x, double t) const { return Pressure(x, std::sin(omega * t)); }
    double ForceAt(double x, double t) const { return Force(x, PressureAt(x, t)); }

    void operator()(double t, const State& y, State& dy) const {
        const double theta = omega * t;
        const double s = std::sin(theta);
        const double pistonSpeed = hp * omega * std::cos(theta);
        const double p = Pressure(y[kX], s);
        dy[kX] = y[kV];
        dy[kV] = Force(y[kX], p) / m;
        dy[kRodWork] = p * Ar * y[kV];
        dy[kPistonWork] = p * Ap * pistonSpeed;
        dy[kHotHeat] = p * Ad * y[kV];
        dy[kColdHeat] = p * (Ap * pistonSpeed - (Ad - Ar) * y[kV]);
        dy[kPressureTime] = p;
    }
};

enum class Phase { Free, Low, High };

// Where the displacer is between events.
struct Motion {
    Phase phase = Phase::Free;
    double x = 0;
    double v = 0;
};

struct CycleTotals {
    CycleIntegrals integrals;
    double pressureTime = 0;  // integral of p dt
    double impactLoss = 0;
};

// One cycle's bookkeeping while it is integrated.
struct CycleWork {
    const Engine& e;
    double period;
    CycleTotals totals;
    std::vector<StopEvent>& events;
    std::vector<AccurateSample>* samples;
    int nextSample = 0;

    double GridTime(int k) const { return period * k / kGridPerCycle; }
    double Degrees(double t) const { return 360 * t / period; }

    void AddSample(double t, double x, double v, double a) {
        const double s = std::sin(e.omega * t);
        AccurateSample& out = (*samples)[nextSample];
        out.angleDeg = nextSample;
        out.dispPos = x;
        out.dispVelocity = v;
        out.dispAcceleration = a;
        out.pistonPos = e.hp * s;
        out.pressure = e.Pressure(x, s);
        out.hotVolume = e.Ad * (e.hd + x);
        out.coldVolume = (e.Ad - e.Ar) * (e.hd - x) + e.Ap * e.hp * (1 + s);
        out.totalVolume = out.hotVolume + out.coldVolume + e.Vdead;
    }
    // Grid samples before `until` while resting at stop x.
    void SampleRest(double until, double x) {
        if (samples == nullptr) return;
        for (; nextSample < kGridPerCycle && GridTime(nextSample) < until; ++nextSample)
            AddSample(GridTime(nextSample), x, 0, 0);
    }
    // Grid samples before `until` from the stepper's dense output.
    void SampleFree(const Stepper& dp, double until) {
        if (samples == nullptr) return;
        for (; nextSample < kGridPerCycle && GridTime(nextSample) < until; ++nextSample) {
            const double t = GridTime(nextSample);
            const State y = dp.Dense(t);
            AddSample(t, y[kX], y[kV], e.ForceAt(y[kX], t) / e.m);
        }
    }
    void AddFree(const State& y) {
        totals.integrals.rodWork += y[kRodWork];
        totals.integrals.pistonWork += y[kPistonWork];
        totals.integrals.hotHeat += y[kHotHeat];
        totals.integrals.coldHeat += y[kColdHeat];
        totals.pressureTime += y[kPressureTime];
    }
};

// Integral of p dt at rest over [a, b] by three-point Gauss-Legendre (b - a is at most one
// crank degree, over which p is smooth).
double RestPressureTime(const Engine& e, double x, double a, double b) {
    const double mid = 0.5 * (a + b);
    const double half = 0.5 * (b - a);
    const double r = half * std::sqrt(0.6);
    return half * (5 * e.PressureAt(x, mid - r) + 8 * e.PressureAt(x, mid) +
                   5 * e.PressureAt(x, mid + r)) / 9;
}

// Rest on a stop from t until the force turns away from it or the cycle ends. While the
// displacer rests only the piston moves, and its p dV integrates in closed form:
// p A_p dx_p = M R T_c d(ln D).
void Rest(CycleWork& w, Motion& motion, double& t) {
    const Engine& e = w.e;
    const bool high = motion.phase == Phase::High;
    const double xs = high ? e.hd : -e.hd;
    const double into = high ? 1.0 : -1.0;
    const auto holds = [&](double tt) { return into * e.ForceAt(xs, tt) >= 0; };
    const double start = t;
    const double dt = w.period / kGridPerCycle;
    double leave = -1;
    double tp = t;
    while (tp < w.period) {
        const double tn = std::min(tp + dt, w.period);
        if (!holds(tn)) {
            // Bisection to the last representable instant; the end where the force has
            // already turned is taken, so the free flight starts moving away.
            double lo = tp, hi = tn;
            for (int i = 0; i < 200 && hi - lo > 1e-15 * w.period; ++i) {
                const double mid = 0.5 * (lo + hi);
                (holds(mid) ? lo : hi) = mid;
            }
            leave = hi;
            w.totals.pressureTime += RestPressureTime(e, xs, tp, leave);
            break;
        }
        w.totals.pressureTime += RestPressureTime(e, xs, tp, tn);
        tp = tn;
    }
    const double end = leave < 0 ? w.period : leave;
    const double piston =
        e.MR * e.Tc * std::log(e.D(xs, std::sin(e.omega * end)) / e.D(xs, std::sin(e.omega * start)));
    w.totals.integrals.pistonWork += piston;
    w.totals.integrals.coldHeat += piston;
    w.SampleRest(end, xs);
    t = end;
    if (leave >= 0) {
        w.events.push_back({high ? StopEventKind::LeavesHigh : StopEventKind::LeavesLow,
                            w.Degrees(leave), 0});
        motion = {Phase::Free, xs, 0};
    }
}

// After arriving at stop xs at time t (velocity already 0): rests, or leaves at once when the
// force points away.
void Arrive(CycleWork& w, Motion& motion, double xs, double t) {
    const bool high = xs > 0;
    const double into = high ? 1.0 : -1.0;
    if (into * w.e.ForceAt(xs, t) >= 0) {
        motion = {high ? Phase::High : Phase::Low, xs, 0};
    } else {
        w.events.push_back({high ? StopEventKind::LeavesHigh : StopEventKind::LeavesLow,
                            w.Degrees(t), 0});
        motion = {Phase::Free, xs, 0};
    }
}

// Free flight from t until a stop is reached or the cycle ends. False when the step limit
// is reached or the step would have to become too small.
bool Fly(CycleWork& w, Stepper& dp, Motion& motion, double& t, double& h, long& stepsLeft) {
    const Engine& e = w.e;
    State y{};
    y[kX] = motion.x;
    y[kV] = motion.v;
    dp.Start(e, t, y, h);
    const double hMin = 1e-12 * w.period;
    for (;;) {
        const long before = dp.Attempts();
        const bool ok = dp.Step(e, w.period, hMin);
        stepsLeft -= dp.Attempts() - before;
        if (!ok || stepsLeft < 0) return false;
        h = dp.NextStep();
        const double x1 = dp.y()[kX];
        if (x1 > e.hd || x1 < -e.hd) {
            const double xs = x1 > e.hd ? e.hd : -e.hd;
            // The instant of arrival on the dense output: x(t0) is inside, x(t1) beyond.
            double lo = dp.t0(), hi = dp.t();
            const double sign = xs > 0 ? 1.0 : -1.0;
            for (int i = 0; i < 200 && hi - lo > 1e-15 * w.period; ++i) {
                const double mid = 0.5 * (lo + hi);
                (sign * (dp.Dense(mid, kX) - xs) < 0 ? lo : hi) = mid;
            }
            const double arrival = hi;
            const State ye = dp.Dense(arrival);
            w.SampleFree(dp, arrival);
            w.AddFree(ye);
            w.totals.impactLoss += 0.5 * e.m * ye[kV] * ye[kV];
            w.events.push_back({xs > 0 ? StopEventKind::ArrivesHigh : StopEventKind::ArrivesLow,
                                w.Degrees(arrival), std::abs(ye[kV])});
            t = arrival;
            Arrive(w, motion, xs, t);
            return true;
        }
        w.SampleFree(dp, dp.t());
        if (dp.t() >= w.period) {
            w.AddFree(dp.y());
            motion = {Phase::Free, x1, dp.y()[kV]};
            t = w.period;
            return true;
        }
    }
}

// The state at crank angle 0 of the first cycle: resting where the force holds the displacer
// on a stop, else at rest where the forces balance.
Motion StartingMotion(const Engine& e) {
    const double low = e.ForceAt(-e.hd, 0);
    const double high = e.ForceAt(e.hd, 0);
    if (low < 0) return {Phase::Low, -e.hd, 0};
    if (high > 0) return {Phase::High, e.hd, 0};
    double lo = -e.hd, hi = e.hd;  // force >= 0 at lo, <= 0 at hi
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (lo + hi);
        (e.ForceAt(mid, 0) >= 0 ? lo : hi) = mid;
    }
    return {Phase::Free, 0.5 * (lo + hi), 0};
}

// The number of revolutions after which the work per revolution repeats to within
// kSettleTolerance (1 for an ordinary cycle; more when the displacer settles into a motion
// that repeats only every few revolutions), checked over two whole periods; 0 while it does
// not repeat yet. `floor` keeps cycles of almost no work from counting as never settling.
int SettledPeriod(const std::vector<CycleTotals>& history, double floor) {
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
CycleTotals MeanOfLast(const std::vector<CycleTotals>& history, int count) {
    CycleTotals mean;
    const std::size_t n = history.size();
    for (std::size_t i = n - static_cast<std::size_t>(count); i < n; ++i) {
        mean.integrals.pistonWork += history[i].integrals.pistonWork / count;
        mean.integrals.rodWork += history[i].integrals.rodWork / count;
        mean.integrals.hotHeat += history[i].integrals.hotHeat / count;
        mean.integrals.coldHeat += history[i].integrals.coldHeat / count;
        mean.pressureTime += history[i].pressureTime / count;
        mean.impactLoss += history[i].impactLoss / count;
    }
    return mean;
}

bool Usable(double value) {
    return std::isfinite(value) && value > 0;
}

bool MakeEngine(const ParameterSet& p, bool gravity, double speed, Engine& e) {
    const double gasMass = AccurateGasMass(p);
    if (!Usable(p.DispArea) || !Usable(p.DispHalfStroke) || !Usable(p.DispMass) ||
        !Usable(gasMass) || !Usable(speed) || !Usable(p.MeanEnginePressure))
        return false;
    for (double nonNegative : {p.DispRodArea, p.PistonArea, p.PistonHalfStroke, p.DeadSpaceVol,
                               p.SpringConstant})
        if (!std::isfinite(nonNegative) || nonNegative < 0) return false;
    if (p.DispRodArea >= p.DispArea || !std::isfinite(p.SpringCenter)) return false;
    e = Engine{p.DispArea,    p.DispRodArea, p.PistonArea, p.DispHalfStroke,  p.PistonHalfStroke,
               p.DeadSpaceVol, p.HotTemp,    p.ColdTemp,   p.DeadSpaceTemp,   p.DispMass,
               p.SpringConstant, p.SpringCenter, gravity ? p.DispMass * kGravity : 0.0, speed,
               gasMass * kGasConstant, p.MeanEnginePressure};
    return true;
}

}  // namespace

double AccurateGasMass(const ParameterSet& p) {
    if (!Usable(p.HotTemp) || !Usable(p.ColdTemp) || !Usable(p.DeadSpaceTemp)) return 0;
    const double volumeOverT = p.DispArea * p.DispHalfStroke / p.HotTemp +
                               ((p.DispArea - p.DispRodArea) * p.DispHalfStroke +
                                p.PistonArea * p.PistonHalfStroke) / p.ColdTemp +
                               p.DeadSpaceVol / p.DeadSpaceTemp;
    const double mass = p.MeanEnginePressure * volumeOverT / kGasConstant;
    return std::isfinite(mass) ? mass : 0;
}

AccurateSpeedRun RunAccurateCycleAt(const ParameterSet& params, const AccurateCycleOptions& options,
                                    double speed) {
    AccurateSpeedRun run;
    run.speed = speed;
    Engine e{};
    if (!MakeEngine(params, options.gravity, speed, e)) return run;

    const double period = kFullTurn / speed;
    Stepper dp;
    dp.relTol = options.relTol;
    const double workScale =
        e.pb * (2 * e.Ad * e.hd + 2 * e.Ap * e.hp);  // p V of the swept volumes
    const double speedScale =
        e.hd * speed + std::sqrt(e.hd * (e.Ar * e.pb + e.k * e.hd + e.weight) / e.m);
    dp.absTol = {options.relTol * e.hd,      options.relTol * speedScale,
                 options.relTol * workScale, options.relTol * workScale,
                 options.relTol * workScale, options.relTol * workScale,
                 options.relTol * e.pb * period};

    Motion motion = StartingMotion(e);
    double h = period / 3600;
    long stepsLeft = options.maxSteps;
    run.outcome = AccurateOutcome::CycleLimit;
    std::vector<AccurateSample> samples(options.recordSamples ? kGridPerCycle : 0);
    std::vector<CycleTotals> history;
    for (int cycle = 1; cycle <= options.maxCycles; ++cycle) {
        run.events.clear();
        CycleWork w{e, period, {}, run.events, options.recordSamples ? &samples : nullptr};
        double t = 0;
        bool ok = true;
        int events = 0;
        while (ok && t < period) {
            if (++events > kMaxEventsPerCycle) {
                ok = false;
            } else if (motion.phase == Phase::Free) {
                ok = Fly(w, dp, motion, t, h, stepsLeft);
            } else {
                Rest(w, motion, t);
            }
        }
        run.cycles = cycle;
        run.steps = options.maxSteps - stepsLeft;
        if (!ok) {
            run.outcome = AccurateOutcome::StepLimit;
            break;
        }
        history.push_back(w.totals);
        const int repeat = SettledPeriod(history, 1e-6 * workScale);
        const CycleTotals mean = MeanOfLast(history, std::max(repeat, 1));
        run.energy = EnergyOfCycle(mean.integrals, params, speed);
        run.impactLoss = mean.impactLoss;
        run.bufferPressure = e.pb;
        bool settled = repeat > 0;
        if (options.pressureEqualization) {
            // A slow leak past the rod brings its outer side to the cycle's average pressure.
            const double average = w.totals.pressureTime / period;
            settled = settled && std::abs(average - e.pb) <= 1e-7 * e.pb;
            e.pb = average;
        }
        if (settled) {
            run.outcome = AccurateOutcome::Settled;
            run.settled = true;
            run.revolutionsPerPeriod = repeat;
            break;
        }
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
