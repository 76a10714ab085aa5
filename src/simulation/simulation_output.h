#pragma once

#include <array>
#include <string>

#include "engine/parameter_set.h"
#include "form/graph_selection.h"
#include "report/unit_text.h"
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

// One graphable quantity: its item in RedGraphRG and BlueGraphRG, the word chart titles use,
// the unit family it is shown in (with what an axis title adds to the unit name: velocity and
// acceleration are lengths per second), its column names in the cycle CSV and in the samples
// listing, and where a step holds it.
struct CurveQuantityRow {
    const char* item;       // "Instantaneous Pressure"
    const char* titleWord;  // "Internal Pressure"
    UnitFamily family;
    const char* unitAppend;  // "/sec^2" after the length name, or ""
    const char* csvStem;     // "instantaneous_pressure"
    const char* csvSIUnit;   // "Pa"
    const char* siColumn;    // "Instantaneous Pressure (Pa)"
    double StepValues::*value;
};

// The twelve graphable quantities in list order; every list of them walks this table.
inline constexpr std::array<CurveQuantityRow, kCurveItemCount> kCurveQuantities{{
    {"Displacer Position", "Displacer Position", UnitFamily::Length, "", "displacer_position", "m",
     "Displacer Position (m)", &StepValues::dispPos},
    {"Piston Position", "Piston Position", UnitFamily::Length, "", "piston_position", "m",
     "Piston Position (m)", &StepValues::pistonPos},
    {"Hot Volume", "Hot Volume", UnitFamily::Volume, "", "hot_volume", "m3", "Hot Volume (m^3)",
     &StepValues::hotVolume},
    {"Cold Volume", "Cold Volume", UnitFamily::Volume, "", "cold_volume", "m3", "Cold Volume (m^3)",
     &StepValues::coldVolume},
    {"Total Volume", "Total Volume", UnitFamily::Volume, "", "total_volume", "m3",
     "Total Volume (m^3)", &StepValues::totalVolume},
    {"Instantaneous Pressure", "Internal Pressure", UnitFamily::Pressure, "",
     "instantaneous_pressure", "Pa", "Instantaneous Pressure (Pa)", &StepValues::pressure},
    {"Average Pressure", "Average Engine Pressure", UnitFamily::Pressure, "", "average_pressure",
     "Pa", "Average Pressure (Pa)", &StepValues::meanPressure},
    {"Displacer Rod Pressure", "Displacer Rod Pressure", UnitFamily::Pressure, "",
     "displacer_rod_pressure", "Pa", "Displacer Rod Pressure (Pa)", &StepValues::rodPressure},
    {"Spring Force", "Displacer Spring Force", UnitFamily::Force, "", "spring_force", "N",
     "Spring Force (N)", &StepValues::springForce},
    {"Displacer Rod Force", "Displacer Rod Force", UnitFamily::Force, "", "displacer_rod_force",
     "N", "Displacer Rod Force (N)", &StepValues::netForce},
    {"Displacer Acceleration", "Displacer Acceleration", UnitFamily::Length, "/sec^2",
     "displacer_acceleration", "m_s2", "Displacer Acceleration (m/s^2)", &StepValues::acceleration},
    {"Displacer Velocity", "Displacer Velocity", UnitFamily::Length, "/sec", "displacer_velocity",
     "m_s", "Displacer Velocity (m/s)", &StepValues::velocity},
}};

// The items of RedGraphRG and BlueGraphRG, index 0 first.
inline constexpr std::array<const char*, kCurveItemCount> kCurveItems = [] {
    std::array<const char*, kCurveItemCount> items{};
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = kCurveQuantities[i].item;
    return items;
}();

// A graphable quantity of a step in SI units, and converted to the output units as graphed.
// `choice` must name an item (0 to 11).
double CurveQuantity(int choice, const StepValues& step);
double CurveValue(int choice, const StepValues& step, const OutputChoices& units);

// The x axis shows crank degrees for "Degrees" and seconds otherwise.
inline bool XAxisInDegrees(int xAxisChoice) {
    return xAxisChoice == 1;
}

// Empties Series1, Series1a, Series2, Series2a, Series3 and Series3a.
void ClearMainSeries(SimulationState& sim);

// The graph set-up of a run: the fixed ranges, and in sim.Graphs what the caption of lDeltaTee
// and the chart and axis titles are made of. Returns false when a curve choice has no
// selection, which ends the run.
bool SetUpGraphs(SimulationState& sim, const ParameterSet& params, const GraphSelection& graphs,
                 double timeStep);

// Empties the five sample lists, keeping their text buffers for the next entries.
void ClearSampleLists(SimulationState& sim);

// What a graphed step records: everything the window shows, or only what the cycle summary
// and the PV powers need (displacer position and pressure samples, the PV points).
enum class Recording { Everything, ResultsOnly };

// The output units a graphed step is recorded in, with the pressure/volume point's two
// conversions looked up once a run.
struct StepUnits {
    explicit StepUnits(const OutputChoices& units)
        : choices(units),
          volume(UnitFamily::Volume, units),
          pressure(UnitFamily::Pressure, units) {}
    OutputChoices choices;
    OutputConverter volume;
    OutputConverter pressure;
};

// Records one step of a graphed cycle: curve points (as `graphs` chooses them), samples and the
// PV point in the output `units` with its colour and the extents.
void RecordStep(SimulationState& sim, const StepUnits& units, const GraphSelection* graphs,
                const StepValues& step, Recording recording = Recording::Everything);

// The dwell and integrated-pressure summary of the cycle whose 361 steps were just recorded.
CycleSummary SummarizeCycleValues(const SimulationState& sim, const ParameterSet& params);

// The same into sim.Summary and sim.ShownSummary.
void SummarizeCycle(SimulationState& sim, const ParameterSet& params);

}  // namespace velmora
