// Input fields whose text is not a number (the report lists them as "*** ... not defined!")
// get a red frame, with that line as their tooltip until the text becomes a number.
#include <QComboBox>

#include "model/input_reading.h"
#include "model/number_text.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/inputs/typical_ranges.h"

namespace velmora {

void TForm1::MarkNonNumberInputs() {
    const NumberSettings& numbers = session_.State.outputs.numbers;
    for (const DesignInput& input : kDesignInputs) {
        QLineEdit* field = ui_.InputOf(input).edit;
        const bool mark = !IsNumberText(ToStdString(field->text()), numbers);
        if (field->property("notANumber").toBool() != mark) {
            field->setProperty("notANumber", mark);
            field->setStyleSheet(mark ? "QLineEdit { border: 2px solid red; }" : QString());
        }
        // The typical range follows the unit chosen, also after a load that set it quietly.
        const QComboBox* units = ui_.InputOf(input).units;
        field->setToolTip(mark ? QString("*** ") + input.message
                               : TipInUnit(input, units->currentIndex(), units->currentText()));
    }
}

}  // namespace velmora
