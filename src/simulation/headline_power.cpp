#include "simulation/headline_power.h"

#include <cmath>

#include "engine/integration_model.h"
#include "model/compute_steps.h"
#include "simulation/cycle_model.h"
#include "simulation/cycle_simulation.h"
#include "simulation/design_energy.h"
#include "simulation/simulation_host.h"

namespace velmora {

HeadlinePower HeadlinePowerOf(const Design& design) {
    // The compute driver's steps for a forced run: the one-degree run both models start from.
    ParameterSet params;
    ParameterSet analysed;  // before the run's equalization moves the mean pressure
    SimulationState sim;
    SimulationState scratch;
    SimulationHost host;
    bool simulated = false;
    ComputeStepHooks steps;
    steps.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) {
        analysed = p;
        simulated = true;
        SimulationNotes notes;
        RunSimulation(p, design, sim, notes, host, Recording::ResultsOnly);
    };
    ComputeRecord record;
    RunComputeSteps(design, params, record, steps);

    HeadlinePower headline;
    if (!simulated) return headline;
    for (const IntegrationModelName& entry : kIntegrationModels) {
        const CycleModel& model = CycleModelOf(entry.model);
        const DesignEnergy energy = model.Energy(analysed, design, sim, scratch, false);
        (model.GivesIndicatedPower() ? headline.accurate : headline.stepped) = energy.atSpeed;
    }
    JudgeSteppedFigures(headline);
    return headline;
}

void JudgeSteppedFigures(HeadlinePower& h) {
    if (!h.stepped) return;
    const CycleEnergy& s = *h.stepped;
    h.breaksSecondLaw = s.entropyResidual > kSecondLawTolerance;
    h.beyondCarnot = s.heatIn > 0 && s.carnot > 0 && s.efficiency > s.carnot;
    h.workDiffers = h.accurate && std::fabs(s.shaftWork - h.accurate->shaftWork) >
                                      kWorkTolerance * std::fabs(h.accurate->shaftWork);
}

}  // namespace velmora
