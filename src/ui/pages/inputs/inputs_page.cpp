#include "ui/pages/inputs/inputs_page.h"

#include <QComboBox>
#include <QKeyEvent>

#include "form/input_controls.h"
#include "form/input_reading.h"
#include "report/number_text.h"
#include "ui/mainwindow/control_help.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/page_host.h"
#include "ui/mainwindow/window_controls.h"
#include "ui/mainwindow/window_session.h"
#include "ui/pages/inputs/typical_ranges.h"

namespace velmora {

namespace {

const char* const kEqualizationCaution =
    "Caution: Simulate Pressure Equalization is checked and\r\n"
    "Computed Cycles is not empty.  Computed Cycles must be\r\n"
    "empty for Pressure Equalization to run to completion";

}  // namespace

InputsPage::InputsPage(WindowControls& controls, PageHost& host, QObject* parent)
    : QObject(parent), c_(controls), host_(host) {
    setObjectName("InputsPage");
}

bool InputsPage::Loading() const {
    return host_.Session().Driver.Loading;
}

void InputsPage::RestartChangeTimer() {
    c_.EditChangeTimer->setInterval(editDelayMs_);
    c_.EditChangeTimer->stop();
    c_.EditChangeTimer->start();
}

void InputsPage::EditDispDiameterChange() {
    if (Loading()) return;
    RestartChangeTimer();
}

void InputsPage::GraphCycleCountEditChange() {
    EditDispDiameterChange();
}

void InputsPage::ComputeCycleCountEditChange() {
    if (Loading()) return;
    if (c_.LeakCB->isChecked() && !IsBlankText(ToStdString(c_.ComputeCycleCountEdit->text())))
        host_.ShowMessage(kEqualizationCaution);
    RestartChangeTimer();
}

void InputsPage::LeakCBClick() {
    ComputeCycleCountEditChange();
}

void InputsPage::EditChangeTimerTimer() {
    c_.EditChangeTimer->stop();
    host_.Compute(true, true);
}

void InputsPage::FinishEdit() {
    if (Loading() || !c_.EditChangeTimer->isActive()) return;
    host_.EndEditBurst();
    EditChangeTimerTimer();
}

void InputsPage::LengthOutputFormatRGClick() {
    host_.ChangeAsOneStep("Edit output unit", {});
    host_.Compute(true, true);
}

void InputsPage::GravityCBClick() {
    host_.ChangeAsOneStep("Edit displacer weight", {});
    host_.Compute(true, true);
}

void InputsPage::EditDispDiameterKeyDown(QLineEdit* field, int key) {
    if (key == 13 && field != nullptr) field->selectAll();
}

void InputsPage::EditDeadSpaceTempEnter() {
    QLineEdit* deadSpace = c_.InputOf(&ControlState::EditDeadSpaceTemp).edit;
    if (!deadSpace->text().isEmpty()) return;
    const NumberSettings& numbers = host_.Session().State.outputs.numbers;
    const std::optional<double> hot =
        NumberTextValue(ToStdString(c_.InputOf(&ControlState::EditHotTemp).edit->text()), numbers);
    const std::optional<double> cold =
        NumberTextValue(ToStdString(c_.InputOf(&ControlState::EditColdTemp).edit->text()), numbers);
    if (!hot || !cold) return;
    deadSpace->setText(ToQString(FormatFieldNumber((*hot + *cold) / 2, numbers)));
}

void InputsPage::ClearParameters1Click() {
    host_.ChangeAsOneStep("Clear Parameters", [this] {
        for (const DesignInput& input : kInputs) c_.InputOf(input).edit->setText(input.defaultText);
    });
    host_.Compute(true, true);
    emit InputsReplaced();
}

void InputsPage::MarkNonNumberInputs() {
    const NumberSettings& numbers = host_.Session().State.outputs.numbers;
    for (const DesignInput& input : kDesignInputs) {
        QLineEdit* field = c_.InputOf(input).edit;
        const bool mark = !IsNumberText(ToStdString(field->text()), numbers);
        if (field->property("notANumber").toBool() != mark) {
            field->setProperty("notANumber", mark);
            field->setStyleSheet(mark ? "QLineEdit { border: 2px solid red; }" : QString());
        }
        // The typical range follows the unit chosen, also after a load that set it quietly.
        const QComboBox* units = c_.InputOf(input).units;
        field->setToolTip(mark ? QString("*** ") + input.message
                               : TipInUnit(input, units->currentIndex(), units->currentText()));
    }
}

void InputsPage::Connect() {
    for (const DesignInput& input : kInputs) {
        const InputRow& row = c_.InputOf(input);
        connect(row.edit, &QLineEdit::textChanged, this, [this] { EditDispDiameterChange(); });
        connect(row.edit, &QLineEdit::editingFinished, this, [this] { FinishEdit(); });
        row.edit->installEventFilter(this);
        if (FormColumn(input).control != nullptr)  // a list of one fixed unit changes nothing
            connect(row.units, &QComboBox::activated, this, [this] {
                EditDispDiameterChange();
                FinishEdit();
            });
    }
    connect(c_.LeakCB, &QCheckBox::toggled, this, [this] {
        LeakCBClick();
        FinishEdit();
    });
    connect(c_.GravityCB, &QCheckBox::toggled, this, [this] { GravityCBClick(); });
    for (QComboBox* list : c_.OutputLists())
        connect(list, &QComboBox::activated, this, [this] { LengthOutputFormatRGClick(); });

    connect(c_.ComputeCycleCountEdit, &QLineEdit::textChanged, this,
            [this] { ComputeCycleCountEditChange(); });
    for (QLineEdit* edit : {c_.GraphCycleCountEdit, c_.MaxGraphCycleCountEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { GraphCycleCountEditChange(); });
    for (QLineEdit* edit :
         {c_.ComputeCycleCountEdit, c_.GraphCycleCountEdit, c_.MaxGraphCycleCountEdit})
        connect(edit, &QLineEdit::editingFinished, this, [this] { FinishEdit(); });
    connect(c_.EditChangeTimer, &QTimer::timeout, this, [this] { EditChangeTimerTimer(); });
}

// Enter in a field selects its text; entering the empty dead-space temperature fills it in.
bool InputsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            EditDispDiameterKeyDown(qobject_cast<QLineEdit*>(watched), 13);
    }
    if (watched == c_.InputOf(&ControlState::EditDeadSpaceTemp).edit &&
        event->type() == QEvent::FocusIn)
        EditDeadSpaceTempEnter();
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora
