#include "simulation/accurate_revolution.h"

#include <numbers>

#include "model/compute_steps.h"
#include "simulation/engine.h"

namespace velmora {

AccurateRevolution AccurateRevolutionOf(const Design& design) {
    AccurateRevolution revolution;
    ParameterSet params;
    ParameterSet analysed;
    bool complete = false;
    ComputeStepHooks hooks;
    // Only the analysis is wanted: the one-degree run would change nothing the accurate run
    // reads (it starts from the analysed set, before any equalization).
    hooks.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) {
        analysed = p;
        complete = true;
    };
    ComputeRecord record;
    RunComputeSteps(design, params, record, hooks);
    if (!complete) return revolution;

    AccurateCycleOptions options;
    options.gravity = design.displacerWeight;
    options.pressureEqualization = design.pressureEqualization;
    options.atOmegaBar = false;
    const AccurateSpeedRun run = RunAccurateCycleAt(analysed, options, analysed.EngineSpeed);
    revolution.outcome = run.outcome;
    revolution.speed = run.speed;
    if (!run.settled) return revolution;

    const Engine engine = EngineOf(analysed, design.displacerWeight);
    revolution.steps.reserve(run.samples.size());
    for (const AccurateSample& s : run.samples) {
        StepValues step;
        step.time = s.angleDeg * std::numbers::pi / 180 / run.speed;
        step.dispPos = s.dispPos;
        step.pistonPos = s.pistonPos;
        step.hotVolume = s.hotVolume;
        step.coldVolume = s.coldVolume;
        step.totalVolume = s.totalVolume;
        step.pressure = s.pressure;
        step.meanPressure = run.bufferPressure;
        step.rodPressure = s.pressure - run.bufferPressure;
        step.springForce = engine.SpringForce(s.dispPos);
        // Summed as the one-degree model sums its forces, so both show the same bits.
        step.netForce = engine.rodArea * step.rodPressure + step.springForce + engine.WeightForce();
        step.acceleration = s.dispAcceleration;
        step.velocity = s.dispVelocity;
        revolution.steps.push_back(step);
    }
    return revolution;
}

}  // namespace velmora
