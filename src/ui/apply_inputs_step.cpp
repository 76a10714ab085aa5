// Inputs proposed by other windows (the design-space window's clicked design). A plain form:
// the design inputs are put into their fields as a load does, then one computation follows.
#include "designspace/sweep_inputs.h"
#include "ui/control_state_widgets.h"
#include "ui/main_window.h"

namespace velmora {

void TForm1::ApplyInputsAsOneStep(const ControlState& inputs, const QString& /*stepText*/) {
    const std::vector<InputRow> rows = ui_.InputRows();
    session_.Driver.Loading = true;  // the fields' change handlers stay quiet
    for (std::size_t i = 0; i < kSweepInputs.size() && i < rows.size(); ++i) {
        const InputControl& value = inputs.*kSweepInputs[i].control;
        rows[i].edit->setText(ToQString(value.text));
        SetListChoice(rows[i].units, value.units);
    }
    session_.Driver.Loading = false;
    ui_.EditChangeTimer->stop();
    Compute(true, true);
}

}  // namespace velmora
