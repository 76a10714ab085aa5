#pragma once

#include <array>
#include <string>

#include "model/control_state.h"
#include "model/parameter_set.h"
#include "model/units.h"
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

// The items of RedGraphRG and BlueGraphRG, index 0 first.
inline constexpr std::array<const char*, kCurveItemCount> kCurveItems{
    "Displacer Position",  "Piston Position",        "Hot Volume",
    "Cold Volume",         "Total Volume",           "Instantaneous Pressure",
    "Average Pressure",    "Displacer Rod Pressure", "Spring Force",
    "Displacer Rod Force", "Displacer Acceleration", "Displacer Velocity"};

// A graphable quantity of a step in SI units, and converted to the output units as graphed.
// `choice` must name an item (0 to 11).
double CurveQuantity(int choice, const StepValues& step);
double CurveValue(int choice, const StepValues& step, const OutputUnits& units);

// Axis title ("Hot Volume (mm ^3)"), title word ("Hot Volume") and " and" text
// (" and Hot Volume") of a graphable quantity.
std::string CurveAxisTitle(int choice, const OutputUnits& units);
std::string CurveTitleWord(int choice);
std::string CurveAndText(int choice);

// The x axis shows crank degrees for "Degrees" and seconds otherwise.
inline bool XAxisInDegrees(int xAxisChoice) {
    return xAxisChoice == 1;
}

// Empties Series1, Series1a, Series2, Series2a, Series3 and Series3a.
void ClearMainSeries(SimulationState& sim);

// The graph set-up of a run: lDeltaTee, chart titles, axis titles and fixed ranges. Returns
// false when a curve choice has no selection, which ends the run.
bool SetUpGraphs(SimulationState& sim, const ParameterSet& params, const ControlState& controls,
                 double timeStep);

// Empties the five sample lists, keeping their text buffers for the next entries.
void ClearSampleLists(SimulationState& sim);

// What a graphed step records: everything the window shows, or only what the cycle summary
// and the PV powers need (displacer position and pressure samples, the PV points).
enum class Recording { Everything, ResultsOnly };

// Records one step of a graphed cycle: curve points, samples and the PV point with its colour
// and the extents.
void RecordStep(SimulationState& sim, const ControlState& controls, const StepValues& step,
                Recording recording = Recording::Everything);

// The dwell and integrated-pressure summary of the cycle whose 361 steps were just recorded.
CycleSummary SummarizeCycleValues(const SimulationState& sim, const ParameterSet& params);

// The same into sim.Summary and its label and report lines.
void SummarizeCycle(SimulationState& sim, const ParameterSet& params);

}  // namespace velmora
