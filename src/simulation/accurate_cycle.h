#pragma once

#include <vector>

#include "engine/parameter_set.h"
#include "simulation/energy_balance.h"

namespace velmora {

// The choices of one accurate run.
struct AccurateCycleOptions {
    bool gravity = false;               // include the displacer's weight
    bool pressureEqualization = false;  // the rod's outer pressure is the cycle-average pressure
    double speed = 0;                   // rad/s; 0 = the design's EngineSpeed
    bool atOmegaBar = true;             // a second run simulated at OmegaBar (when known)
    bool recordSamples = true;          // the one-degree samples of the settled cycle
    double relTol = 1e-9;               // local error tolerance of the integrator
    int maxCycles = 200;                // revolutions of one speed before it counts as not settled
    long maxSteps = 2000000;            // integrator steps of one speed, for the same purpose
    // Losses inside the motion (doc/physics.md, Losses); 0 is the ideal engine.
    double damping = 0;      // N s/m, viscous force -c v on the displacer
    double restitution = 0;  // share of the arrival speed a stop returns
    double dryFriction = 0;  // N, the rod guide's Coulomb force -F_c sign(v), with sticking
};

// How a run ended.
enum class AccurateOutcome {
    Settled,       // the work per revolution repeats to 1e-6 relative
    CycleLimit,    // maxCycles reached first (or equalization found no balance)
    StepLimit,     // maxSteps reached, the step would have to shrink below 1e-12 cycle, or
                   // the displacer chatters (10000 stop events in a revolution)
    MissingInput,  // a dimension, temperature, mass, speed or pressure is 0 or unusable
};

// The displacer reaching or leaving a stop, at its crank angle (degrees, 0 to 360).
// With dry friction the displacer may also stick mid-stroke and break free again.
enum class StopEventKind { LeavesLow, ArrivesHigh, LeavesHigh, ArrivesLow, Sticks, Unsticks };
struct StopEvent {
    StopEventKind kind = StopEventKind::LeavesLow;
    double angleDeg = 0;
    double speed = 0;  // m/s at arrival (0 when leaving)
};

// One crank degree of the settled cycle, SI. Position 0 is mid-stroke; positive enlarges the
// hot space.
struct AccurateSample {
    double angleDeg = 0;
    double dispPos = 0;
    double dispVelocity = 0;
    double dispAcceleration = 0;
    double pistonPos = 0;
    double pressure = 0;
    double hotVolume = 0;
    double coldVolume = 0;
    double totalVolume = 0;
};

// The settled cycle at one speed.
struct AccurateSpeedRun {
    AccurateOutcome outcome = AccurateOutcome::MissingInput;
    bool settled = false;
    double speed = 0;  // rad/s
    int cycles = 0;    // cycles run
    // Revolutions after which the motion repeats (1 for an ordinary cycle; a displacer
    // overdriven near Omega Bar may repeat only every few revolutions). The energy figures
    // are means per revolution over that many.
    int revolutionsPerPeriod = 0;
    long steps = 0;             // integrator steps tried, over all cycles
    double bufferPressure = 0;  // Pa, outer side of the rod (changed by equalization)
    CycleEnergy energy;
    double impactLoss = 0;          // J per cycle, kinetic energy lost at the stops
    double dissipation = 0;         // J per cycle, work of the viscous and dry friction
    double dryFrictionLoss = 0;     // J per cycle, the dry friction's share of it
    bool displacerMoves = true;     // false: dry friction holds it still all the settled cycle
    std::vector<StopEvent> events;  // of the settled cycle
    std::vector<AccurateSample> samples;  // 360, of the settled cycle (when recorded)
};

struct AccurateCycleResult {
    bool settled = false;  // both runs settled (the Omega Bar one when it was made)
    double gasMass = 0;    // kg, mid-stroke pressure = MeanEnginePressure with the rod counted
    AccurateSpeedRun atSpeed;
    bool omegaBarRun = false;  // false when OmegaBar is 0 or not asked for
    AccurateSpeedRun atOmegaBar;
};

// The gas mass whose pressure with displacer and piston at mid-stroke is MeanEnginePressure,
// the rod's volume in the cold space counted; 0 without the temperatures.
double AccurateGasMass(const ParameterSet& params);

// The cycle of the free displacer integrated with error control, cycle after cycle until the
// work per cycle settles. Reads the inputs and the areas of `params` (as the analysis fills
// them) and OmegaBar for the second run; changes nothing.
AccurateCycleResult RunAccurateCycle(const ParameterSet& params,
                                     const AccurateCycleOptions& options = {});

// One run at the given speed (rad/s) without the Omega Bar run.
AccurateSpeedRun RunAccurateCycleAt(const ParameterSet& params, const AccurateCycleOptions& options,
                                    double speed);

}  // namespace velmora
