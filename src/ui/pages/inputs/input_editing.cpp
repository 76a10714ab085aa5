// How edits turn into computations: the change timer, the immediate recomputations, the
// pressure-equalization caution, the field conveniences, Clear Parameters and the bug list.
#include <QKeyEvent>

#include "model/design_inputs.h"
#include "model/number_text.h"
#include "model/scoped_flag.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

namespace {

const char* const kEqualizationCaution =
    "Caution: Simulate Pressure Equalization is checked and\r\n"
    "Computed Cycles is not empty.  Computed Cycles must be\r\n"
    "empty for Pressure Equalization to run to completion";

}  // namespace

void TForm1::RestartChangeTimer() {
    ui_.EditChangeTimer->setInterval(500);
    ui_.EditChangeTimer->stop();
    ui_.EditChangeTimer->start();
}

void TForm1::EditDispDiameterChange() {
    if (Loading()) return;
    RestartChangeTimer();
}

void TForm1::GraphCycleCountEditChange() {
    EditDispDiameterChange();
}

void TForm1::ComputeCycleCountEditChange() {
    if (Loading()) return;
    if (ui_.LeakCB->isChecked() && !IsBlankText(ToStdString(ui_.ComputeCycleCountEdit->text())))
        dialogs_->ShowMessage(this, kEqualizationCaution);
    RestartChangeTimer();
}

void TForm1::LeakCBClick() {
    ComputeCycleCountEditChange();
}

void TForm1::EditChangeTimerTimer() {
    ui_.EditChangeTimer->stop();
    Compute(true, true);
}

void TForm1::LengthOutputFormatRGClick() {
    FlushPendingStep();
    CommitInputStep("Edit output unit");
    Compute(true, true);
}

void TForm1::GravityCBClick() {
    FlushPendingStep();
    CommitInputStep("Edit displacer weight");
    Compute(true, true);
}

void TForm1::EditDispDiameterKeyDown(QLineEdit* field, int key) {
    if (key == 13 && field != nullptr) field->selectAll();
}

void TForm1::EditDeadSpaceTempEnter() {
    if (!ui_.EditDeadSpaceTemp->text().isEmpty()) return;
    const NumberSettings& numbers = session_.State.outputs.numbers;
    const std::optional<double> hot =
        NumberTextValue(ToStdString(ui_.EditHotTemp->text()), numbers);
    const std::optional<double> cold =
        NumberTextValue(ToStdString(ui_.EditColdTemp->text()), numbers);
    if (!hot || !cold) return;
    ui_.EditDeadSpaceTemp->setText(ToQString(FormatFieldNumber((*hot + *cold) / 2, numbers)));
}

void TForm1::ClearParameters1Click() {
    WindowControls& c = ui_;
    FlushPendingStep();
    {
        ScopedFlag quiet(quietEdits_);
        for (const DesignInput& input : kInputs) c.InputOf(input).edit->setText(input.defaultText);
    }
    CommitInputStep("Clear Parameters");
    Compute(true, true);
    if (c.PageControl1->currentWidget() == c.DesignSheet) DesignSheetEnter();
}

void TForm1::BugList1Click() {
    ui_.BugMemo->show();
    ui_.BugMemo->raise();
}

void TForm1::BugMemoClick() {
    ui_.BugMemo->lower();
    ui_.BugMemo
        ->hide();  // pages do not paint their whole background, so lowering alone shows through
}

// The page's fields, unit and output lists and check boxes start the handlers above.
void TForm1::ConnectInputPage() {
    WindowControls& c = ui_;
    for (const DesignInput& input : kInputs) {
        const InputRow& row = c.InputOf(input);
        connect(row.edit, &QLineEdit::textChanged, this, [this] { EditDispDiameterChange(); });
        row.edit->installEventFilter(this);
        if (input.control != nullptr)  // a list of one fixed unit changes nothing
            connect(row.units, &QComboBox::activated, this, [this] { EditDispDiameterChange(); });
    }
    connect(c.LeakCB, &QCheckBox::toggled, this, [this] { LeakCBClick(); });
    connect(c.GravityCB, &QCheckBox::toggled, this, [this] { GravityCBClick(); });
    for (QComboBox* list : c.OutputLists())
        connect(list, &QComboBox::activated, this, [this] { LengthOutputFormatRGClick(); });

    connect(c.EditChangeTimer, &QTimer::timeout, this, [this] { EditChangeTimerTimer(); });
}

// Enter in a field selects its text; entering the empty dead-space temperature fills it in.
void TForm1::FilterInputFieldEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* field = qobject_cast<QLineEdit*>(watched);
            field != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            EditDispDiameterKeyDown(field, 13);
    }
    if (watched == ui_.EditDeadSpaceTemp && event->type() == QEvent::FocusIn)
        EditDeadSpaceTempEnter();
}

}  // namespace velmora
