// Input fields whose text is not a number (the report lists them as "*** ... not defined!")
// get a red frame, with that line as their tooltip until the text becomes a number.
#include "model/input_reading.h"
#include "model/number_text.h"
#include "ui/mainwindow/control_help.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

void TForm1::MarkNonNumberInputs() {
    const NumberSettings& numbers = session_.State.outputs.numbers;
    for (const DesignInput& input : kDesignInputs) {
        QLineEdit* field = ui_.InputOf(input).edit;
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
