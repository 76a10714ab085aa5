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
    for (const OutputUnitList& list : kOutputUnitLists)
        SetListChoice(c.OutputListOf(list), out.*list.choice);
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

    for (const OutputUnitList& list : kOutputUnitLists)
        state.outputs.*list.choice = c.OutputListOf(list)->currentIndex();

    state.EditStep3PistonDiam = ToStdString(c.EditStep3PistonDiam->text());
    state.EditStep3PistonStroke = ToStdString(c.EditStep3PistonStroke->text());
    state.EditStep5DispDiam = ToStdString(c.EditStep5DispDiam->text());
    state.EditStep5DispStroke = ToStdString(c.EditStep5DispStroke->text());
}

}  // namespace velmora
