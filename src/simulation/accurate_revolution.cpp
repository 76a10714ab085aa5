#include "simulation/accurate_revolution.h"

#include <numbers>

#include "model/compute_steps.h"
#include "model/units.h"

namespace velmora {

AccurateRevolution AccurateRevolutionOf(const ControlState& controls) {
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
    RunComputeSteps(controls, params, record, hooks);
    if (!complete) return revolution;

    AccurateCycleOptions options;
    options.gravity = controls.GravityCB;
    options.pressureEqualization = controls.LeakCB;
    options.atOmegaBar = false;
    const AccurateSpeedRun run = RunAccurateCycleAt(analysed, options, analysed.EngineSpeed);
    revolution.outcome = run.outcome;
    revolution.speed = run.speed;
    if (!run.settled) return revolution;

    const double weight = controls.GravityCB ? -(analysed.DispMass * kGravity) : 0.0;
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
        step.springForce = -(s.dispPos - analysed.SpringCenter) * analysed.SpringConstant;
        step.netForce = analysed.DispRodArea * step.rodPressure + step.springForce + weight;
        step.acceleration = s.dispAcceleration;
        step.velocity = s.dispVelocity;
        revolution.steps.push_back(step);
    }
    return revolution;
}

}  // namespace velmora
