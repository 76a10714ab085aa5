#pragma once

#include "engine/parameter_set.h"
#include "simulation/energy_balance.h"

namespace velmora {

// The limit of a very slow crank, in closed form (doc/physics.md derives it): the displacer
// rests on a stop until the force on it reverses, then crosses to the other stop while the
// crank stands still; all spaces isothermal, the gas charge as the accurate model fixes it.
struct QuasiStaticCycle {
    // False when the displacer does not snap from stop to stop (it never leaves a stop, or
    // the force does not carry it across); the figures are then 0.
    bool valid = false;
    double leaveLowPressure = 0;   // Pa: the pressure at which it leaves the low (cold) stop
    double leaveHighPressure = 0;  // Pa: the pressure at which it leaves the high (hot) stop
    double leaveLowDeg = 0;        // crank angle of the jump to the high stop, 0 to 360
    double leaveHighDeg = 0;       // crank angle of the jump to the low stop, 0 to 360
    double arriveHighDeg = 0;      // crank angle of its arrival at the high stop
    double arriveLowDeg = 0;       // crank angle of its arrival at the low stop
    CycleIntegrals integrals;      // J per revolution
};

QuasiStaticCycle QuasiStaticLimit(const ParameterSet& params, bool gravity);

// The same cycle at a slow but finite crank speed (rad/s), to first order in the speed: the
// displacer still leaves where the force reverses, but takes a finite time to cross (found
// from its energy, doc/physics.md section 3), during which the crank turns on. Not valid
// where the limit is not, or where the force does not grow away from the stop it leaves.
QuasiStaticCycle SlowCrankCycle(const ParameterSet& params, bool gravity, double speed);

}  // namespace velmora
