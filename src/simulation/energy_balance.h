#pragma once

#include "engine/parameter_set.h"

namespace velmora {

// The one-degree run's recorded state (simulation_state.h), read only by the integrations of
// its revolutions below: the energy figures themselves know no chart.
struct SimulationState;
struct SimulatedRevolution;

// The cyclic integrals of one engine cycle, J per cycle, signed: positive work is done by the
// gas, positive heat is taken in by the gas.
struct CycleIntegrals {
    double pistonWork = 0;  // p dV of the piston's sweep: what the crank receives
    double rodWork = 0;     // p dV of the rod entering the cold space: lost at the stops
    double hotHeat = 0;     // p dV of the hot space
    double coldHeat = 0;    // p dV of the cold space
    double deadHeat = 0;    // p dV of the dead space (0: its volume is fixed)
};

// Work, heat and efficiency of one cycle at one speed, J per cycle and W.
struct CycleEnergy {
    double speed = 0;           // rad/s
    double indicatedWork = 0;   // p dV over the total gas volume
    double shaftWork = 0;       // gas on the piston
    double rodWork = 0;         // gas on the rod, lost at the stops
    double heatIn = 0;          // taken in by the hot space
    double heatOut = 0;         // given out by the cold space and the dead space
    double indicatedPower = 0;  // W
    double shaftPower = 0;
    double rodPower = 0;
    double heatInPower = 0;
    double heatOutPower = 0;
    double efficiency = 0;       // shaftWork / heatIn; 0 when heatIn is not positive
    double carnot = 0;           // 1 - ColdTemp / HotTemp
    double carnotFraction = 0;   // efficiency / carnot; 0 when carnot is not positive
    double balanceResidual = 0;  // (indicated - (heatIn - heatOut)) / |indicated|, or 0
    double entropyResidual = 0;  // (hotHeat/Th + coldHeat/Tc + deadHeat/Td) / (|hotHeat|/Th)
};

// The energy figures of one cycle's integrals at `speed` (rad/s).
CycleEnergy EnergyOfCycle(const CycleIntegrals& cycle, const ParameterSet& params, double speed);

// The same integrals over the last revolution (360 one-degree intervals) of the cycle the
// one-degree model recorded into its sample lists, by the trapezoidal rule on its samples.
// False (and nothing written) when fewer than 362 samples exist (the first interval needs the
// displacer's position from the step before).
bool IntegrateRecordedCycle(const SimulationState& sim, const ParameterSet& params,
                            CycleIntegrals& cycle);

// The same integrals over the last cycle the one-degree model simulated, graphed or not: the
// same numbers in the same order as IntegrateRecordedCycle on samples recorded unrounded up to
// that cycle's end. False (and nothing written) when the run simulated no whole cycle.
bool IntegrateLastRevolution(const SimulatedRevolution& last, const ParameterSet& params,
                             CycleIntegrals& cycle);

}  // namespace velmora
