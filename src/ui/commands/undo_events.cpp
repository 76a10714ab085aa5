// Undo and redo of the inputs: a burst of edits becomes one step when it ends (half a second
// without a further edit, or the next command); Load, Clear, each Use button and every
// programmatic change from another window are one step each.
#include <QKeyEvent>
#include <QMenuBar>

#include "model/scoped_flag.h"
#include "ui/commands/input_steps.h"
#include "ui/mainwindow/control_help.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/pages/design/design_steps_page.h"
#include "ui/pages/inputs/inputs_page.h"

namespace velmora {

namespace {

constexpr int kBurstEndMs = 500;

}  // namespace

void TForm1::BuildEditMenu() {
    undo_ = new QUndoStack(this);
    undo_->setObjectName("UndoStack");
    stepTimer_ = new QTimer(this);
    stepTimer_->setObjectName("StepTimer");
    stepTimer_->setSingleShot(true);
    stepTimer_->setInterval(kBurstEndMs);

    ui_.Edit1 = new QMenu("&Edit", this);
    ui_.Edit1->setObjectName("Edit1");
    menuBar()->insertMenu(ui_.BugList1, ui_.Edit1);
    ui_.Undo1 = ui_.Edit1->addAction("&Undo");
    ui_.Undo1->setObjectName("Undo1");
    ui_.Undo1->setShortcut(QKeySequence::Undo);
    ui_.Redo1 = ui_.Edit1->addAction("&Redo");
    ui_.Redo1->setObjectName("Redo1");
    ui_.Redo1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    ui_.Undo1->setEnabled(false);
    ui_.Redo1->setEnabled(false);
}

void TForm1::ConnectInputSteps() {
    connect(stepTimer_, &QTimer::timeout, this, [this] { CommitInputStep(pendingStepText_); });
    connect(ui_.Undo1, &QAction::triggered, this, [this] {
        FlushPendingStep();
        undo_->undo();
    });
    connect(ui_.Redo1, &QAction::triggered, this, [this] {
        FlushPendingStep();
        undo_->redo();
    });
    auto captions = [this] {
        ui_.Undo1->setEnabled(undo_->canUndo() || stepTimer_->isActive());
        ui_.Redo1->setEnabled(undo_->canRedo());
        ui_.Undo1->setText(undo_->canUndo() ? "&Undo " + undo_->undoText() : "&Undo");
        ui_.Redo1->setText(undo_->canRedo() ? "&Redo " + undo_->redoText() : "&Redo");
    };
    connect(undo_, &QUndoStack::indexChanged, this, captions);
    connect(undo_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });

    for (const InputRow& row : ui_.InputRows()) {
        QLineEdit* edit = row.edit;
        edit->installEventFilter(this);  // for LeaveUndoKeysToSteps
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            inputsPage_->MarkNonNumberInputs();
            NoteInputEdit(edit);
        });
        QComboBox* units = row.units;
        connect(units, &QComboBox::activated, this, [this, units] { NoteInputEdit(units); });
    }
    for (QLineEdit* edit : {ui_.EditStep3PistonDiam, ui_.EditStep3PistonStroke,
                            ui_.EditStep5DispDiam, ui_.EditStep5DispStroke}) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { NoteInputEdit(edit); });
        edit->installEventFilter(this);
    }
    connect(ui_.LeakCB, &QCheckBox::toggled, this, [this] { NoteInputEdit(ui_.LeakCB); });
}

void TForm1::NoteInputEdit(QWidget* field) {
    if (Loading() || applyingStep_ || quietEdits_) return;
    setWindowModified(true);
    // An edit of another control ends the burst before it, without this edit.
    if (stepTimer_->isActive() && stepControl_ != field)
        PushInputStep(pendingStepText_, pendingInputs_);
    stepControl_ = field;
    pendingStepText_ = StepTextFor(field->objectName());
    pendingInputs_ = CurrentInputs();
    stepTimer_->start();
    ui_.Undo1->setEnabled(true);
}

void TForm1::FlushPendingStep() {
    if (stepTimer_->isActive()) CommitInputStep(pendingStepText_);
}

ControlState TForm1::CurrentInputs() const {
    ControlState now = committedInputs_;
    ReadControls(ui_, now);
    now.Integration = session_.State.Integration;
    now.lossTexts = session_.State.lossTexts;
    return now;
}

void TForm1::CommitInputStep(const QString& text) {
    if (Loading() || applyingStep_) return;
    PushInputStep(text, CurrentInputs());
}

void TForm1::PushInputStep(const QString& text, const ControlState& now) {
    stepTimer_->stop();
    if (SameInputs(now, committedInputs_)) {
        setWindowModified(!undo_->isClean());
        return;
    }
    undo_->push(new InputStep(text, committedInputs_, now,
                              [this](const ControlState& inputs) { ApplyStepInputs(inputs); }));
    committedInputs_ = now;
}

void TForm1::ChangeAsOneStep(const QString& stepText, const std::function<void()>& change) {
    FlushPendingStep();
    {
        ScopedFlag quiet(quietEdits_);
        if (change) change();
    }
    CommitInputStep(stepText);
}

void TForm1::ApplyInputsAsOneStep(const ControlState& inputs, const QString& stepText) {
    FlushPendingStep();
    const ControlState now = CurrentInputs();
    {
        ScopedFlag quiet(quietEdits_);
        PutInputsInWidgets(WithInputsOf(now, inputs));
    }
    CommitInputStep(stepText);
    ui_.EditChangeTimer->stop();
    Compute(true, true);
    AfterNextCompute([this] {
        if (ui_.PageControl1->currentWidget() == ui_.DesignSheet) DesignSheetEnter();
    });
}

// Undo and redo: the widgets take the step's inputs quietly, then one recomputation follows.
void TForm1::ApplyStepInputs(const ControlState& inputs) {
    {
        ScopedFlag applying(applyingStep_);
        PutInputsInWidgets(inputs);
        committedInputs_ = inputs;
    }
    ui_.EditChangeTimer->stop();  // this run computes whatever the timer would have
    Compute(true, true);
    AfterNextCompute([this] {
        if (ui_.PageControl1->currentWidget() == ui_.DesignSheet) DesignSheetEnter();
    });
}

// The change handlers stay quiet (Loading), so putting the inputs starts no timer and no step.
void TForm1::PutInputsInWidgets(const ControlState& s) {
    ScopedFlag loading(session_.Driver.Loading);
    WindowControls& c = ui_;
    PutInputs(c, s);
    c.LeakCB->setChecked(s.LeakCB);
    c.GravityCB->setChecked(s.GravityCB);
    PutOutputUnits(c, s.outputs);
    designPage_->PutDesignFields(s);
    session_.State.Integration = s.Integration;
    session_.State.lossTexts = s.lossTexts;
}

void TForm1::SetCaption(const QString& caption) {
    setWindowTitle(caption + "[*]");
    ShowQuickSave();
}

QString TForm1::Caption() const {
    QString title = windowTitle();
    return title.remove("[*]");
}

// Ctrl+Z and Ctrl+Shift+Z undo whole input steps, also inside a field (which would otherwise
// take them for its own undo of single keys). True when the event is taken.
bool TForm1::LeaveUndoKeysToSteps(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !qobject_cast<QLineEdit*>(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo) &&
        key->keyCombination() != QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z))
        return false;
    event->ignore();
    return true;
}

}  // namespace velmora
