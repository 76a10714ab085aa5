#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/control_state.h"
#include "model/number_settings.h"
#include "model/parameter_set.h"
#include "model/units.h"

namespace velmora {

// The value of a number text, else 0; in that case, when `message` is not nullptr, the line
// "*** " + message is appended to `report`. A nullptr message is never reported.
double ReadInput(std::string_view text, const char* message, std::vector<std::string>& report,
                 const NumberSettings& numbers);

// Stores `value` in `field`, setting `changed` when the two doubles differ (exact comparison).
void StoreParameter(double& field, double value, bool& changed);

// One of the fourteen design inputs: where its text and unit choice come from, where its SI
// value goes, and how the input report shows it.
struct DesignInput {
    InputControl ControlState::*control;
    double ParameterSet::*field;
    double ParameterSet::*half;  // radius or half stroke, nullptr when there is none
    InputUnitKind kind;
    const char* message;    // "Displacer Diameter not defined!"
    const char* label;      // "    Displacer Diameter: "
    bool referenceChecked;  // the value line is followed by its reference check
    const char* halfLabel;  // value line of the half ("    Displacer Half Stroke: "), or nullptr
    bool halfReferenceChecked;
};

// The design inputs in reading order.
inline constexpr std::array<DesignInput, 14> kDesignInputs{{
    {&ControlState::EditDispDiameter, &ParameterSet::DispDiameter, &ParameterSet::DispRadius,
     InputUnitKind::Length, "Displacer Diameter not defined!", "    Displacer Diameter: ", false,
     nullptr, false},
    {&ControlState::EditDispStroke, &ParameterSet::DispStroke, &ParameterSet::DispHalfStroke,
     InputUnitKind::Length, "Displacer Stroke not defined!", "    Displacer Stroke: ", false,
     "    Displacer Half Stroke: ", true},
    {&ControlState::EditDispMass, &ParameterSet::DispMass, nullptr, InputUnitKind::Mass,
     "Displacer Mass not defined!", "    Displacer mass: ", true, nullptr, false},
    {&ControlState::EditDispRodDiameter, &ParameterSet::DispRodDiameter,
     &ParameterSet::DispRodRadius, InputUnitKind::Length, "Displacer Rod Diameter not defined!",
     "    Displacer Rod Diameter: ", false, nullptr, false},
    {&ControlState::EditSpringConstant, &ParameterSet::SpringConstant, nullptr,
     InputUnitKind::Spring, "Displacer Spring Constant not defined!",
     "    Displacer Spring Constant: ", false, nullptr, false},
    {&ControlState::EditSpringCenter, &ParameterSet::SpringCenter, nullptr, InputUnitKind::Length,
     "Displacer Spring Center not defined!", "    Spring Center: ", false, nullptr, false},
    {&ControlState::EditPistonDiameter, &ParameterSet::PistonDiameter, &ParameterSet::PistonRadius,
     InputUnitKind::Length, "Piston Diameter not defined!", "    Piston Diameter: ", false, nullptr,
     false},
    {&ControlState::EditPistonStroke, &ParameterSet::PistonStroke, &ParameterSet::PistonHalfStroke,
     InputUnitKind::Length, "Piston Stroke not defined!", "    Piston Stroke: ", false,
     "    Piston Half Stroke: ", true},
    {&ControlState::EditDeadSpaceVol, &ParameterSet::DeadSpaceVol, nullptr, InputUnitKind::Volume,
     "Dead Space Volume not defined!", "    Dead Space Volume: ", true, nullptr, false},
    {&ControlState::EditDeadSpaceTemp, &ParameterSet::DeadSpaceTemp, nullptr,
     InputUnitKind::Temperature, "Dead Space Temp not defined!",
     "    Dead Space Temperature: ", true, nullptr, false},
    {&ControlState::EditHotTemp, &ParameterSet::HotTemp, nullptr, InputUnitKind::Temperature,
     "Hot Temperature not defined!", "    Hot Temp: ", true, nullptr, false},
    {&ControlState::EditColdTemp, &ParameterSet::ColdTemp, nullptr, InputUnitKind::Temperature,
     "Cold Temperature not defined!", "    Cold Temp: ", true, nullptr, false},
    {&ControlState::EditEngineSpeed, &ParameterSet::EngineSpeed, nullptr,
     InputUnitKind::AngularSpeed, "Engine Speed not defined!", "    Engine Speed: ", false, nullptr,
     false},
    {&ControlState::EditMeanEnginePressure, &ParameterSet::MeanEnginePressure, nullptr,
     InputUnitKind::Pressure, "Mean Engine Pressure not defined!",
     "    Mean Engine Pressure: ", true, nullptr, false},
}};

// Label of the required power's value line, written only when that power is not 0.
inline constexpr const char* kRequiredEnginePowerLabel = "    Required Engine Power: ";

// An SI value of the input's kind as the input report shows it ("304.8 mm", "100 C").
std::string DesignInputText(InputUnitKind kind, const OutputUnits& units, double si);

// What reading the inputs found beside their values: which design inputs are not defined (no
// number, no unit, or a value that overflows its conversion; stored as 0) and whether any
// design input received a new value. The input report is written from it.
struct InputRecord {
    std::array<bool, kDesignInputs.size()> undefined{};
    bool changed = false;
};

// Reads every input of `controls` into `params`: the design inputs in order (each with its
// half) through StoreParameter, then RequiredEnginePower, stored directly and never reported
// as missing.
InputRecord ReadDesignInputs(const ControlState& controls, ParameterSet& params,
                             const NumberSettings& numbers);

// Called once per design input, in reading order, after the inputs have been stored: the
// input's "*** " line (if any) is already in the report. The callee writes the value line(s)
// and reference checks.
using DesignInputRead = std::function<void(const DesignInput& input, const ParameterSet& params)>;

// ReadDesignInputs with the "*** ... not defined!" lines in `report`. `changed` is set when any
// design input received a new value; it is not cleared here. `afterEach` may be empty.
void ReadAllInputs(const ControlState& controls, ParameterSet& params,
                   std::vector<std::string>& report, const NumberSettings& numbers, bool& changed,
                   const DesignInputRead& afterEach);

}  // namespace velmora
