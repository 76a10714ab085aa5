#include "simulation/displacer_motion.h"

#include <algorithm>
#include <numbers>

namespace velmora {
namespace {

// Stop events in one revolution beyond which the displacer is taken to chatter without end.
constexpr int kMaxEventsPerRevolution = 10000;
// Points of each step (its end among them) at which the stops are looked for.
constexpr int kStepChecks = 4;

// Integral of p dt at rest over [a, b] by three-point Gauss-Legendre (b - a is at most one
// crank degree, over which p is smooth).
double RestPressureTime(const DisplacerEngine& e, double x, double a, double b) {
    const double mid = 0.5 * (a + b);
    const double half = 0.5 * (b - a);
    const double r = half * std::sqrt(0.6);
    return half *
           (5 * e.PressureAt(x, mid - r) + 8 * e.PressureAt(x, mid) +
            5 * e.PressureAt(x, mid + r)) /
           9;
}

// Whether the displacer at rest in `phase` at x stays there at time t: on a stop while the force
// does not pull it off by more than the dry friction F_c, mid-stroke while |F| <= F_c.
bool Holds(const DisplacerEngine& e, Phase phase, double x, double t) {
    const double force = e.ForceAt(x, t);
    if (phase == Phase::Stuck) return std::abs(force) <= e.dryFriction;
    const double into = phase == Phase::High ? 1.0 : -1.0;
    return into * force >= -e.dryFriction;
}

// The first time from t on (before `period`) at which the pressure with the displacer at x
// passes pStar upwards (`rises`) or downwards; -1 when it does not. At rest only the piston
// moves the pressure, which falls as sin(crank angle) rises, so the crossing is where
// sin(crank angle) passes one value, found in closed form.
double PressureCrossing(const DisplacerEngine& e, double x, double pStar, bool rises, double t,
                        double period) {
    const double b =
        e.pistonArea * e.pistonHalfStroke / e.coldTemp;  // d(sum V / T) / d sin(crank angle)
    if (pStar <= 0) return -1;
    const double sStar = (e.gasMassR / pStar - e.D(x, 0)) / b;
    if (std::abs(sStar) >= 1) return -1;
    const double a = std::asin(sStar);
    const double crossing = rises ? std::numbers::pi - a : a;
    const double theta = e.speed * t;
    const double turn = 2 * std::numbers::pi;
    double next = crossing + turn * std::floor((theta - crossing) / turn);
    while (next < theta) next += turn;
    const double at = next / e.speed;
    return at < period ? at : -1;
}

// The first time from t on at which the force on the displacer resting at x (on a stop or stuck
// mid-stroke) no longer holds it there, or a negative value when that does not happen before
// the revolution ends. The force F = A_r (p - p_b) - k (x - x_c) - W rises with the pressure,
// and the displacer leaves where F passes -F_c (off the high stop, or stuck, moving down) or
// +F_c (off the low stop, or stuck, moving up).
double LeavingTime(const DisplacerEngine& e, Phase phase, double x, double t, double period) {
    const auto holds = [&](double tt) { return Holds(e, phase, x, tt); };
    if (!holds(t)) return t;
    const double b = e.pistonArea * e.pistonHalfStroke / e.coldTemp;
    if (e.rodArea <= 0 || b <= 0) return -1;  // the force does not change at rest
    // The pressure at which the force is `target`.
    const auto pressureFor = [&](double target) {
        return e.bufferPressure +
               (e.springConstant * (x - e.springCenter) + e.weight + target) / e.rodArea;
    };
    double leave = -1;
    if (phase != Phase::Low)  // pulled down as the pressure falls
        leave = PressureCrossing(e, x, pressureFor(-e.dryFriction), false, t, period);
    if (phase != Phase::High) {  // pushed up as the pressure rises
        const double up = PressureCrossing(e, x, pressureFor(e.dryFriction), true, t, period);
        if (up >= 0 && (leave < 0 || up < leave)) leave = up;
    }
    if (leave < 0) return -1;
    // Rounding may leave the force balanced at that instant: step on until it has turned.
    for (double nudge = 1e-15 * period; holds(leave) && nudge < 1e-6 * period; nudge *= 2)
        leave += nudge;
    return leave < period ? leave : -1;
}

// Rest on a stop, or stuck mid-stroke, from t until the force frees the displacer or the
// revolution ends. While the displacer rests only the piston moves, and its p dV integrates in
// closed form: p A_p dx_p = M R T_c d(ln D).
void Rest(CycleWork& w, DisplacerMotion& motion, double& t) {
    const DisplacerEngine& e = w.e;
    const bool high = motion.phase == Phase::High;
    const double xs = motion.phase == Phase::Stuck ? motion.x
                      : high                       ? e.dispHalfStroke
                                                   : -e.dispHalfStroke;
    const double start = t;
    const double leave = LeavingTime(e, motion.phase, xs, t, w.period);
    const double end = leave < 0 ? w.period : leave;
    if (e.trackMeanPressure) {
        const double dt = w.period / kGridPerRevolution;
        for (double tp = start; tp < end; tp += dt)
            w.totals.pressureTime += RestPressureTime(e, xs, tp, std::min(tp + dt, end));
    }
    const double piston =
        e.gasMassR * e.coldTemp *
        std::log(e.D(xs, std::sin(e.speed * end)) / e.D(xs, std::sin(e.speed * start)));
    w.totals.integrals.pistonWork += piston;
    w.totals.integrals.coldHeat += piston;
    w.SampleRest(end, xs);
    t = end;
    if (leave >= 0) {
        const StopEventKind kind = motion.phase == Phase::Stuck ? StopEventKind::Unsticks
                                   : high                       ? StopEventKind::LeavesHigh
                                                                : StopEventKind::LeavesLow;
        w.events.push_back({kind, w.Degrees(leave), 0});
        motion = DisplacerMotion{Phase::Free, xs, 0};
    }
}

// After arriving at stop xs at time t (velocity already 0): rests, or leaves at once when the
// force pulls it away by more than the dry friction.
void Arrive(CycleWork& w, DisplacerMotion& motion, double xs, double t) {
    const bool high = xs > 0;
    const Phase stop = high ? Phase::High : Phase::Low;
    if (Holds(w.e, stop, xs, t)) {
        motion = {stop, xs, 0};
    } else {
        w.events.push_back(
            {high ? StopEventKind::LeavesHigh : StopEventKind::LeavesLow, w.Degrees(t), 0});
        motion = DisplacerMotion{Phase::Free, xs, 0};
    }
}

// The instant in [lo, hi] at which the dense output's component `c`, times `sign`, reaches
// `level` from below (it is below at lo, not at hi): bisection to 1e-15 of the period.
double Crossing(const Stepper& dp, int c, double sign, double level, double lo, double hi,
                double period) {
    for (int i = 0; i < 200 && hi - lo > 1e-15 * period; ++i) {
        const double mid = 0.5 * (lo + hi);
        (sign * dp.Dense(mid, c) < level ? lo : hi) = mid;
    }
    return hi;
}

// Dry friction at the start of a flight: the direction of motion, from the velocity or, from
// rest, from the force; 0 when friction holds the displacer (it sticks at t).
double FlightDirection(CycleWork& w, DisplacerMotion& motion, double t) {
    if (motion.v != 0) return motion.v > 0 ? 1.0 : -1.0;
    const double force = w.e.ForceAt(motion.x, t);
    if (std::abs(force) > w.e.dryFriction) return force > 0 ? 1.0 : -1.0;
    w.events.push_back({StopEventKind::Sticks, w.Degrees(t), 0});
    motion = DisplacerMotion{Phase::Stuck, motion.x, 0};
    return 0;
}

// Free flight from t until a stop is reached, the displacer comes to rest under dry friction,
// or the cycle ends. With dry friction a flight keeps one direction of motion, so the friction
// force F_c sign(v) is a constant of its equations; where v reaches 0 the displacer sticks
// while |F| <= F_c and otherwise flies on the other way. False when the step limit is reached
// or the step would have to become too small.
bool Fly(CycleWork& w, Stepper& dp, DisplacerMotion& motion, double& t, double& h,
         long& stepsLeft) {
    const DisplacerEngine& e = w.e;
    const bool dry = e.dryFriction > 0;
    double direction = 0;
    if (dry && (direction = FlightDirection(w, motion, t)) == 0) return true;
    DisplacerEngine withFriction = e;
    withFriction.dryForce = e.dryFriction * direction;
    const DisplacerEngine& f = dry ? withFriction : e;
    const double x0 = motion.x;
    State y{};
    y[kX] = motion.x;
    y[kV] = motion.v;
    dp.Start(f, t, y, h);
    const double hMin = 1e-12 * w.period;
    for (;;) {
        const long before = dp.Attempts();
        const bool ok = dp.Step(f, w.period, hMin);
        stepsLeft -= dp.Attempts() - before;
        if (!ok || stepsLeft < 0) return false;
        h = dp.NextStep();
        const double x1 = dp.y()[kX];
        // A stop reached inside the step, also one the displacer would pass and come back
        // from within it: the dense output is looked at in quarters of the step. With dry
        // friction, also where the velocity reaches 0.
        double lo = dp.t0(), hi = lo;
        double xs = 0;
        bool halts = false;
        for (int j = 1; j <= kStepChecks && xs == 0 && !halts; ++j) {
            lo = hi;
            hi = j == kStepChecks ? dp.t() : dp.t0() + (dp.t() - dp.t0()) * j / kStepChecks;
            const double x = j == kStepChecks ? x1 : dp.Dense(hi, kX);
            if (x > e.dispHalfStroke) xs = e.dispHalfStroke;
            if (x < -e.dispHalfStroke) xs = -e.dispHalfStroke;
            if (dry) halts = direction * (j == kStepChecks ? dp.y()[kV] : dp.Dense(hi, kV)) <= 0;
        }
        if (halts) {
            const double stop = Crossing(dp, kV, -direction, 0, lo, hi, w.period);
            const double xAt = dp.Dense(stop, kX);
            // Both in one quarter: the earlier counts.
            if (xs == 0 || std::abs(xAt) < e.dispHalfStroke) {
                const State ye = dp.Dense(stop);
                w.SampleFree(dp, stop);
                w.AddFree(ye);
                w.AddTravel(x0, ye[kX]);
                t = stop;
                motion = DisplacerMotion{Phase::Free, ye[kX], 0};
                // Sticks, or flies on the other way (the next flight decides by the force).
                if (std::abs(e.ForceAt(ye[kX], t)) <= e.dryFriction) {
                    w.events.push_back({StopEventKind::Sticks, w.Degrees(t), 0});
                    motion.phase = Phase::Stuck;
                }
                return true;
            }
        }
        if (xs != 0) {
            // The instant of arrival on the dense output: x(lo) is inside, x(hi) beyond.
            const double sign = xs > 0 ? 1.0 : -1.0;
            const double arrival = Crossing(dp, kX, sign, sign * xs, lo, hi, w.period);
            const State ye = dp.Dense(arrival);
            w.SampleFree(dp, arrival);
            w.AddFree(ye);
            w.AddTravel(x0, xs);
            w.events.push_back({xs > 0 ? StopEventKind::ArrivesHigh : StopEventKind::ArrivesLow,
                                w.Degrees(arrival), std::abs(ye[kV])});
            t = arrival;
            const double rebound = -e.restitution * ye[kV];
            if (e.restitution > 0 && std::abs(rebound) > e.bounceFloor) {
                // A stop keeps e of the speed: m v^2 (1 - e^2) / 2 is lost.
                w.totals.impactLoss += 0.5 * e.dispMass * (ye[kV] * ye[kV] - rebound * rebound);
                motion = DisplacerMotion{Phase::Free, xs, rebound};
                return true;
            }
            w.totals.impactLoss += 0.5 * e.dispMass * ye[kV] * ye[kV];
            Arrive(w, motion, xs, t);
            return true;
        }
        w.SampleFree(dp, dp.t());
        if (dp.t() >= w.period) {
            w.AddFree(dp.y());
            w.AddTravel(x0, x1);
            motion = DisplacerMotion{Phase::Free, x1, dp.y()[kV]};
            t = w.period;
            return true;
        }
    }
}

// Where the forces on the displacer balance at time t, between stops that push it inwards.
double BalancePosition(const DisplacerEngine& e, double t) {
    double lo = -e.dispHalfStroke, hi = e.dispHalfStroke;  // force >= 0 at lo, <= 0 at hi
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (lo + hi);
        (e.ForceAt(mid, t) >= 0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

}  // namespace

// The motion has no damping, so a free oscillation excited at the start would never die out;
// starting on the moving balance point leaves almost none.
DisplacerMotion StartingMotion(const DisplacerEngine& e, double period) {
    const double low = e.ForceAt(-e.dispHalfStroke, 0);
    const double high = e.ForceAt(e.dispHalfStroke, 0);
    if (low < 0) return DisplacerMotion{Phase::Low, -e.dispHalfStroke, 0};
    if (high > 0) return DisplacerMotion{Phase::High, e.dispHalfStroke, 0};
    const double dt = 1e-5 * period;
    const double before = BalancePosition(e, -dt);
    const double after = BalancePosition(e, dt);
    const bool inside = std::abs(before) < e.dispHalfStroke && std::abs(after) < e.dispHalfStroke;
    // Under dry friction the engine starts as it stands: the displacer at rest, held while
    // the friction can hold it.
    return DisplacerMotion{Phase::Free, BalancePosition(e, 0),
                           inside && e.dryFriction == 0 ? (after - before) / (2 * dt) : 0.0};
}

bool SimulateRevolution(const DisplacerEngine& e, Stepper& dp, DisplacerMotion& motion, double& h,
                        long& stepsLeft, RevolutionTotals& totals, std::vector<StopEvent>& events,
                        std::vector<AccurateSample>* samples) {
    const double period = 2 * std::numbers::pi / e.speed;
    CycleWork w{e, period, {}, events, samples};
    double t = 0;
    int count = 0;
    while (t < period) {
        if (++count > kMaxEventsPerRevolution) return false;
        if (motion.phase == Phase::Free) {
            if (!Fly(w, dp, motion, t, h, stepsLeft)) return false;
        } else {
            Rest(w, motion, t);
        }
    }
    totals = w.totals;
    return true;
}

}  // namespace velmora
