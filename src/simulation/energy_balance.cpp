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

namespace {

// The trapezoidal p dV sums over 360 one-degree intervals of 361 steps: pressure[k] and
// pistonPos[k] are step k's values, dispStart[k] the displacer's position at the start of step
// k (the one the step before left), which is the position the step's pressure comes from.
CycleIntegrals IntegrateSteps(const double* pressure, const double* dispStart,
                              const double* pistonPos, const ParameterSet& params) {
    CycleIntegrals c;
    for (std::size_t i = 0; i + 1 < SimulatedRevolution::kSteps; ++i) {
        const double p = 0.5 * (pressure[i] + pressure[i + 1]);
        const double dx = dispStart[i + 1] - dispStart[i];
        const double dxp = pistonPos[i + 1] - pistonPos[i];
        c.pistonWork += p * params.PistonArea * dxp;
        c.rodWork += p * params.DispRodArea * dx;
        c.hotHeat += p * params.DispArea * dx;
        c.coldHeat += p * (params.PistonArea * dxp - (params.DispArea - params.DispRodArea) * dx);
    }
    return c;
}

}  // namespace

bool IntegrateRecordedCycle(const SimulationState& sim, const ParameterSet& params,
                            CycleIntegrals& cycle) {
    constexpr std::size_t kNodes = SimulatedRevolution::kSteps;  // 360 intervals
    const std::size_t n = sim.SamplePressure.size();
    if (n < kNodes + 1 || sim.SampleDispPos.size() != n || sim.SamplePistonPos.size() != n)
        return false;
    const std::size_t first = n - kNodes;
    cycle = IntegrateSteps(&sim.SamplePressure[first], &sim.SampleDispPos[first - 1],
                           &sim.SamplePistonPos[first], params);
    return true;
}

bool IntegrateLastRevolution(const SimulatedRevolution& last, const ParameterSet& params,
                             CycleIntegrals& cycle) {
    if (!last.complete) return false;
    cycle =
        IntegrateSteps(last.pressure.data(), last.dispPos.data(), last.pistonPos.data(), params);
    return true;
}

}  // namespace velmora
