#pragma once

#include <array>
#include <span>
#include <string>

#include "model/control_state.h"
#include "model/parameter_set.h"
#include "model/units.h"

namespace velmora {

// Where an input sits on the Design Parameters page: column 0 (left) or 1 (right) and its row.
// The page's tab order follows from it: per column the fields top down, then their unit lists.
struct InputPlace {
    int column;
    int row;
};

// One input of an engine design, described once: how it is read and reported, where the
// parameter file keeps it, how the window shows it and which tools may vary it. Everything
// that lists inputs walks kInputs.
struct DesignInput {
    // Reading and the input report.
    InputControl ControlState::*control;  // text and unit choice; nullptr for a text alone
    double ParameterSet::*field;
    double ParameterSet::*half;  // radius or half stroke, nullptr when there is none
    InputUnitKind kind;
    const char* message;    // "Displacer Diameter not defined!"; nullptr: never reported missing
    const char* label;      // "    Displacer Diameter: "
    bool referenceChecked;  // the value line is followed by its reference check
    const char* halfLabel;  // value line of the half ("    Displacer Half Stroke: "), or nullptr
    bool halfReferenceChecked;
    std::string ControlState::*text;  // the text of an input without unit choice, else nullptr

    // Parameter file.
    const char* section;
    const char* key;
    const char* unitsKey;     // nullptr: no unit choice is stored
    const char* defaultText;  // text of a file without the key, of a cleared field
    // The key the input's keys follow in the file; nullptr: the block of inputs at its top.
    const char* fileAfter;

    // The window.
    const char* editName;   // object name of the field
    const char* unitsName;  // object name of the unit list beside it
    const char* group;      // caption at the far left of its row, or nullptr
    const char* caption;    // caption next to the field
    InputPlace place;
    const char* quantity;  // "displacer diameter": undo steps say "Edit displacer diameter"
    const char* tip;       // tooltip: meaning and typical range

    // Tools.
    const char* name;   // "Displacer Diameter" in the design space, optimizer and study
    bool sweepable;     // the design space and the optimizer may vary it
    bool studied;       // the sensitivity study tries it 10% up and down
    bool zeroIsAValue;  // 0 is a design (no spring, no dead space), not "not given"
};

namespace input_table {

using C = ControlState;
using P = ParameterSet;
using U = InputUnitKind;

inline constexpr std::array<DesignInput, 15> kRows{{
    {&C::EditDispDiameter,
     &P::DispDiameter,
     &P::DispRadius,
     U::Length,
     "Displacer Diameter not defined!",
     "    Displacer Diameter: ",
     false,
     nullptr,
     false,
     nullptr,
     "Displacer",
     "Diameter",
     "DiameterUnits",
     "",
     nullptr,  //
     "EditDispDiameter",
     "DispDiameterUnits",
     "Displacer: ",
     "Diameter:",
     {0, 0},
     "displacer diameter",
     "Displacer diameter: bore of the displacer cylinder; typical 20 mm (model) to 300 mm "
     "(large engine)",
     "Displacer Diameter",
     true,
     false,
     false},
    {&C::EditDispStroke,
     &P::DispStroke,
     &P::DispHalfStroke,
     U::Length,
     "Displacer Stroke not defined!",
     "    Displacer Stroke: ",
     false,
     "    Displacer Half Stroke: ",
     true,
     nullptr,  //
     "Displacer",
     "Stroke",
     "StrokeUnits",
     "",
     nullptr,  //
     "EditDispStroke",
     "DispStrokeUnits",
     nullptr,
     "Full Stroke: ",
     {1, 0},
     "displacer stroke",
     "Displacer full stroke: travel of the displacer between its two stops; typical 5 mm to "
     "100 mm",
     "Displacer Stroke",
     true,
     true,
     false},
    {&C::EditDispMass,
     &P::DispMass,
     nullptr,
     U::Mass,
     "Displacer Mass not defined!",
     "    Displacer mass: ",
     true,
     nullptr,
     false,
     nullptr,  //
     "Displacer",
     "Mass",
     "MassUnits",
     "",
     nullptr,  //
     "EditDispMass",
     "DispMassUnits",
     nullptr,
     "Mass",
     {0, 1},
     "displacer mass",
     "Displacer mass: mass of the free displacer including its rod; typical 5 g (small "
     "engine) to 2 kg (large engine)",
     "Displacer Mass",
     true,
     true,
     false},
    {&C::EditDispRodDiameter,
     &P::DispRodDiameter,
     &P::DispRodRadius,
     U::Length,
     "Displacer Rod Diameter not defined!",
     "    Displacer Rod Diameter: ",
     false,
     nullptr,
     false,
     nullptr,  //
     "DisplacerRod",
     "Diameter",
     "DiameterUnits",
     "",
     nullptr,  //
     "EditDispRodDiameter",
     "DispRodDiameterUnits",
     nullptr,
     "Rod Diameter:",
     {1, 1},
     "displacer rod diameter",
     "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
     "typical 2 mm to 30 mm",
     "Displacer Rod Diameter",
     true,
     true,
     false},
    {&C::EditSpringConstant,
     &P::SpringConstant,
     nullptr,
     U::Spring,
     "Displacer Spring Constant not defined!",
     "    Displacer Spring Constant: ",
     false,
     nullptr,
     false,
     nullptr,  //
     "DisplacerSpring",
     "Constant",
     "ConstantUnits",
     "0",
     nullptr,  //
     "EditSpringConstant",
     "SpringConstantUnits",
     nullptr,
     "Spring",
     {0, 2},
     "spring constant",
     "Displacer spring constant: stiffness of the optional spring, 0 for none; typical 0 to "
     "2,000 N/m",
     "Displacer Spring Constant",
     true,
     true,
     true},
    {&C::EditSpringCenter,
     &P::SpringCenter,
     nullptr,
     U::Length,
     "Displacer Spring Center not defined!",
     "    Spring Center: ",
     false,
     nullptr,
     false,
     nullptr,  //
     "DisplacerSpring",
     "Center",
     "CenterUnits",
     "0",
     nullptr,  //
     "EditSpringCenter",
     "SpringCenterUnits",
     nullptr,
     "Spring Center",
     {1, 2},
     "spring center",
     "Spring center: displacer position, from mid-stroke, where the spring pushes neither "
     "way; typical 0 to half the displacer stroke",
     "Displacer Spring Center",
     true,
     true,
     true},
    {&C::EditPistonDiameter,
     &P::PistonDiameter,
     &P::PistonRadius,
     U::Length,
     "Piston Diameter not defined!",
     "    Piston Diameter: ",
     false,
     nullptr,
     false,
     nullptr,  //
     "Piston",
     "Diameter",
     "DiameterUnits",
     "",
     nullptr,  //
     "EditPistonDiameter",
     "PistonDiameterUnits",
     "Piston",
     "Diameter:",
     {0, 3},
     "piston diameter",
     "Power piston diameter: bore of the power cylinder; typical 10 mm to 200 mm",
     "Piston Diameter",
     true,
     true,
     false},
    {&C::EditPistonStroke,
     &P::PistonStroke,
     &P::PistonHalfStroke,
     U::Length,
     "Piston Stroke not defined!",
     "    Piston Stroke: ",
     false,
     "    Piston Half Stroke: ",
     true,
     nullptr,  //
     "Piston",
     "Stroke",
     "StrokeUnits",
     "",
     nullptr,  //
     "EditPistonStroke",
     "PistonStrokeUnits",
     nullptr,
     "Full Stroke: ",
     {1, 3},
     "piston stroke",
     "Power piston full stroke: twice the crank throw; typical 10 mm to 150 mm",
     "Piston Stroke",
     true,
     true,
     false},
    {&C::EditDeadSpaceVol,
     &P::DeadSpaceVol,
     nullptr,
     U::Volume,
     "Dead Space Volume not defined!",
     "    Dead Space Volume: ",
     true,
     nullptr,
     false,
     nullptr,  //
     "DeadSpace",
     "Volume",
     "VolumeUnits",
     "0",
     nullptr,  //
     "EditDeadSpaceVol",
     "DeadSpaceVolUnits",
     "Dead Space:",
     "Vol:",
     {0, 4},
     "dead space volume",
     "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, "
     "ports, clearances); typical 0.1 to 1 times the piston's swept volume",
     "Dead Space Volume",
     true,
     true,
     true},
    {&C::EditDeadSpaceTemp,
     &P::DeadSpaceTemp,
     nullptr,
     U::Temperature,
     "Dead Space Temp not defined!",
     "    Dead Space Temperature: ",
     true,
     nullptr,
     false,
     nullptr,  //
     "DeadSpace",
     "Temp",
     "TempUnits",
     "",
     nullptr,  //
     "EditDeadSpaceTemp",
     "DeadSpaceTempUnits",
     nullptr,
     "Temperature",
     {1, 4},
     "dead space temperature",
     "Dead space temperature: mean gas temperature in the dead space; typical midway between "
     "hot and cold (filled in on entry when empty)",
     "Dead Space Temperature",
     true,
     true,
     false},
    {&C::EditHotTemp,
     &P::HotTemp,
     nullptr,
     U::Temperature,
     "Hot Temperature not defined!",
     "    Hot Temp: ",
     true,
     nullptr,
     false,
     nullptr,  //
     "Hot",
     "Temp",
     "TempUnits",
     "",
     nullptr,  //
     "EditHotTemp",
     "HotTempUnits",
     "Temperature",
     "Hot:",
     {0, 5},
     "hot temperature",
     "Hot end temperature: gas temperature at the heated end; typical 100 C (low "
     "difference) to 700 C (flame heated)",
     "Hot Temperature",
     true,
     true,
     false},
    {&C::EditColdTemp,
     &P::ColdTemp,
     nullptr,
     U::Temperature,
     "Cold Temperature not defined!",
     "    Cold Temp: ",
     true,
     nullptr,
     false,
     nullptr,  //
     "Cold",
     "Temp",
     "TempUnits",
     "",
     nullptr,  //
     "EditColdTemp",
     "ColdTempUnits",
     nullptr,
     "Cold:",
     {1, 5},
     "cold temperature",
     "Cold end temperature: gas temperature at the cooled end; typical 10 C to 80 C",
     "Cold Temperature",
     true,
     true,
     false},
    {&C::EditEngineSpeed,
     &P::EngineSpeed,
     nullptr,
     U::AngularSpeed,
     "Engine Speed not defined!",
     "    Engine Speed: ",
     false,
     nullptr,
     false,
     nullptr,  //
     "Engine",
     "Speed",
     "SpeedUnits",
     "",
     nullptr,  //
     "EditEngineSpeed",
     "EngineSpeedUnits",
     nullptr,
     "Engine Speed",
     {0, 6},
     "engine speed",
     "Engine speed: crank speed at which the cycle is simulated; typical 100 to 3,000 RPM",
     "Engine Speed",
     true,
     true,
     false},
    {&C::EditMeanEnginePressure,
     &P::MeanEnginePressure,
     nullptr,
     U::Pressure,
     "Mean Engine Pressure not defined!",
     "    Mean Engine Pressure: ",
     true,
     nullptr,
     false,
     nullptr,  //
     "Engine",
     "Pressure",
     "PressureUnits",
     "",
     nullptr,  //
     "EditMeanEnginePressure",
     "PressureUnits",
     nullptr,
     "Pressure",
     {1, 6},
     "mean engine pressure",
     "Mean engine pressure: average gas pressure in the engine; typical 1 atm "
     "(unpressurized) to 20 atm",
     "Mean Engine Pressure",
     true,
     false,
     false},
    // Typed in watts only and read without a message: the design steps size the engine for it.
    {nullptr,
     &P::RequiredEnginePower,
     nullptr,
     U::Power,
     nullptr,
     "    Required Engine Power: ",
     false,
     nullptr,
     false,
     &C::EditRequiredEnginePower,  //
     "Engine",
     "RequiredPower",
     nullptr,
     "",
     "MaxGraphCycle.Count",  //
     "EditRequiredEnginePower",
     "EnginePowerUnits",
     nullptr,
     "Power",
     {0, 7},
     "required power",
     "Required engine power: shaft power the design steps size the engine for; typical "
     "0.1 W (model) to 1,000 W",
     "Required Engine Power",
     false,
     false,
     false},
}};

}  // namespace input_table

// The inputs in reading order: the fourteen design inputs, then the required engine power.
inline constexpr const std::array<DesignInput, 15>& kInputs = input_table::kRows;

// The design inputs are the inputs with a unit choice; they lead the table.
constexpr std::size_t DesignInputCount() {
    std::size_t count = 0;
    while (count < kInputs.size() && kInputs[count].control != nullptr) ++count;
    for (std::size_t i = count; i < kInputs.size(); ++i)
        if (kInputs[i].control != nullptr) return 0;  // not a prefix: fails the assert below
    return count;
}
static_assert(DesignInputCount() == 14, "the design inputs lead the table");

// The fourteen design inputs in reading order.
inline constexpr std::span<const DesignInput, DesignInputCount()> kDesignInputs{kInputs.data(),
                                                                                DesignInputCount()};

// The input's text in `state`.
std::string& InputText(ControlState& state, const DesignInput& input);
const std::string& InputText(const ControlState& state, const DesignInput& input);
// The input's unit choice in `state`, nullptr when it has none.
int* InputUnits(ControlState& state, const DesignInput& input);

// The input read from `control`, or nullptr.
const DesignInput* FindInput(InputControl ControlState::*control);

// "SECTION.KEY", the input's name on the command line and in sweep files.
std::string InputFileKey(const DesignInput& input);

}  // namespace velmora
