#include "ui/mainwindow/control_state_widgets.h"

#include "model/design_inputs.h"

namespace velmora {

void SetListChoice(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void PutInput(const WindowControls& c, const ControlState& state, const DesignInput& input) {
    const InputRow& widgets = c.InputOf(input);
    widgets.edit->setText(ToQString(InputText(state, input)));
    if (const int* units = InputUnits(state, input)) SetListChoice(widgets.units, *units);
}

void PutInputs(const WindowControls& c, const ControlState& state) {
    for (const DesignInput& input : kInputs) PutInput(c, state, input);
}

void PutOutputUnits(const WindowControls& c, const OutputUnits& out) {
    SetListChoice(c.LengthOutputFormatRG, out.LengthOutputFormatRG);
    SetListChoice(c.TemperatureOutputFormatRG, out.TemperatureOutputFormatRG);
    SetListChoice(c.MassOutputFormatRG, out.MassOutputFormatRG);
    SetListChoice(c.AngVelOutputFormatRG, out.AngVelOutputFormatRG);
    SetListChoice(c.SpringOutputFormatRG, out.SpringOutputFormatRG);
    SetListChoice(c.AngleOutputFormatRG, out.AngleOutputFormatRG);
    SetListChoice(c.PressureOutputFormatRG, out.PressureOutputFormatRG);
}

void ReadControls(const WindowControls& c, ControlState& state) {
    for (const DesignInput& input : kInputs) {
        const InputRow& widgets = c.InputOf(input);
        InputText(state, input) = ToStdString(widgets.edit->text());
        if (int* units = InputUnits(state, input)) *units = widgets.units->currentIndex();
    }

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
