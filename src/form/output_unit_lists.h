#pragma once

#include <array>
#include <cstddef>

#include "report/unit_text.h"

namespace velmora {

// One output-unit list of the Design Parameters page, described once: the choice it keeps in
// OutputUnits, the unit family whose items it lists, where the parameter file keeps it and
// how the window shows it. Everything that lists the output units walks kOutputUnitLists.
struct OutputUnitList {
    int OutputUnits::*choice = nullptr;
    UnitFamily family = UnitFamily::Length;  // its items and their count

    // Parameter file: [OutputFormat] KEY, the choice of a file without the key.
    const char* key = nullptr;
    int fileDefault = 0;

    // The window.
    const char* listName = nullptr;  // object name of the list
    const char* caption = nullptr;   // caption before the list
    int panelRow = 0;                // row in the "Output Formats/Units:" panel
    const char* quantity = nullptr;  // "length output unit"
    const char* tip = nullptr;
};

inline constexpr const char* kOutputUnitSection = "OutputFormat";

// In parameter-file order.
inline constexpr auto kOutputUnitLists = std::to_array<OutputUnitList>({
    {.choice = &OutputUnits::LengthOutputFormatRG,
     .family = UnitFamily::Length,
     .key = "Length",
     .fileDefault = 1,
     .listName = "LengthOutputFormatRG",
     .caption = "Length:",
     .panelRow = 0,
     .quantity = "length output unit",
     .tip = "Length output unit: unit of lengths in the reports and graphs"},
    {.choice = &OutputUnits::TemperatureOutputFormatRG,
     .family = UnitFamily::Temperature,
     .key = "Temperature",
     .fileDefault = 0,
     .listName = "TemperatureOutputFormatRG",
     .caption = "Temperature:",
     .panelRow = 1,
     .quantity = "temperature output unit",
     .tip = "Temperature output unit: unit of temperatures in the reports"},
    {.choice = &OutputUnits::MassOutputFormatRG,
     .family = UnitFamily::Mass,
     .key = "Mass",
     .fileDefault = 1,
     .listName = "MassOutputFormatRG",
     .caption = "Mass:",
     .panelRow = 2,
     .quantity = "mass output unit",
     .tip = "Mass output unit: unit of masses in the reports"},
    {.choice = &OutputUnits::AngVelOutputFormatRG,
     .family = UnitFamily::AngularSpeed,
     .key = "AngVel",
     .fileDefault = 2,
     .listName = "AngVelOutputFormatRG",
     .caption = "Angular Velocity",
     .panelRow = 5,
     .quantity = "angular velocity output unit",
     .tip = "Angular velocity output unit: unit of speeds in the reports"},
    {.choice = &OutputUnits::SpringOutputFormatRG,
     .family = UnitFamily::Spring,
     .key = "Spring",
     .fileDefault = 1,
     .listName = "SpringOutputFormatRG",
     .caption = "Spring",
     .panelRow = 6,
     .quantity = "spring output unit",
     .tip = "Spring output unit: unit of spring constants in the reports"},
    // The default 2 is past the end of the two-item list, so a file without it selects nothing.
    {.choice = &OutputUnits::AngleOutputFormatRG,
     .family = UnitFamily::Angle,
     .key = "Angle",
     .fileDefault = 2,
     .listName = "AngleOutputFormatRG",
     .caption = "Angles:",
     .panelRow = 4,
     .quantity = "angle output unit",
     .tip = "Angle output unit: unit of phase angles in the reports"},
    {.choice = &OutputUnits::PressureOutputFormatRG,
     .family = UnitFamily::Pressure,
     .key = "Pressure",
     .fileDefault = 2,
     .listName = "PressureOutputFormatRG",
     .caption = "Pressure:",
     .panelRow = 3,
     .quantity = "pressure output unit",
     .tip = "Pressure output unit: unit of pressures in the reports and graphs"},
});

// The items of the list.
inline int OutputListItemCount(const OutputUnitList& list) {
    return UnitFamilyOf(list.family).count;
}

// The row of kOutputUnitLists that keeps `choice`.
constexpr const OutputUnitList& OutputListOf(int OutputUnits::*choice) {
    for (const OutputUnitList& list : kOutputUnitLists)
        if (list.choice == choice) return list;
    return kOutputUnitLists[0];  // every member of OutputUnits has a row (tested)
}

// The position of a row in kOutputUnitLists.
constexpr std::size_t OutputListIndex(const OutputUnitList& list) {
    return static_cast<std::size_t>(&list - kOutputUnitLists.data());
}

}  // namespace velmora
