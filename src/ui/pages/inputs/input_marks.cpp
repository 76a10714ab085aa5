// Input fields whose text is not a number (the report lists them as "*** ... not defined!")
// get a red frame, with that line as their tooltip until the text becomes a number.
#include <utility>

#include "model/input_reading.h"
#include "model/number_text.h"
#include "ui/mainwindow/control_help.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

namespace {

// Which field each design input is read from.
QLineEdit* FieldOf(const WindowControls& c, InputControl ControlState::*control) {
    const std::pair<InputControl ControlState::*, QLineEdit*> fields[] = {
        {&ControlState::EditDispDiameter, c.EditDispDiameter},
        {&ControlState::EditDispStroke, c.EditDispStroke},
        {&ControlState::EditDispMass, c.EditDispMass},
        {&ControlState::EditDispRodDiameter, c.EditDispRodDiameter},
        {&ControlState::EditSpringConstant, c.EditSpringConstant},
        {&ControlState::EditSpringCenter, c.EditSpringCenter},
        {&ControlState::EditPistonDiameter, c.EditPistonDiameter},
        {&ControlState::EditPistonStroke, c.EditPistonStroke},
        {&ControlState::EditDeadSpaceVol, c.EditDeadSpaceVol},
        {&ControlState::EditDeadSpaceTemp, c.EditDeadSpaceTemp},
        {&ControlState::EditHotTemp, c.EditHotTemp},
        {&ControlState::EditColdTemp, c.EditColdTemp},
        {&ControlState::EditEngineSpeed, c.EditEngineSpeed},
        {&ControlState::EditMeanEnginePressure, c.EditMeanEnginePressure},
    };
    for (const auto& [member, field] : fields)
        if (member == control) return field;
    return nullptr;
}

}  // namespace

void TForm1::MarkNonNumberInputs() {
    const NumberSettings& numbers = session_.State.outputs.numbers;
    for (const DesignInput& input : kDesignInputs) {
        QLineEdit* field = FieldOf(ui_, input.control);
        if (field == nullptr) continue;
        const bool mark = !IsNumberText(ToStdString(field->text()), numbers);
        if (field->property("notANumber").toBool() == mark) continue;
        field->setProperty("notANumber", mark);
        field->setStyleSheet(mark ? "QLineEdit { border: 2px solid red; }" : QString());
        const ControlHelp* help = HelpFor(field->objectName());
        field->setToolTip(mark              ? QString("*** ") + input.message
                          : help != nullptr ? QString(help->tip)
                                            : QString());
    }
}

}  // namespace velmora
