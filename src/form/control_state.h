#pragma once

#include <string>

#include "engine/integration_model.h"
#include "engine/loss_inputs.h"
#include "form/graph_selection.h"
#include "report/unit_text.h"

namespace velmora {

// One input field of the Design Parameters page: its text as typed and its unit choice.
struct InputControl {
    std::string text;
    int units = 0;  // choice index, kNoChoice for none
};

// Plain copy of every control that a parameter file stores (the 56 keys) and that the
// compute driver and the simulation read. Member names follow the controls they mirror.
// Defaults are those of a parameter file that holds no keys at all.
struct ControlState {
    InputControl EditDispDiameter;         // DispDiameterUnits
    InputControl EditDispStroke;           // DispStrokeUnits
    InputControl EditDispMass;             // DispMassUnits
    InputControl EditDispRodDiameter;      // DispRodDiameterUnits
    InputControl EditSpringConstant{"0"};  // SpringConstantUnits
    InputControl EditSpringCenter{"0"};    // SpringCenterUnits
    InputControl EditPistonDiameter;       // PistonDiameterUnits
    InputControl EditPistonStroke;         // PistonStrokeUnits
    InputControl EditDeadSpaceVol{"0"};    // DeadSpaceVolUnits
    InputControl EditDeadSpaceTemp;        // DeadSpaceTempUnits
    InputControl EditHotTemp;              // HotTempUnits
    InputControl EditColdTemp;             // ColdTempUnits
    InputControl EditEngineSpeed;          // EngineSpeedUnits
    InputControl EditMeanEnginePressure;   // PressureUnits
    std::string EditRequiredEnginePower;   // always watts

    bool LeakCB = true;      // "Simulate Pressure Equalization"
    bool GravityCB = false;  // "Simulate Displacer Weight"

    std::string ComputeCycleCountEdit = "3";
    std::string GraphCycleCountEdit = "3";
    std::string MaxGraphCycleCountEdit = "30";
    std::string EditXAxisOffset = "0";

    int RedGraphRG = 0;    // twelve curve items
    int BlueGraphRG = 0;   // twelve curve items
    int XAxisRG = 0;       // "Seconds", "Degrees"
    int ShowGraph2RG = 0;  // "(None)", "Pressure/Volume", "Power/Phase", "Power/Torque"

    OutputUnits outputs;

    // Window bounds, active page (1 InputSheet ... 5 HelpSheet) and report pane width.
    int Left = 0;
    int Top = 0;
    int Height = 550;
    int Width = 800;
    int Page = 1;
    int MemoWidth = 325;

    // Design page fields.
    std::string EditStep3PistonDiam;
    std::string EditStep3PistonStroke;
    std::string EditStep5DispDiam;
    std::string EditStep5DispStroke;

    // [Model] Integration: kept beside the 56 keys, which never change.
    IntegrationModel Integration = IntegrationModel::Specified;
    // [Gas], [Losses] and [Load] as the file held them, likewise beside the 56 keys.
    LossTexts lossTexts;
};

// Item counts of the choice lists, for turning out-of-range indices into "no choice" (the
// output-unit lists count the items of their unit family, form/output_unit_lists.h; the
// graphs' lists and ClampChoice are form/graph_selection.h's).

}  // namespace velmora
