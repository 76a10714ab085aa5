#pragma once

#include <cmath>
#include <vector>

#include "simulation/accurate_cycle.h"
#include "simulation/dormand_prince.h"

namespace velmora {

// The motion of the free displacer over one revolution: free flight integrated with error
// control, rest on a stop in closed form, the events between them located exactly. Used by
// the accurate cycle, which runs revolution after revolution until they repeat.

inline constexpr int kGridPerRevolution = 360;

// Integrated during free flight: position, velocity and the cycle integrals.
enum Component { kX, kV, kRodWork, kPistonWork, kHotHeat, kColdHeat, kPressureTime, kStateSize };
using Stepper = DormandPrince<kStateSize>;
using State = Stepper::State;

// The engine as the equations of motion see it, SI.
struct DisplacerEngine {
    double Ad, Ar, Ap, hd, hp, Vdead, Th, Tc, Td, m, k, xc, weight, omega, MR, pb;
    bool trackMeanPressure = false;  // integrate p dt also at rest (for equalization)

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
struct DisplacerMotion {
    Phase phase = Phase::Free;
    double x = 0;
    double v = 0;
};

struct RevolutionTotals {
    CycleIntegrals integrals;
    double pressureTime = 0;  // integral of p dt
    double impactLoss = 0;
};

// One cycle's bookkeeping while it is integrated.
struct CycleWork {
    const DisplacerEngine& e;
    double period;
    RevolutionTotals totals;
    std::vector<StopEvent>& events;
    std::vector<AccurateSample>* samples;
    int nextSample = 0;

    double GridTime(int k) const { return period * k / kGridPerRevolution; }
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
        for (; nextSample < kGridPerRevolution && GridTime(nextSample) < until; ++nextSample)
            AddSample(GridTime(nextSample), x, 0, 0);
    }
    // Grid samples before `until` from the stepper's dense output.
    void SampleFree(const Stepper& dp, double until) {
        if (samples == nullptr) return;
        for (; nextSample < kGridPerRevolution && GridTime(nextSample) < until; ++nextSample) {
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

// The state at crank angle 0 of the first revolution: resting where the force holds the
// displacer on a stop, else where the forces balance, moving with that balance point.
DisplacerMotion StartingMotion(const DisplacerEngine& e, double period);

// One revolution from crank angle 0, continuing `motion`; adds its integrals to `totals`, its
// stop events to `events` and, when `samples` is given (360 entries), fills the one-degree
// samples. `h` carries the step size from one call to the next. False when the steps run out
// (`stepsLeft`) or the displacer chatters without end.
bool SimulateRevolution(const DisplacerEngine& e, Stepper& dp, DisplacerMotion& motion, double& h,
                        long& stepsLeft, RevolutionTotals& totals, std::vector<StopEvent>& events,
                        std::vector<AccurateSample>* samples);

}  // namespace velmora
