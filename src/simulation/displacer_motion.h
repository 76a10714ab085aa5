#pragma once

#include <cmath>
#include <vector>

#include "simulation/accurate_cycle.h"
#include "simulation/dormand_prince.h"
#include "simulation/engine.h"

namespace velmora {

// The motion of the free displacer over one revolution: free flight integrated with error
// control, rest on a stop in closed form, the events between them located exactly. Used by
// the accurate cycle, which runs revolution after revolution until they repeat.

inline constexpr int kGridPerRevolution = 360;

// Integrated during free flight: position, velocity and the cycle integrals.
// kDissipation: the work of the viscous forces on the displacer (its rate is 0 without them, so
// it never moves the error control of an ideal engine's steps).
enum Component {
    kX,
    kV,
    kRodWork,
    kPistonWork,
    kHotHeat,
    kColdHeat,
    kPressureTime,
    kDissipation,
    kStateSize
};
using Stepper = DormandPrince<kStateSize>;
using State = Stepper::State;

// The engine with the equations of its free flight (doc/physics.md sections 1 and 2).
struct DisplacerEngine : Engine {
    bool trackMeanPressure = false;  // integrate p dt also at rest (for equalization)
    double damping = 0;              // c, N s/m: annulus flow and rod guide, a force -c v
    double restitution = 0;          // e: a stop returns -e v of the arrival speed v
    double bounceFloor = 0;          // m/s: slower rebounds end at rest on the stop
    double dryFriction = 0;          // F_c, N: the rod guide's Coulomb force
    double dryForce = 0;  // F_c sign(v) of the flight being integrated (v keeps its sign)

    double PressureAt(double x, double t) const { return Pressure(x, std::sin(speed * t)); }
    double ForceAt(double x, double t) const { return Force(x, PressureAt(x, t)); }

    void operator()(double t, const State& y, State& dy) const {
        const double theta = speed * t;
        const double s = std::sin(theta);
        const double pistonSpeed = pistonHalfStroke * speed * std::cos(theta);
        const double p = Pressure(y[kX], s);
        dy[kX] = y[kV];
        const double force = Force(y[kX], p);
        dy[kV] = damping == 0 && dryForce == 0 ? force / dispMass
                                               : (force - damping * y[kV] - dryForce) / dispMass;
        dy[kRodWork] = p * rodArea * y[kV];
        dy[kPistonWork] = p * pistonArea * pistonSpeed;
        dy[kHotHeat] = p * dispArea * y[kV];
        dy[kColdHeat] = p * (pistonArea * pistonSpeed - (dispArea - rodArea) * y[kV]);
        dy[kPressureTime] = p;
        dy[kDissipation] = damping * y[kV] * y[kV] + dryForce * y[kV];
    }
};

// Stuck: held mid-stroke by dry friction.
enum class Phase { Free, Low, High, Stuck };

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
    double dissipation = 0;      // J, by the viscous forces and dry friction
    double dryFrictionLoss = 0;  // J, F_c times the distance travelled
    double travel = 0;           // m, counted with dry friction only
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
        const double s = std::sin(e.speed * t);
        AccurateSample& out = (*samples)[nextSample];
        out.angleDeg = nextSample;
        out.dispPos = x;
        out.dispVelocity = v;
        out.dispAcceleration = a;
        out.pistonPos = e.pistonHalfStroke * s;
        out.pressure = e.Pressure(x, s);
        out.hotVolume = e.HotVolume(x);
        out.coldVolume = e.ColdVolume(x, s);
        out.totalVolume = out.hotVolume + out.coldVolume + e.deadVolume;
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
            AddSample(t, y[kX], y[kV], e.ForceAt(y[kX], t) / e.dispMass);
        }
    }
    void AddFree(const State& y) {
        totals.integrals.rodWork += y[kRodWork];
        totals.integrals.pistonWork += y[kPistonWork];
        totals.integrals.hotHeat += y[kHotHeat];
        totals.integrals.coldHeat += y[kColdHeat];
        totals.pressureTime += y[kPressureTime];
        totals.dissipation += y[kDissipation];
    }
    // A flight from x0 to x1 under dry friction: v keeps its sign, so the distance is |x1 - x0|.
    void AddTravel(double x0, double x1) {
        if (e.dryFriction <= 0) return;
        totals.travel += std::abs(x1 - x0);
        totals.dryFrictionLoss += e.dryFriction * std::abs(x1 - x0);
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
