#pragma once

#include <array>
#include <string_view>

#include "model/control_state.h"

namespace velmora {

// An input a sweep can vary: its parameter-file key as SECTION.KEY, the field it is typed in
// and its name in the window.
struct SweepInput {
    const char* key;
    InputControl ControlState::*control;
    const char* name;
};

// The fourteen numeric design inputs, in the order of the Design Parameters page.
inline constexpr std::array<SweepInput, 14> kSweepInputs{{
    {"Displacer.Diameter", &ControlState::EditDispDiameter, "Displacer Diameter"},
    {"Displacer.Stroke", &ControlState::EditDispStroke, "Displacer Stroke"},
    {"Displacer.Mass", &ControlState::EditDispMass, "Displacer Mass"},
    {"DisplacerRod.Diameter", &ControlState::EditDispRodDiameter, "Displacer Rod Diameter"},
    {"DisplacerSpring.Constant", &ControlState::EditSpringConstant, "Displacer Spring Constant"},
    {"DisplacerSpring.Center", &ControlState::EditSpringCenter, "Displacer Spring Center"},
    {"Piston.Diameter", &ControlState::EditPistonDiameter, "Piston Diameter"},
    {"Piston.Stroke", &ControlState::EditPistonStroke, "Piston Stroke"},
    {"DeadSpace.Volume", &ControlState::EditDeadSpaceVol, "Dead Space Volume"},
    {"DeadSpace.Temp", &ControlState::EditDeadSpaceTemp, "Dead Space Temperature"},
    {"Hot.Temp", &ControlState::EditHotTemp, "Hot Temperature"},
    {"Cold.Temp", &ControlState::EditColdTemp, "Cold Temperature"},
    {"Engine.Speed", &ControlState::EditEngineSpeed, "Engine Speed"},
    {"Engine.Pressure", &ControlState::EditMeanEnginePressure, "Mean Engine Pressure"},
}};

// The input of a key (exact spelling), or nullptr.
const SweepInput* FindSweepInput(std::string_view key);

}  // namespace velmora
