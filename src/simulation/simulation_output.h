#pragma once

#include <array>
#include <string>

#include "engine/parameter_set.h"
#include "report/unit_text.h"
#include "simulation/cycle_graphs.h"
#include "simulation/sample_text.h"
#include "simulation/simulation_state.h"

namespace velmora {

// What one simulated step yields, SI units. Position, velocity and acceleration are those
// after the step (end stops applied); volumes, pressures and forces are those computed from
// the position at the start of the step.
struct StepValues {
    double time = 0;          // s
    double dispPos = 0;       // x, m
    double pistonPos = 0;     // x_p, m
    double hotVolume = 0;     // m^3
    double coldVolume = 0;    // m^3
    double totalVolume = 0;   // m^3, including the dead space
    double pressure = 0;      // engine pressure, Pa
    double meanPressure = 0;  // MeanEnginePressure after the step's equalization update, Pa
    double rodPressure = 0;   // pressure difference across the rod, Pa
    double springForce = 0;   // N
    double netForce = 0;      // rod + spring + weight, N
    double acceleration = 0;  // m/s^2
    double velocity = 0;      // m/s
};

// Empties the five sample lists, keeping their text buffers for the next entries.
void ClearSampleLists(SimulationState& sim);

// What a graphed step records: everything the window shows, or only what the cycle summary
// and the PV powers need (displacer position and pressure samples, the PV points).
enum class Recording { Everything, ResultsOnly };

// The output units a graphed step's pressure/volume point is recorded in, each conversion
// looked up once a run.
struct StepUnits {
    explicit StepUnits(const OutputChoices& units)
        : volume(UnitFamily::Volume, units), pressure(UnitFamily::Pressure, units) {}
    OutputConverter volume;
    OutputConverter pressure;
};

// Records one step of a graphed cycle: its samples and its PV point in the output `units`, with
// its colour and the extents, and hands it to `graphs` (when it records everything) for the
// curves.
void RecordStep(SimulationState& sim, const StepUnits& units, CycleGraphs* graphs,
                const StepValues& step, Recording recording = Recording::Everything);

// The dwell and integrated-pressure summary of the cycle whose 361 steps were just recorded.
CycleSummary SummarizeCycleValues(const SimulationState& sim, const ParameterSet& params);

// The same into sim.Summary and sim.ShownSummary.
void SummarizeCycle(SimulationState& sim, const ParameterSet& params);

}  // namespace velmora
