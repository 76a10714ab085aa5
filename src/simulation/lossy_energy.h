#pragma once

#include <array>

#include "engine/design.h"
#include "engine/parameter_set.h"
#include "simulation/accurate_cycle.h"

namespace velmora {

// The accurate model's settled cycle at one speed with the design's losses, gas and load
// (doc/physics.md, Losses), W unless named otherwise.
struct LossyRun {
    AccurateOutcome outcome = AccurateOutcome::MissingInput;
    bool settled = false;
    bool fixedPoint = true;  // the heater and cooler gas temperatures converged
    double speed = 0;        // rad/s
    // False when the rod's dry friction holds the displacer still all the revolution (the
    // figures then describe no engine).
    bool displacerMoves = true;
    // The gas cycle's own figures with the losses in it (the ideal ones are the accurate run's).
    double indicatedPower = 0;
    double shaftPower = 0;
    double rodPower = 0;  // gas on the rod, lost to friction and impacts
    double brakePower = 0;
    double brakeTorque = 0;  // N m
    double brakeEfficiency = 0;
    double forcedWork = 0;  // J per revolution
    double mechanismLoss = 0;
    double annulusFrictionLoss = 0;
    double rodFrictionLoss = 0;  // viscous and dry
    double dryFrictionLoss = 0;  // the dry (Coulomb) share of rodFrictionLoss
    double impactLoss = 0;
    double rodWork = 0;  // gas on the rod, J per revolution
    double conductionLoss = 0;
    double shuttleLoss = 0;
    double reheatLoss = 0;
    double gasHeatIn = 0;  // the gas cycle's heat taken in
    double gasHeatOut = 0;
    double heatInTotal = 0;
    double hotGasTemp = 0;  // K
    double coldGasTemp = 0;
    double bealeNumber = 0;
    double westNumber = 0;
};

// The annulus' viscous damping coefficient c = 12 mu L A_d^2 / (pi D_d J^3), N s/m; 0 without
// a gap.
double AnnulusDamping(const LossInputs& losses, double dispDiameter, double meanGasTemp);

// The shuttle heat (pi/8) k Z^2 D_d (T_h - T_c) / (J L), W; 0 without a gap.
double ShuttleHeat(const LossInputs& losses, double dispDiameter, double fullStroke, double hotWall,
                   double coldWall, double meanGasTemp);

// What the heater and cooler fixed point found at one speed, to start it from at a nearby
// speed: the gas temperatures (K) and the Jacobian of the residual G(T) - T in them (row-major:
// hot row, cold row), as Broyden's updates left it.
struct GasTemperatureStart {
    bool known = false;
    double hot = 0;
    double cold = 0;
    std::array<double, 4> jacobian{};
};

// The settled lossy cycle of the analysed parameter set at `speed` (rad/s), with the
// design's weight and equalization choices. With `start`, the heater and cooler fixed point
// starts from it when it is known and leaves there what it found.
LossyRun RunLossyCycle(const ParameterSet& analysed, const Design& design, double speed,
                       GasTemperatureStart* start = nullptr);

}  // namespace velmora
