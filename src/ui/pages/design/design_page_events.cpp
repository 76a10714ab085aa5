// Handlers of the Design it Yourself page: the page refresh, the diameter/stroke proposals
// and the three operations that copy design values into the inputs.
#include <optional>
#include <string>

#include "model/design_steps.h"
#include "model/scoped_flag.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

namespace {

using Proposal = std::optional<std::string> (*)(std::string_view, const OutputUnits&, double);

}  // namespace

// The output units as the lists show them now, with the number settings of the session.
OutputUnits TForm1::CurrentOutputUnits() {
    ControlState state = session_.State;
    ReadControls(ui_, state);
    return state.outputs;
}

void TForm1::DesignSheetEnter() {
    WindowControls& c = ui_;
    const DesignPage page = RefreshDesignPage(session_.Driver.Params, CurrentOutputUnits(), Design);
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

void TForm1::EditStep3PistonDiamChange() {
    Propose(PistonDesignGuard, ui_.EditStep3PistonDiam, ui_.EditStep3PistonStroke,
            CurrentOutputUnits(), Design.DesignPistonSweptVolume, ProposeFromTypedPistonDiam);
}

void TForm1::EditStep3PistonStrokeChange() {
    Propose(PistonDesignGuard, ui_.EditStep3PistonStroke, ui_.EditStep3PistonDiam,
            CurrentOutputUnits(), Design.DesignPistonSweptVolume, ProposeFromTypedPistonStroke);
}

void TForm1::EditStep5DispDiamChange() {
    Propose(DispDesignGuard, ui_.EditStep5DispDiam, ui_.EditStep5DispStroke, CurrentOutputUnits(),
            Design.DesignDispSweptVolume, ProposeFromTypedDispDiam);
}

void TForm1::EditStep5DispStrokeChange() {
    Propose(DispDesignGuard, ui_.EditStep5DispStroke, ui_.EditStep5DispDiam, CurrentOutputUnits(),
            Design.DesignDispSweptVolume, ProposeFromTypedDispStroke);
}

// The four fields of the design steps; each pair's guard keeps its partner's proposal quiet.
void TForm1::PutDesignFields(const ControlState& s) {
    {
        ScopedFlag guard(PistonDesignGuard);
        ui_.EditStep3PistonDiam->setText(ToQString(s.EditStep3PistonDiam));
        ui_.EditStep3PistonStroke->setText(ToQString(s.EditStep3PistonStroke));
    }
    ScopedFlag guard(DispDesignGuard);
    ui_.EditStep5DispDiam->setText(ToQString(s.EditStep5DispDiam));
    ui_.EditStep5DispStroke->setText(ToQString(s.EditStep5DispStroke));
}

// Each copied text is a text change of its input field and so restarts the change timer;
// setting a unit list's choice from here raises no event.
void TForm1::UsePistonDiamStrokeButtonClick() {
    FlushPendingStep();
    {
        ScopedFlag quiet(quietEdits_);
        ControlState state = session_.State;
        ReadControls(ui_, state);
        UsePistonDiamStroke(state);
        PutInput(ui_, state, *FindInput(&ControlState::EditPistonDiameter));
        PutInput(ui_, state, *FindInput(&ControlState::EditPistonStroke));
    }
    CommitInputStep("Use piston Diam/Stroke");
    DesignSheetEnter();
}

void TForm1::UseDispDiamStrokeButtonClick() {
    FlushPendingStep();
    {
        ScopedFlag quiet(quietEdits_);
        ControlState state = session_.State;
        ReadControls(ui_, state);
        UseDispDiamStroke(state);
        PutInput(ui_, state, *FindInput(&ControlState::EditDispDiameter));
        PutInput(ui_, state, *FindInput(&ControlState::EditDispStroke));
    }
    CommitInputStep("Use displacer Diam/Stroke");
    DesignSheetEnter();
}

void TForm1::UseRodDiamButtonClick() {
    FlushPendingStep();
    {
        ScopedFlag quiet(quietEdits_);
        ControlState state = session_.State;
        ReadControls(ui_, state);
        UseRodDiam(state, Design.DesignRodDiameter);
        PutInput(ui_, state, *FindInput(&ControlState::EditDispRodDiameter));
    }
    CommitInputStep("Use Rod Diam");
    DesignSheetEnter();
}

// The design steps' fields and buttons start the handlers above.
void TForm1::ConnectDesignPage() {
    WindowControls& c = ui_;
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
    connect(c.IncreaseSchmidtPowerButton, &QPushButton::clicked, this,
            [this] { IncreaseSchmidtPowerButtonClick(); });
}

}  // namespace velmora
