#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "engine/parameter_set.h"
#include "engine/units.h"

namespace velmora {

// Where an input sits on the Design Parameters page: column 0 (left) or 1 (right) and its row.
// The page's tab order follows from it: per column the fields top down, then their unit lists.
struct InputPlace {
    int column;
    int row;
};

// How the input table's own tooltip quotes one end of a typical range: in item `item` of the
// input's unit list, to `digits` significant digits, with the unit's short name after the
// number or the number alone.
struct RangeQuote {
    int item = 0;
    bool named = true;
    int digits = 3;
};

// The typical range of an input, in SI; a note follows an end ("(model)", empty for none).
// The window quotes it in the unit chosen for the input, the input table's own tooltip in the
// units of `lowQuote` and `highQuote`.
struct TypicalRange {
    double low = 0;
    double high = 0;
    const char* lowNote = "";
    const char* highNote = "";
    RangeQuote lowQuote{};
    RangeQuote highQuote{};
    // The table's tooltip keeps a wording of its own after "; typical " (it names a narrower
    // range); only the window's unit-following tooltip is made from this range.
    bool quotedInTip = false;
};

// One input of an engine design, described once: how it is read and reported, where the
// parameter file keeps it, how the window shows it and which tools may vary it. Everything
// that lists inputs walks kInputs.
struct DesignInput {
    // Reading and the input report. Where the window's form keeps the input is a column of the
    // form's own (form/input_controls.h), keyed by the input's index.
    double ParameterSet::*field = nullptr;
    double ParameterSet::*half = nullptr;  // radius or half stroke, nullptr when there is none
    InputUnitKind kind = InputUnitKind::Length;
    // "Displacer Diameter not defined!"; nullptr: never reported missing
    const char* message = nullptr;
    const char* label = nullptr;    // "    Displacer Diameter: "
    bool referenceChecked = false;  // the value line is followed by its reference check
    // Value line of the half ("    Displacer Half Stroke: "), or nullptr
    const char* halfLabel = nullptr;
    bool halfReferenceChecked = false;

    // Parameter file.
    const char* section = nullptr;
    const char* key = nullptr;
    const char* unitsKey = nullptr;     // nullptr: no unit choice is stored
    const char* defaultText = nullptr;  // text of a file without the key, of a cleared field
    // The key the input's keys follow in the file; nullptr: the block of inputs at its top.
    const char* fileAfter = nullptr;

    // The window.
    const char* editName = nullptr;   // object name of the field
    const char* unitsName = nullptr;  // object name of the unit list beside it
    const char* group = nullptr;      // caption at the far left of its row, or nullptr
    const char* caption = nullptr;    // caption next to the field
    InputPlace place{};
    // "displacer diameter": undo steps say "Edit displacer diameter"
    const char* quantity = nullptr;
    // Tooltip: what the input means; with a typical range the range follows it, made from
    // `typical` by the window ("; typical 20 mm (model) to 300 mm (large engine)").
    const char* tip = nullptr;
    std::optional<TypicalRange> typical{};  // none: the tooltip words what is typical itself

    // Tools.
    const char* name = nullptr;  // "Displacer Diameter" in the design space, optimizer and study
    bool sweepable = false;      // the design space and the optimizer may vary it
    bool studied = false;        // the sensitivity study tries it 10% up and down
    bool zeroIsAValue = false;   // 0 is a design (no spring, no dead space), not "not given"
    bool variedFirst = false;    // the optimize window offers it checked to vary
};

namespace input_table {

using P = ParameterSet;
using U = InputUnitKind;

// Ends of the typical ranges as they were chosen, turned into SI.
constexpr double kAtm = 100000;  // the Atmos of the unit lists
constexpr double kRpm = 2 * 3.14159265358979323846 / 60;
// Items of the unit lists the table's tooltips quote the ranges in.
constexpr int kMm = 1;
constexpr int kGrams = 1;
constexpr int kKilograms = 2;
constexpr int kNewtonsPerMeter = 0;
constexpr int kCelsius = 1;
constexpr int kPerMinute = 0;
constexpr int kAtmos = 0;

inline constexpr auto kRows = std::to_array<DesignInput>({
    {.field = &P::DispDiameter,
     .half = &P::DispRadius,
     .kind = U::Length,
     .message = "Displacer Diameter not defined!",
     .label = "    Displacer Diameter: ",
     .section = "Displacer",
     .key = "Diameter",
     .unitsKey = "DiameterUnits",
     .defaultText = "",
     .editName = "EditDispDiameter",
     .unitsName = "DispDiameterUnits",
     .group = "Displacer: ",
     .caption = "Diameter:",
     .place = {0, 0},
     .quantity = "displacer diameter",
     .tip = "Displacer diameter: bore of the displacer cylinder",
     .typical = TypicalRange{.low = 0.02,
                             .high = 0.3,
                             .lowNote = "(model)",
                             .highNote = "(large engine)",
                             .lowQuote = {kMm},
                             .highQuote = {kMm}},
     .name = "Displacer Diameter",
     .sweepable = true},
    {.field = &P::DispStroke,
     .half = &P::DispHalfStroke,
     .kind = U::Length,
     .message = "Displacer Stroke not defined!",
     .label = "    Displacer Stroke: ",
     .halfLabel = "    Displacer Half Stroke: ",
     .halfReferenceChecked = true,
     .section = "Displacer",
     .key = "Stroke",
     .unitsKey = "StrokeUnits",
     .defaultText = "",
     .editName = "EditDispStroke",
     .unitsName = "DispStrokeUnits",
     .caption = "Full Stroke: ",
     .place = {1, 0},
     .quantity = "displacer stroke",
     .tip = "Displacer full stroke: travel of the displacer between its two stops",
     .typical = TypicalRange{.low = 0.005, .high = 0.1, .lowQuote = {kMm}, .highQuote = {kMm}},
     .name = "Displacer Stroke",
     .sweepable = true,
     .studied = true},
    {.field = &P::DispMass,
     .kind = U::Mass,
     .message = "Displacer Mass not defined!",
     .label = "    Displacer mass: ",
     .referenceChecked = true,
     .section = "Displacer",
     .key = "Mass",
     .unitsKey = "MassUnits",
     .defaultText = "",
     .editName = "EditDispMass",
     .unitsName = "DispMassUnits",
     .caption = "Mass",
     .place = {0, 1},
     .quantity = "displacer mass",
     .tip = "Displacer mass: mass of the free displacer including its rod",
     .typical = TypicalRange{.low = 0.005,
                             .high = 2,
                             .lowNote = "(small engine)",
                             .highNote = "(large engine)",
                             .lowQuote = {kGrams},
                             .highQuote = {kKilograms}},
     .name = "Displacer Mass",
     .sweepable = true,
     .studied = true,
     .variedFirst = true},
    {.field = &P::DispRodDiameter,
     .half = &P::DispRodRadius,
     .kind = U::Length,
     .message = "Displacer Rod Diameter not defined!",
     .label = "    Displacer Rod Diameter: ",
     .section = "DisplacerRod",
     .key = "Diameter",
     .unitsKey = "DiameterUnits",
     .defaultText = "",
     .editName = "EditDispRodDiameter",
     .unitsName = "DispRodDiameterUnits",
     .caption = "Rod Diameter:",
     .place = {1, 1},
     .quantity = "displacer rod diameter",
     .tip = "Displacer rod diameter: the rod area on which the pressure swing drives the displacer",
     .typical = TypicalRange{.low = 0.002, .high = 0.03, .lowQuote = {kMm}, .highQuote = {kMm}},
     .name = "Displacer Rod Diameter",
     .sweepable = true,
     .studied = true},
    {.field = &P::SpringConstant,
     .kind = U::Spring,
     .message = "Displacer Spring Constant not defined!",
     .label = "    Displacer Spring Constant: ",
     .section = "DisplacerSpring",
     .key = "Constant",
     .unitsKey = "ConstantUnits",
     .defaultText = "0",
     .editName = "EditSpringConstant",
     .unitsName = "SpringConstantUnits",
     .caption = "Spring",
     .place = {0, 2},
     .quantity = "spring constant",
     .tip = "Displacer spring constant: stiffness of the optional spring, 0 for none",
     .typical = TypicalRange{.low = 0,
                             .high = 2000,
                             .lowQuote = {kNewtonsPerMeter, false},
                             .highQuote = {kNewtonsPerMeter}},
     .name = "Displacer Spring Constant",
     .sweepable = true,
     .studied = true,
     .zeroIsAValue = true},
    {.field = &P::SpringCenter,
     .kind = U::Length,
     .message = "Displacer Spring Center not defined!",
     .label = "    Spring Center: ",
     .section = "DisplacerSpring",
     .key = "Center",
     .unitsKey = "CenterUnits",
     .defaultText = "0",
     .editName = "EditSpringCenter",
     .unitsName = "SpringCenterUnits",
     .caption = "Spring Center",
     .place = {1, 2},
     .quantity = "spring center",
     .tip = "Spring center: displacer position, from mid-stroke, where the spring pushes neither "
            "way; typical 0 to half the displacer stroke",
     .name = "Displacer Spring Center",
     .sweepable = true,
     .studied = true,
     .zeroIsAValue = true},
    {.field = &P::PistonDiameter,
     .half = &P::PistonRadius,
     .kind = U::Length,
     .message = "Piston Diameter not defined!",
     .label = "    Piston Diameter: ",
     .section = "Piston",
     .key = "Diameter",
     .unitsKey = "DiameterUnits",
     .defaultText = "",
     .editName = "EditPistonDiameter",
     .unitsName = "PistonDiameterUnits",
     .group = "Piston",
     .caption = "Diameter:",
     .place = {0, 3},
     .quantity = "piston diameter",
     .tip = "Power piston diameter: bore of the power cylinder",
     .typical = TypicalRange{.low = 0.01, .high = 0.2, .lowQuote = {kMm}, .highQuote = {kMm}},
     .name = "Piston Diameter",
     .sweepable = true,
     .studied = true},
    {.field = &P::PistonStroke,
     .half = &P::PistonHalfStroke,
     .kind = U::Length,
     .message = "Piston Stroke not defined!",
     .label = "    Piston Stroke: ",
     .halfLabel = "    Piston Half Stroke: ",
     .halfReferenceChecked = true,
     .section = "Piston",
     .key = "Stroke",
     .unitsKey = "StrokeUnits",
     .defaultText = "",
     .editName = "EditPistonStroke",
     .unitsName = "PistonStrokeUnits",
     .caption = "Full Stroke: ",
     .place = {1, 3},
     .quantity = "piston stroke",
     .tip = "Power piston full stroke: twice the crank throw",
     .typical = TypicalRange{.low = 0.01, .high = 0.15, .lowQuote = {kMm}, .highQuote = {kMm}},
     .name = "Piston Stroke",
     .sweepable = true,
     .studied = true,
     .variedFirst = true},
    {.field = &P::DeadSpaceVol,
     .kind = U::Volume,
     .message = "Dead Space Volume not defined!",
     .label = "    Dead Space Volume: ",
     .referenceChecked = true,
     .section = "DeadSpace",
     .key = "Volume",
     .unitsKey = "VolumeUnits",
     .defaultText = "0",
     .editName = "EditDeadSpaceVol",
     .unitsName = "DeadSpaceVolUnits",
     .group = "Dead Space:",
     .caption = "Vol:",
     .place = {0, 4},
     .quantity = "dead space volume",
     .tip = "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, "
            "ports, clearances); typical 0.1 to 1 times the piston's swept volume",
     .name = "Dead Space Volume",
     .sweepable = true,
     .studied = true,
     .zeroIsAValue = true},
    {.field = &P::DeadSpaceTemp,
     .kind = U::Temperature,
     .message = "Dead Space Temp not defined!",
     .label = "    Dead Space Temperature: ",
     .referenceChecked = true,
     .section = "DeadSpace",
     .key = "Temp",
     .unitsKey = "TempUnits",
     .defaultText = "",
     .editName = "EditDeadSpaceTemp",
     .unitsName = "DeadSpaceTempUnits",
     .caption = "Temperature",
     .place = {1, 4},
     .quantity = "dead space temperature",
     .tip = "Dead space temperature: mean gas temperature in the dead space; typical midway "
            "between hot and cold (filled in on entry when empty)",
     .name = "Dead Space Temperature",
     .sweepable = true,
     .studied = true},
    {.field = &P::HotTemp,
     .kind = U::Temperature,
     .message = "Hot Temperature not defined!",
     .label = "    Hot Temp: ",
     .referenceChecked = true,
     .section = "Hot",
     .key = "Temp",
     .unitsKey = "TempUnits",
     .defaultText = "",
     .editName = "EditHotTemp",
     .unitsName = "HotTempUnits",
     .group = "Temperature",
     .caption = "Hot:",
     .place = {0, 5},
     .quantity = "hot temperature",
     .tip = "Hot end temperature: gas temperature at the heated end",
     .typical = TypicalRange{.low = 373.15,
                             .high = 973.15,
                             .lowNote = "(low difference)",
                             .highNote = "(flame heated)",
                             .lowQuote = {kCelsius},
                             .highQuote = {kCelsius}},
     .name = "Hot Temperature",
     .sweepable = true,
     .studied = true},
    {.field = &P::ColdTemp,
     .kind = U::Temperature,
     .message = "Cold Temperature not defined!",
     .label = "    Cold Temp: ",
     .referenceChecked = true,
     .section = "Cold",
     .key = "Temp",
     .unitsKey = "TempUnits",
     .defaultText = "",
     .editName = "EditColdTemp",
     .unitsName = "ColdTempUnits",
     .caption = "Cold:",
     .place = {1, 5},
     .quantity = "cold temperature",
     .tip = "Cold end temperature: gas temperature at the cooled end",
     .typical = TypicalRange{.low = 283.15,
                             .high = 353.15,
                             .lowQuote = {kCelsius, true, 2},
                             .highQuote = {kCelsius, true, 2}},
     .name = "Cold Temperature",
     .sweepable = true,
     .studied = true},
    {.field = &P::EngineSpeed,
     .kind = U::AngularSpeed,
     .message = "Engine Speed not defined!",
     .label = "    Engine Speed: ",
     .section = "Engine",
     .key = "Speed",
     .unitsKey = "SpeedUnits",
     .defaultText = "",
     .editName = "EditEngineSpeed",
     .unitsName = "EngineSpeedUnits",
     .caption = "Engine Speed",
     .place = {0, 6},
     .quantity = "engine speed",
     .tip = "Engine speed: crank speed at which the cycle is simulated",
     .typical = TypicalRange{.low = 100 * kRpm,
                             .high = 3000 * kRpm,
                             .lowQuote = {kPerMinute, false},
                             .highQuote = {kPerMinute}},
     .name = "Engine Speed",
     .sweepable = true,
     .studied = true},
    {.field = &P::MeanEnginePressure,
     .kind = U::Pressure,
     .message = "Mean Engine Pressure not defined!",
     .label = "    Mean Engine Pressure: ",
     .referenceChecked = true,
     .section = "Engine",
     .key = "Pressure",
     .unitsKey = "PressureUnits",
     .defaultText = "",
     .editName = "EditMeanEnginePressure",
     .unitsName = "PressureUnits",
     .caption = "Pressure",
     .place = {1, 6},
     .quantity = "mean engine pressure",
     .tip = "Mean engine pressure: average gas pressure in the engine; typical 1 atm "
            "(unpressurized) to 20 atm",
     .typical = TypicalRange{.low = 1 * kAtm,
                             .high = 60 * kAtm,
                             .lowNote = "(unpressurized)",
                             .highNote = "(pressurized)",
                             .lowQuote = {kAtmos},
                             .highQuote = {kAtmos},
                             .quotedInTip = true},
     .name = "Mean Engine Pressure",
     .sweepable = true},
    // Typed in watts only and read without a message: the design steps size the engine for it.
    {.field = &P::RequiredEnginePower,
     .kind = U::Power,
     .label = "    Required Engine Power: ",
     .section = "Engine",
     .key = "RequiredPower",
     .defaultText = "",
     .fileAfter = "MaxGraphCycle.Count",
     .editName = "EditRequiredEnginePower",
     .unitsName = "EnginePowerUnits",
     .caption = "Power",
     .place = {0, 7},
     .quantity = "required power",
     .tip = "Required engine power: shaft power the design steps size the engine for; typical 0.1 "
            "W (model) to 1,000 W",
     .name = "Required Engine Power"},
});

}  // namespace input_table

// The inputs in reading order: the fourteen design inputs, then the required engine power.
inline constexpr const auto& kInputs = input_table::kRows;

// The position of an input in the input table, and so of its value in a design.
constexpr std::size_t InputIndex(const DesignInput& input) {
    return static_cast<std::size_t>(&input - kInputs.data());
}

// The design inputs are the inputs with a unit choice; they lead the table.
constexpr std::size_t DesignInputCount() {
    std::size_t count = 0;
    while (count < kInputs.size() && kInputs[count].unitsKey != nullptr) ++count;
    for (std::size_t i = count; i < kInputs.size(); ++i)
        if (kInputs[i].unitsKey != nullptr) return 0;  // not a prefix: fails the assert below
    return count;
}
static_assert(DesignInputCount() > 0, "the inputs with a unit choice lead the table");

// The design inputs (fourteen today) in reading order.
inline constexpr std::span<const DesignInput, DesignInputCount()> kDesignInputs{kInputs.data(),
                                                                                DesignInputCount()};

// "SECTION.KEY", the input's name on the command line and in sweep files.
std::string InputFileKey(const DesignInput& input);

}  // namespace velmora
