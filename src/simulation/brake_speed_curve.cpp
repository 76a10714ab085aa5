#include "simulation/brake_speed_curve.h"

#include "model/compute_steps.h"
#include "simulation/lossy_energy.h"

namespace velmora {

namespace {

std::optional<BrakeSpeedPoint> PointAt(const ParameterSet& analysed, const Design& design,
                                       double speed) {
    const LossyRun run = RunLossyCycle(analysed, design, speed);
    if (!run.settled) return std::nullopt;
    return BrakeSpeedPoint{speed, run.brakePower, run.brakeTorque};
}

}  // namespace

ParameterSet AnalysedForLosses(const Design& design) {
    // Only the steps up to the simulation are wanted: the hook keeps the parameters and runs
    // nothing, so the steps after it see no simulated powers (which nothing here reads).
    ParameterSet params;
    ParameterSet analysed;
    ComputeStepHooks steps;
    steps.simulate = [&](ParameterSet& p, bool /*inputsChanged*/) { analysed = p; };
    ComputeRecord record;
    RunComputeSteps(design, params, record, steps);
    return analysed;
}

BrakeSpeedCurve BrakeCurveOf(const ParameterSet& analysed, const Design& design, double highest,
                             std::optional<double> runningSpeed, int count) {
    BrakeSpeedCurve curve;
    curve.loadTorque = design.losses.loadTorque;
    if (!(analysed.EngineSpeed > 0) || count < 2) return curve;
    const double low = 0.02 * analysed.EngineSpeed;
    const double high = highest > low ? highest : 4 * analysed.EngineSpeed;
    for (int i = 0; i < count; ++i)
        if (const auto point = PointAt(analysed, design, low + (high - low) * i / (count - 1)))
            curve.points.push_back(*point);
    if (runningSpeed && *runningSpeed > 0) curve.running = PointAt(analysed, design, *runningSpeed);
    return curve;
}

}  // namespace velmora
