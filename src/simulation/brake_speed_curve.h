#pragma once

#include <optional>
#include <vector>

#include "engine/design.h"
#include "engine/parameter_set.h"

namespace velmora {

// One settled point of the engine under load: brake power and torque at one speed.
struct BrakeSpeedPoint {
    double speed = 0;        // rad/s
    double brakePower = 0;   // W
    double brakeTorque = 0;  // N m
};

// Brake power and torque over speed with the design's losses (lossy_energy.h), the load it
// drives and the point where it runs. Speeds where the run does not settle are left out.
struct BrakeSpeedCurve {
    std::vector<BrakeSpeedPoint> points;  // rising speed
    double loadTorque = 0;                // N m, the design's [Load] Torque
    std::optional<BrakeSpeedPoint> running;
};

// The parameter set the evaluator's lossy figures start from: analysed, before the one-degree
// run moves the mean pressure. A design with an input missing gives a set whose lossy runs
// report it (AccurateOutcome::MissingInput) and settle nowhere.
ParameterSet AnalysedForLosses(const Design& design);

inline constexpr int kBrakeCurvePoints = 48;

// The curve at `count` speeds evenly spaced from 2% of the engine speed to `highest` (rad/s;
// 4 times the engine speed where not positive), and the point at `runningSpeed` (rad/s), the
// speed at which the brake torque meets the load (load_curve.h), when there is one.
BrakeSpeedCurve BrakeCurveOf(const ParameterSet& analysed, const Design& design, double highest,
                             std::optional<double> runningSpeed, int count = kBrakeCurvePoints);

}  // namespace velmora
