#include "persistence/parameter_keys.h"

#include <array>
#include <utility>

namespace velmora {

namespace {

using Kind = ParameterKeyKind;
using Unit = InputUnitKind;

ParameterControl Field(std::string& text) {
    return {&text, nullptr, nullptr};
}
ParameterControl Field(int& number) {
    return {nullptr, &number, nullptr};
}
ParameterControl Field(bool& flag) {
    return {nullptr, nullptr, &flag};
}

// Row builders, one per kind, so that each row of the table reads as its file key does.
ParameterKey Text(const char* section, const char* key, const char* fallback,
                  ParameterControl (*control)(ControlState&)) {
    return {section, key, Kind::Text, fallback, 0, 0, nullptr, false, control};
}
ParameterKey Choice(const char* section, const char* key, int fallback, int itemCount,
                    ParameterControl (*control)(ControlState&), bool savedBeforePrevious = false) {
    return {section,   key,     Kind::Choice,        "",     fallback,
            itemCount, nullptr, savedBeforePrevious, control};
}
ParameterKey Units(const char* section, const char* key, Unit unit,
                   ParameterControl (*control)(ControlState&)) {
    return Choice(section, key, 0, InputUnitItemCount(unit), control);
}
ParameterKey YesNo(const char* section, const char* key, bool fallback,
                   ParameterControl (*control)(ControlState&)) {
    return {section, key, Kind::YesNo, "", fallback ? 1 : 0, 0, nullptr, false, control};
}
ParameterKey Integer(const char* section, const char* key, int fallback,
                     ParameterControl (*control)(ControlState&),
                     int (*defaultFromControls)(const ControlState&) = nullptr) {
    return {section, key, Kind::Integer, "", fallback, 0, defaultFromControls, false, control};
}

// The halvings discard the fraction toward zero and use the bounds at the moment of reading.
int LeftDefault(const ControlState& c) {
    return (c.Width - c.Left) / 2;
}
int TopDefault(const ControlState& c) {
    return (c.Height - c.Top) / 2;
}

using C = ControlState;

const std::array<ParameterKey, 56> kKeys{{
    Text("Displacer", "Diameter", "", [](C& c) { return Field(c.EditDispDiameter.text); }),
    Units("Displacer", "DiameterUnits", Unit::Length,
          [](C& c) { return Field(c.EditDispDiameter.units); }),
    Text("Displacer", "Stroke", "", [](C& c) { return Field(c.EditDispStroke.text); }),
    Units("Displacer", "StrokeUnits", Unit::Length,
          [](C& c) { return Field(c.EditDispStroke.units); }),
    Text("Displacer", "Mass", "", [](C& c) { return Field(c.EditDispMass.text); }),
    Units("Displacer", "MassUnits", Unit::Mass, [](C& c) { return Field(c.EditDispMass.units); }),
    Text("DisplacerRod", "Diameter", "", [](C& c) { return Field(c.EditDispRodDiameter.text); }),
    Units("DisplacerRod", "DiameterUnits", Unit::Length,
          [](C& c) { return Field(c.EditDispRodDiameter.units); }),
    Text("DisplacerSpring", "Constant", "0", [](C& c) { return Field(c.EditSpringConstant.text); }),
    Units("DisplacerSpring", "ConstantUnits", Unit::Spring,
          [](C& c) { return Field(c.EditSpringConstant.units); }),
    Text("DisplacerSpring", "Center", "0", [](C& c) { return Field(c.EditSpringCenter.text); }),
    Units("DisplacerSpring", "CenterUnits", Unit::Length,
          [](C& c) { return Field(c.EditSpringCenter.units); }),
    Text("Piston", "Diameter", "", [](C& c) { return Field(c.EditPistonDiameter.text); }),
    Units("Piston", "DiameterUnits", Unit::Length,
          [](C& c) { return Field(c.EditPistonDiameter.units); }),
    Text("Piston", "Stroke", "", [](C& c) { return Field(c.EditPistonStroke.text); }),
    Units("Piston", "StrokeUnits", Unit::Length,
          [](C& c) { return Field(c.EditPistonStroke.units); }),
    Text("DeadSpace", "Volume", "0", [](C& c) { return Field(c.EditDeadSpaceVol.text); }),
    Units("DeadSpace", "VolumeUnits", Unit::Volume,
          [](C& c) { return Field(c.EditDeadSpaceVol.units); }),
    Text("DeadSpace", "Temp", "", [](C& c) { return Field(c.EditDeadSpaceTemp.text); }),
    Units("DeadSpace", "TempUnits", Unit::Temperature,
          [](C& c) { return Field(c.EditDeadSpaceTemp.units); }),
    Text("Hot", "Temp", "", [](C& c) { return Field(c.EditHotTemp.text); }),
    Units("Hot", "TempUnits", Unit::Temperature, [](C& c) { return Field(c.EditHotTemp.units); }),
    Text("Cold", "Temp", "", [](C& c) { return Field(c.EditColdTemp.text); }),
    Units("Cold", "TempUnits", Unit::Temperature, [](C& c) { return Field(c.EditColdTemp.units); }),
    Text("Engine", "Speed", "", [](C& c) { return Field(c.EditEngineSpeed.text); }),
    Units("Engine", "SpeedUnits", Unit::AngularSpeed,
          [](C& c) { return Field(c.EditEngineSpeed.units); }),
    Text("Engine", "Pressure", "", [](C& c) { return Field(c.EditMeanEnginePressure.text); }),
    YesNo("Engine", "LeakDown", true, [](C& c) { return Field(c.LeakCB); }),
    Units("Engine", "PressureUnits", Unit::Pressure,
          [](C& c) { return Field(c.EditMeanEnginePressure.units); }),
    Text("ComputeCycle", "Count", "3", [](C& c) { return Field(c.ComputeCycleCountEdit); }),
    Text("GraphCycle", "Count", "3", [](C& c) { return Field(c.GraphCycleCountEdit); }),
    Text("MaxGraphCycle", "Count", "30", [](C& c) { return Field(c.MaxGraphCycleCountEdit); }),
    Text("Engine", "RequiredPower", "", [](C& c) { return Field(c.EditRequiredEnginePower); }),
    Choice("Graph", "Red", 0, kCurveItemCount, [](C& c) { return Field(c.RedGraphRG); }),
    Choice("Graph", "Blue", 0, kCurveItemCount, [](C& c) { return Field(c.BlueGraphRG); }),
    Choice(
        "Graph", "XAxis", 0, kXAxisItemCount, [](C& c) { return Field(c.XAxisRG); }, true),
    Choice("OutputFormat", "Length", 1, kLengthOutputItemCount,
           [](C& c) { return Field(c.outputs.LengthOutputFormatRG); }),
    Choice("OutputFormat", "Temperature", 0, kTemperatureOutputItemCount,
           [](C& c) { return Field(c.outputs.TemperatureOutputFormatRG); }),
    Choice("OutputFormat", "Mass", 1, kMassOutputItemCount,
           [](C& c) { return Field(c.outputs.MassOutputFormatRG); }),
    Choice("OutputFormat", "AngVel", 2, kAngVelOutputItemCount,
           [](C& c) { return Field(c.outputs.AngVelOutputFormatRG); }),
    Choice("OutputFormat", "Spring", 1, kSpringOutputItemCount,
           [](C& c) { return Field(c.outputs.SpringOutputFormatRG); }),
    // The default 2 is past the end of the two-item list, so a file without it selects nothing.
    Choice("OutputFormat", "Angle", 2, kAngleOutputItemCount,
           [](C& c) { return Field(c.outputs.AngleOutputFormatRG); }),
    Choice("OutputFormat", "Pressure", 2, kPressureOutputItemCount,
           [](C& c) { return Field(c.outputs.PressureOutputFormatRG); }),
    Choice(
        "Show", "Graph2", 0, kSecondGraphItemCount, [](C& c) { return Field(c.ShowGraph2RG); },
        true),
    YesNo("Gravity", "Enabled", false, [](C& c) { return Field(c.GravityCB); }),
    Integer(
        "Position", "Left", 0, [](C& c) { return Field(c.Left); }, LeftDefault),
    Integer(
        "Position", "Top", 0, [](C& c) { return Field(c.Top); }, TopDefault),
    Integer("Position", "Height", 550, [](C& c) { return Field(c.Height); }),
    Integer("Position", "Width", 800, [](C& c) { return Field(c.Width); }),
    {"TabControl", "Page", Kind::Page, "", 1, 0, nullptr, false,
     [](C& c) { return Field(c.Page); }},
    Text("Design", "PistonDiam", "", [](C& c) { return Field(c.EditStep3PistonDiam); }),
    Text("Design", "PistonStroke", "", [](C& c) { return Field(c.EditStep3PistonStroke); }),
    Text("Design", "DispDiam", "", [](C& c) { return Field(c.EditStep5DispDiam); }),
    Text("Design", "DispStroke", "", [](C& c) { return Field(c.EditStep5DispStroke); }),
    Text("XAxis", "Offset", "0", [](C& c) { return Field(c.EditXAxisOffset); }),
    Integer("MemoWidth", "Left", 325, [](C& c) { return Field(c.MemoWidth); }),
}};

std::array<std::size_t, kKeys.size()> SaveOrderOf(const std::array<ParameterKey, 56>& keys) {
    std::array<std::size_t, kKeys.size()> order{};
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (std::size_t i = 1; i < order.size(); ++i)
        if (keys[i].savedBeforePrevious) std::swap(order[i - 1], order[i]);
    return order;
}

const std::array<std::size_t, kKeys.size()> kSaveOrder = SaveOrderOf(kKeys);

}  // namespace

std::span<const ParameterKey> ParameterKeys() {
    return kKeys;
}

std::span<const std::size_t> ParameterKeySaveOrder() {
    return kSaveOrder;
}

}  // namespace velmora
