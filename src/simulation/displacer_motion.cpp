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

// The first time from t on at which the force on the displacer resting at xs no longer
// holds it there, or a negative value when that does not happen before the revolution ends.
// At rest only the piston moves the pressure, and the force changes monotonically with
// sin(crank angle): the displacer leaves where sin(crank angle) passes one value, found in
// closed form.
double LeavingTime(const DisplacerEngine& e, double xs, double t, double period) {
    const double into = xs > 0 ? 1.0 : -1.0;
    const auto holds = [&](double tt) { return into * e.ForceAt(xs, tt) >= 0; };
    if (!holds(t)) return t;
    const double b =
        e.pistonArea * e.pistonHalfStroke / e.coldTemp;  // d(sum V / T) / d sin(crank angle)
    if (e.rodArea <= 0 || b <= 0) return -1;             // the force does not change at rest
    // The force vanishes at this pressure; it pushes into the high stop above it, into the
    // low stop below it.
    const double balance =
        e.bufferPressure + (e.springConstant * (xs - e.springCenter) + e.weight) / e.rodArea;
    if (balance <= 0) return -1;  // high: holds at every pressure; low: did not hold at t
    const double sBalance = (e.gasMassR / balance - e.D(xs, 0)) / b;
    if (std::abs(sBalance) >= 1) return -1;
    // The low stop is left where sin(theta) falls through sBalance (the pressure rises), the
    // high stop where it rises through it.
    const double a = std::asin(sBalance);
    const double crossing = xs > 0 ? a : std::numbers::pi - a;
    const double theta = e.speed * t;
    const double turn = 2 * std::numbers::pi;
    double next = crossing + turn * std::floor((theta - crossing) / turn);
    while (next < theta) next += turn;
    double leave = next / e.speed;
    // Rounding may leave the force balanced at that instant: step on until it has turned.
    for (double nudge = 1e-15 * period; holds(leave) && nudge < 1e-6 * period; nudge *= 2)
        leave += nudge;
    return leave < period ? leave : -1;
}

// Rest on a stop from t until the force turns away from it or the revolution ends. While the
// displacer rests only the piston moves, and its p dV integrates in closed form:
// p A_p dx_p = M R T_c d(ln D).
void Rest(CycleWork& w, DisplacerMotion& motion, double& t) {
    const DisplacerEngine& e = w.e;
    const bool high = motion.phase == Phase::High;
    const double xs = high ? e.dispHalfStroke : -e.dispHalfStroke;
    const double start = t;
    const double leave = LeavingTime(e, xs, t, w.period);
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
        w.events.push_back(
            {high ? StopEventKind::LeavesHigh : StopEventKind::LeavesLow, w.Degrees(leave), 0});
        motion = DisplacerMotion{Phase::Free, xs, 0};
    }
}

// After arriving at stop xs at time t (velocity already 0): rests, or leaves at once when the
// force points away.
void Arrive(CycleWork& w, DisplacerMotion& motion, double xs, double t) {
    const bool high = xs > 0;
    const double into = high ? 1.0 : -1.0;
    if (into * w.e.ForceAt(xs, t) >= 0) {
        motion = {high ? Phase::High : Phase::Low, xs, 0};
    } else {
        w.events.push_back(
            {high ? StopEventKind::LeavesHigh : StopEventKind::LeavesLow, w.Degrees(t), 0});
        motion = DisplacerMotion{Phase::Free, xs, 0};
    }
}

// Free flight from t until a stop is reached or the cycle ends. False when the step limit
// is reached or the step would have to become too small.
bool Fly(CycleWork& w, Stepper& dp, DisplacerMotion& motion, double& t, double& h,
         long& stepsLeft) {
    const DisplacerEngine& e = w.e;
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
        // A stop reached inside the step, also one the displacer would pass and come back
        // from within it: the dense output is looked at in quarters of the step.
        double lo = dp.t0(), hi = lo;
        double xs = 0;
        for (int j = 1; j <= kStepChecks && xs == 0; ++j) {
            lo = hi;
            hi = j == kStepChecks ? dp.t() : dp.t0() + (dp.t() - dp.t0()) * j / kStepChecks;
            const double x = j == kStepChecks ? x1 : dp.Dense(hi, kX);
            if (x > e.dispHalfStroke) xs = e.dispHalfStroke;
            if (x < -e.dispHalfStroke) xs = -e.dispHalfStroke;
        }
        if (xs != 0) {
            // The instant of arrival on the dense output: x(lo) is inside, x(hi) beyond.
            const double sign = xs > 0 ? 1.0 : -1.0;
            for (int i = 0; i < 200 && hi - lo > 1e-15 * w.period; ++i) {
                const double mid = 0.5 * (lo + hi);
                (sign * (dp.Dense(mid, kX) - xs) < 0 ? lo : hi) = mid;
            }
            const double arrival = hi;
            const State ye = dp.Dense(arrival);
            w.SampleFree(dp, arrival);
            w.AddFree(ye);
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
    return DisplacerMotion{Phase::Free, BalancePosition(e, 0),
                           inside ? (after - before) / (2 * dt) : 0.0};
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
