#pragma once

#include "model/parameter_set.h"
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
    CycleIntegrals integrals;      // J per revolution
};

QuasiStaticCycle QuasiStaticLimit(const ParameterSet& params, bool gravity);

}  // namespace velmora
