#include "ui/pages/design/design_steps_page.h"

#include <QKeyEvent>
#include <optional>
#include <string>

#include "form/design_steps.h"
#include "model/scoped_flag.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/page_host.h"
#include "ui/mainwindow/window_controls.h"
#include "ui/mainwindow/window_session.h"

namespace velmora {

namespace {

using Proposal = std::optional<std::string> (*)(std::string_view, const OutputUnits&, double);

}  // namespace

DesignStepsPage::DesignStepsPage(WindowControls& controls, PageHost& host, QObject* parent)
    : QObject(parent), c_(controls), host_(host) {
    setObjectName("DesignStepsPage");
}

// The output units as the lists show them now, with the number settings of the session.
OutputUnits DesignStepsPage::CurrentOutputUnits() {
    ControlState state = host_.Session().State;
    ReadControls(c_, state);
    return state.outputs;
}

void DesignStepsPage::DesignSheetEnter() {
    WindowControls& c = c_;
    const DesignPage page =
        RefreshDesignPage(host_.Session().Driver.Params, CurrentOutputUnits(), Design);
    Design = page.members;

    c.lStep1Results->setText(ToQString(page.lStep1Results));
    c.lStep2Results->setText(ToQString(page.lStep2Results));
    c.lStep3Results->setText(ToQString(page.lStep3Results));
    c.lStep4Results->setText(ToQString(page.lStep4Results));
    c.lStep5Results->setText(ToQString(page.lStep5Results));
    c.lStep6Results->setText(ToQString(page.lStep6Results));
    for (QLabel* result : {c.lStep1Results, c.lStep2Results, c.lStep3Results, c.lStep4Results,
                           c.lStep5Results, c.lStep6Results})
        result->setToolTip(result->text());
    c.lDesignPistonDiamUnits->setText(ToQString(page.lDesignPistonDiamUnits));
    c.lDesignPistonStrokeUnits->setText(ToQString(page.lDesignPistonStrokeUnits));
    c.lDesignDispDiamUnits->setText(ToQString(page.lDesignDispDiamUnits));
    c.lDesignDispStrokeUnits->setText(ToQString(page.lDesignDispStrokeUnits));

    c.lStep1->setEnabled(true);
    c.lStep2->setEnabled(page.lStep2);
    c.lStep3->setEnabled(page.lStep3);
    c.lStep4->setEnabled(page.lStep4);
    for (QWidget* step5 : std::initializer_list<QWidget*>{
             c.lStep5, c.lStep5Diam, c.lStep5Stroke, c.EditStep5DispDiam, c.EditStep5DispStroke})
        step5->setEnabled(page.lStep5);
    c.lStep6->setEnabled(page.lStep6);
    c.lStep7->setEnabled(page.lStep7);
    // The result labels and UseRodDiamButton follow the ends of the texts before them through
    // the rows' layouts (16 pixels apart), so a new result moves the button along by itself.
}

namespace {

void Propose(bool& guard, QLineEdit* typed, QLineEdit* partner, const OutputUnits& units,
             double volume, Proposal proposal) {
    if (guard) return;
    const std::optional<std::string> text = proposal(ToStdString(typed->text()), units, volume);
    if (!text) return;
    ScopedFlag scope(guard);
    partner->setText(ToQString(*text));
}

}  // namespace

void DesignStepsPage::EditStep3PistonDiamChange() {
    Propose(PistonDesignGuard, c_.EditStep3PistonDiam, c_.EditStep3PistonStroke,
            CurrentOutputUnits(), Design.DesignPistonSweptVolume, ProposeFromTypedPistonDiam);
}

void DesignStepsPage::EditStep3PistonStrokeChange() {
    Propose(PistonDesignGuard, c_.EditStep3PistonStroke, c_.EditStep3PistonDiam,
            CurrentOutputUnits(), Design.DesignPistonSweptVolume, ProposeFromTypedPistonStroke);
}

void DesignStepsPage::EditStep5DispDiamChange() {
    Propose(DispDesignGuard, c_.EditStep5DispDiam, c_.EditStep5DispStroke, CurrentOutputUnits(),
            Design.DesignDispSweptVolume, ProposeFromTypedDispDiam);
}

void DesignStepsPage::EditStep5DispStrokeChange() {
    Propose(DispDesignGuard, c_.EditStep5DispStroke, c_.EditStep5DispDiam, CurrentOutputUnits(),
            Design.DesignDispSweptVolume, ProposeFromTypedDispStroke);
}

// The four fields of the design steps; each pair's guard keeps its partner's proposal quiet.
void DesignStepsPage::PutDesignFields(const ControlState& s) {
    {
        ScopedFlag guard(PistonDesignGuard);
        c_.EditStep3PistonDiam->setText(ToQString(s.EditStep3PistonDiam));
        c_.EditStep3PistonStroke->setText(ToQString(s.EditStep3PistonStroke));
    }
    ScopedFlag guard(DispDesignGuard);
    c_.EditStep5DispDiam->setText(ToQString(s.EditStep5DispDiam));
    c_.EditStep5DispStroke->setText(ToQString(s.EditStep5DispStroke));
}

// Each copied text is a text change of its input field and so restarts the change timer;
// setting a unit list's choice from here raises no event.
void DesignStepsPage::UsePistonDiamStrokeButtonClick() {
    host_.ChangeAsOneStep("Use piston Diam/Stroke", [this] {
        ControlState state = host_.Session().State;
        ReadControls(c_, state);
        UsePistonDiamStroke(state);
        PutInput(c_, state, *FindInput(&ControlState::EditPistonDiameter));
        PutInput(c_, state, *FindInput(&ControlState::EditPistonStroke));
    });
    DesignSheetEnter();
}

void DesignStepsPage::UseDispDiamStrokeButtonClick() {
    host_.ChangeAsOneStep("Use displacer Diam/Stroke", [this] {
        ControlState state = host_.Session().State;
        ReadControls(c_, state);
        UseDispDiamStroke(state);
        PutInput(c_, state, *FindInput(&ControlState::EditDispDiameter));
        PutInput(c_, state, *FindInput(&ControlState::EditDispStroke));
    });
    DesignSheetEnter();
}

void DesignStepsPage::UseRodDiamButtonClick() {
    host_.ChangeAsOneStep("Use Rod Diam", [this] {
        ControlState state = host_.Session().State;
        ReadControls(c_, state);
        UseRodDiam(state, Design.DesignRodDiameter);
        PutInput(c_, state, *FindInput(&ControlState::EditDispRodDiameter));
    });
    DesignSheetEnter();
}

// The design steps' fields and buttons start the handlers above.
void DesignStepsPage::Connect() {
    WindowControls& c = c_;
    connect(c.EditStep3PistonDiam, &QLineEdit::textChanged, this,
            [this] { EditStep3PistonDiamChange(); });
    connect(c.EditStep3PistonStroke, &QLineEdit::textChanged, this,
            [this] { EditStep3PistonStrokeChange(); });
    connect(c.EditStep5DispDiam, &QLineEdit::textChanged, this,
            [this] { EditStep5DispDiamChange(); });
    connect(c.EditStep5DispStroke, &QLineEdit::textChanged, this,
            [this] { EditStep5DispStrokeChange(); });
    connect(c.UsePistonDiamStrokeButton, &QPushButton::clicked, this,
            [this] { UsePistonDiamStrokeButtonClick(); });
    connect(c.UseDispDiamStrokeButton, &QPushButton::clicked, this,
            [this] { UseDispDiamStrokeButtonClick(); });
    connect(c.UseRodDiamButton, &QPushButton::clicked, this, [this] { UseRodDiamButtonClick(); });
    // Enter selects a field's text, as in the input fields.
    for (QLineEdit* edit : {c.EditStep3PistonDiam, c.EditStep3PistonStroke, c.EditStep5DispDiam,
                            c.EditStep5DispStroke})
        edit->installEventFilter(this);
}

bool DesignStepsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) field->selectAll();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora
