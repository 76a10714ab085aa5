#include "simulation/energy_balance.h"

#include <cmath>
#include <numbers>

#include "simulation/simulation_state.h"

namespace velmora {

CycleEnergy EnergyOfCycle(const CycleIntegrals& c, const ParameterSet& params, double speed) {
    CycleEnergy e;
    e.speed = speed;
    e.shaftWork = c.pistonWork;
    e.rodWork = c.rodWork;
    e.indicatedWork = c.pistonWork + c.rodWork;
    e.heatIn = c.hotHeat;
    e.heatOut = -(c.coldHeat + c.deadHeat);
    const double cyclesPerSecond = speed / (2 * std::numbers::pi);
    e.indicatedPower = e.indicatedWork * cyclesPerSecond;
    e.shaftPower = e.shaftWork * cyclesPerSecond;
    e.rodPower = e.rodWork * cyclesPerSecond;
    e.heatInPower = e.heatIn * cyclesPerSecond;
    e.heatOutPower = e.heatOut * cyclesPerSecond;
    if (e.heatIn > 0) e.efficiency = e.shaftWork / e.heatIn;
    if (params.HotTemp > 0) e.carnot = 1 - params.ColdTemp / params.HotTemp;
    if (e.carnot > 0) e.carnotFraction = e.efficiency / e.carnot;
    // The first law: what the gas does equals the net heat it takes in.
    if (e.indicatedWork != 0)
        e.balanceResidual = (e.indicatedWork - (e.heatIn - e.heatOut)) / std::abs(e.indicatedWork);
    // The second law of isothermal spaces: the sum of p dV / T over a cycle is the cyclic
    // integral of p d(sum V / T) = p d(M R / p), which is 0. A cycle integrated inexactly
    // (late stops, coarse steps) leaves a residual here.
    if (params.HotTemp > 0 && params.ColdTemp > 0 && params.DeadSpaceTemp > 0 && c.hotHeat != 0) {
        const double sum = c.hotHeat / params.HotTemp + c.coldHeat / params.ColdTemp +
                           c.deadHeat / params.DeadSpaceTemp;
        e.entropyResidual = sum / (std::abs(c.hotHeat) / params.HotTemp);
    }
    return e;
}

bool IntegrateRecordedCycle(const SimulationState& sim, const ParameterSet& params,
                            CycleIntegrals& cycle) {
    constexpr std::size_t kNodes = 361;  // 360 intervals: one revolution
    const std::size_t n = sim.SamplePressure.size();
    if (n < kNodes + 1 || sim.SampleDispPos.size() != n || sim.SamplePistonPos.size() != n)
        return false;
    // The recorded pressure of a step comes from the displacer position at the start of the
    // step, which is the position recorded by the step before.
    const std::size_t first = n - kNodes;
    CycleIntegrals c;
    for (std::size_t i = first; i + 1 < n; ++i) {
        const double p = 0.5 * (sim.SamplePressure[i] + sim.SamplePressure[i + 1]);
        const double dx = sim.SampleDispPos[i] - sim.SampleDispPos[i - 1];
        const double dxp = sim.SamplePistonPos[i + 1] - sim.SamplePistonPos[i];
        c.pistonWork += p * params.PistonArea * dxp;
        c.rodWork += p * params.DispRodArea * dx;
        c.hotHeat += p * params.DispArea * dx;
        c.coldHeat += p * (params.PistonArea * dxp - (params.DispArea - params.DispRodArea) * dx);
    }
    cycle = c;
    return true;
}

}  // namespace velmora
