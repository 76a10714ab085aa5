#include "ui/mainwindow/control_state_widgets.h"

namespace velmora {

namespace {

void ReadInput(const QLineEdit* edit, const QComboBox* units, InputControl& input) {
    input.text = ToStdString(edit->text());
    input.units = units->currentIndex();
}

}  // namespace

void SetListChoice(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void ReadControls(const WindowControls& c, ControlState& state) {
    ReadInput(c.EditDispDiameter, c.DispDiameterUnits, state.EditDispDiameter);
    ReadInput(c.EditDispStroke, c.DispStrokeUnits, state.EditDispStroke);
    ReadInput(c.EditDispMass, c.DispMassUnits, state.EditDispMass);
    ReadInput(c.EditDispRodDiameter, c.DispRodDiameterUnits, state.EditDispRodDiameter);
    ReadInput(c.EditSpringConstant, c.SpringConstantUnits, state.EditSpringConstant);
    ReadInput(c.EditSpringCenter, c.SpringCenterUnits, state.EditSpringCenter);
    ReadInput(c.EditPistonDiameter, c.PistonDiameterUnits, state.EditPistonDiameter);
    ReadInput(c.EditPistonStroke, c.PistonStrokeUnits, state.EditPistonStroke);
    ReadInput(c.EditDeadSpaceVol, c.DeadSpaceVolUnits, state.EditDeadSpaceVol);
    ReadInput(c.EditDeadSpaceTemp, c.DeadSpaceTempUnits, state.EditDeadSpaceTemp);
    ReadInput(c.EditHotTemp, c.HotTempUnits, state.EditHotTemp);
    ReadInput(c.EditColdTemp, c.ColdTempUnits, state.EditColdTemp);
    ReadInput(c.EditEngineSpeed, c.EngineSpeedUnits, state.EditEngineSpeed);
    ReadInput(c.EditMeanEnginePressure, c.PressureUnits, state.EditMeanEnginePressure);
    state.EditRequiredEnginePower = ToStdString(c.EditRequiredEnginePower->text());

    state.LeakCB = c.LeakCB->isChecked();
    state.GravityCB = c.GravityCB->isChecked();
    state.ComputeCycleCountEdit = ToStdString(c.ComputeCycleCountEdit->text());
    state.GraphCycleCountEdit = ToStdString(c.GraphCycleCountEdit->text());
    state.MaxGraphCycleCountEdit = ToStdString(c.MaxGraphCycleCountEdit->text());
    state.EditXAxisOffset = ToStdString(c.EditXAxisOffset->text());

    state.RedGraphRG = c.RedGraphRG->currentIndex();
    state.BlueGraphRG = c.BlueGraphRG->currentIndex();
    state.XAxisRG = c.XAxisRG->currentIndex();
    state.ShowGraph2RG = c.ShowGraph2RG->currentIndex();

    OutputUnits& out = state.outputs;
    out.LengthOutputFormatRG = c.LengthOutputFormatRG->currentIndex();
    out.TemperatureOutputFormatRG = c.TemperatureOutputFormatRG->currentIndex();
    out.MassOutputFormatRG = c.MassOutputFormatRG->currentIndex();
    out.AngVelOutputFormatRG = c.AngVelOutputFormatRG->currentIndex();
    out.SpringOutputFormatRG = c.SpringOutputFormatRG->currentIndex();
    out.AngleOutputFormatRG = c.AngleOutputFormatRG->currentIndex();
    out.PressureOutputFormatRG = c.PressureOutputFormatRG->currentIndex();

    state.EditStep3PistonDiam = ToStdString(c.EditStep3PistonDiam->text());
    state.EditStep3PistonStroke = ToStdString(c.EditStep3PistonStroke->text());
    state.EditStep5DispDiam = ToStdString(c.EditStep5DispDiam->text());
    state.EditStep5DispStroke = ToStdString(c.EditStep5DispStroke->text());
}

}  // namespace velmora
