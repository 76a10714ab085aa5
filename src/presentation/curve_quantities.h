#pragma once

#include <array>
#include <cstddef>

#include "engine/units.h"
#include "form/graph_selection.h"
#include "simulation/simulation_output.h"

namespace velmora {

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

}  // namespace velmora
