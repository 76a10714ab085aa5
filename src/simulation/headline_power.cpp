#include "simulation/headline_power.h"

#include <cmath>
#include <functional>

#include "engine/integration_model.h"
#include "model/compute_steps.h"
#include "simulation/cycle_model.h"
#include "simulation/cycle_simulation.h"
#include "simulation/design_energy.h"
#include "simulation/lossy_energy.h"
#include "simulation/simulation_host.h"

namespace velmora {

namespace {

// The compute driver's steps for a forced run up to the one-degree run both models start
// from: the parameter set as analysed (before the run's equalization moves the mean pressure),
// given to `run`; false when the design could not be run.
bool AnalyseForRun(const Design& design, ParameterSet& analysed,
                   const std::function<void(ParameterSet&)>& run) {
    ParameterSet params;
    bool simulated = false;
    ComputeStepHooks steps;
    steps.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) {
        analysed = p;
        simulated = true;
        run(p);
    };
    ComputeRecord record;
    RunComputeSteps(design, params, record, steps);
    return simulated;
}

HeadlinePower FiguresOf(const ParameterSet& analysed, const Design& design,
                        const SimulationState& recorded) {
    HeadlinePower headline;
    SimulationState scratch;
    for (const IntegrationModelName& entry : kIntegrationModels) {
        const CycleModel& model = CycleModelOf(entry.model);
        const DesignEnergy energy = model.Energy(analysed, design, recorded, scratch, false);
        (model.GivesIndicatedPower() ? headline.accurate : headline.stepped) = energy.atSpeed;
    }
    JudgeSteppedFigures(headline);
    if (design.losses.given) {
        headline.lossesGiven = true;
        const LossyRun run = RunLossyCycle(analysed, design, analysed.EngineSpeed);
        if (run.settled && std::isfinite(run.brakePower)) headline.brakePower = run.brakePower;
    }
    return headline;
}

}  // namespace

HeadlinePower HeadlinePowerOf(const Design& design) {
    ParameterSet analysed;
    SimulationState sim;
    SimulationHost host;
    const bool simulated = AnalyseForRun(design, analysed, [&](ParameterSet& p) {
        SimulationNotes notes;
        RunSimulation(p, design, sim, notes, host, Recording::ResultsOnly);
    });
    return simulated ? FiguresOf(analysed, design, sim) : HeadlinePower{};
}

HeadlinePower HeadlinePowerOfRun(const Design& design, const SimulationState& recorded) {
    ParameterSet analysed;
    const bool simulated = AnalyseForRun(design, analysed, [](ParameterSet&) {});
    return simulated ? FiguresOf(analysed, design, recorded) : HeadlinePower{};
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
