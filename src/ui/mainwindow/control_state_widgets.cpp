#include "ui/mainwindow/control_state_widgets.h"

#include <QCheckBox>
#include <QLineEdit>

#include "form/form_controls.h"
#include "form/input_controls.h"

namespace velmora {

namespace {

QString Text(QWidget* widget) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    return edit != nullptr ? edit->text() : QString();
}
bool Checked(QWidget* widget) {
    auto* box = qobject_cast<QCheckBox*>(widget);
    return box != nullptr && box->isChecked();
}
int Choice(QWidget* widget) {
    auto* list = qobject_cast<QComboBox*>(widget);
    return list != nullptr ? list->currentIndex() : kNoChoice;
}

}  // namespace

void SetListChoice(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void PutInput(const WindowControls& c, const ControlState& state, const DesignInput& input) {
    const InputRow& widgets = c.InputOf(input);
    const QString text = ToQString(InputText(state, input));
    if (widgets.edit->text() != text) {
        widgets.edit->setText(text);
        // A number longer than the field shows its leading digits, not its tail; the field
        // the user types in keeps its cursor.
        if (!widgets.edit->hasFocus()) widgets.edit->setCursorPosition(0);
    }
    if (const int* units = InputUnits(state, input)) SetListChoice(widgets.units, *units);
}

void PutInputs(const WindowControls& c, const ControlState& state) {
    for (const DesignInput& input : kInputs) PutInput(c, state, input);
}

void PutOutputUnits(const WindowControls& c, const OutputUnits& out) {
    for (const OutputUnitList& list : kOutputUnitLists)
        SetListChoice(c.OutputListOf(list), out.*list.choice);
}

QWidget* FormWidget(const WindowControls& c, const FormControl& row) {
    if (row.widgetName == nullptr || c.PageControl1 == nullptr) return nullptr;
    return c.PageControl1->findChild<QWidget*>(row.widgetName);
}

void PutFormControls(const WindowControls& c, const ControlState& state) {
    for (const FormControl& row : kFormControls) {
        QWidget* widget = row.putByItsPage ? nullptr : FormWidget(c, row);
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && row.text)
            edit->setText(ToQString(state.*row.text));
        if (auto* box = qobject_cast<QCheckBox*>(widget); box && row.flag)
            box->setChecked(state.*row.flag);
        if (auto* list = qobject_cast<QComboBox*>(widget); list && row.number)
            SetListChoice(list, state.*row.number);
    }
}

void ReadControls(const WindowControls& c, ControlState& state) {
    for (const DesignInput& input : kInputs) {
        const InputRow& widgets = c.InputOf(input);
        InputText(state, input) = ToStdString(widgets.edit->text());
        if (int* units = InputUnits(state, input)) *units = widgets.units->currentIndex();
    }

    for (const OutputUnitList& list : kOutputUnitLists)
        state.outputs.*list.choice = c.OutputListOf(list)->currentIndex();

    for (const FormControl& row : kFormControls)
        if (QWidget* widget = FormWidget(c, row)) {
            if (row.text != nullptr) state.*row.text = ToStdString(Text(widget));
            if (row.flag != nullptr) state.*row.flag = Checked(widget);
            if (row.number != nullptr) state.*row.number = Choice(widget);
        }
}

}  // namespace velmora
