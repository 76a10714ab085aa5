// The "Increase Schmidt Power" study run on the window's own input fields.
#include <QTimer>

#include "model/scoped_flag.h"
#include "simulation/sensitivity_study.h"
#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"

namespace velmora {

namespace {

// The study's view of the window. Trial texts go into the real fields, so each one restarts
// the change timer as typing would, and the study stops it again.
class WindowStudyTarget : public StudyTarget {
  public:
    WindowStudyTarget(TForm1& form, WindowSession& session, WindowControls& controls)
        : form_(form), session_(session), c_(controls) {}

    std::string FieldText(const StudyInput& input) override {
        QLineEdit* field = Field(input);
        return field != nullptr ? ToStdString(field->text()) : std::string();
    }
    void SetFieldText(const StudyInput& input, const std::string& text) override {
        if (QLineEdit* field = Field(input)) field->setText(ToQString(text));
    }
    void StopChangeTimer() override { c_.EditChangeTimer->stop(); }
    void Compute(bool forceSimulation, bool refreshSecondGraph) override {
        // The trials run with the report panes and charts hidden and the final run replaces
        // every result, so only that one is copied into the widgets.
        if (refreshSecondGraph)
            form_.Compute(forceSimulation, refreshSecondGraph);
        else
            session_.Compute(forceSimulation, refreshSecondGraph);
    }
    double SchmidtPower() override { return session_.Driver.Params.SchmidtPower; }
    OutputUnits Units() override {
        ControlState state = session_.State;
        ReadControls(c_, state);
        return state.outputs;
    }
    void ClearMemo3() override { c_.Memo3->clear(); }
    void AppendMemo3(const std::string& line) override {
        c_.Memo3->appendPlainText(ToQString(line));
    }
    void SetSuggesting(const std::string& caption) override {
        c_.lSuggesting->setText(ToQString(caption));
    }

  private:
    QLineEdit* Field(const StudyInput& input) {
        return c_.InputSheet->findChild<QLineEdit*>(QString::fromLatin1(input.controlName));
    }

    TForm1& form_;
    WindowSession& session_;
    WindowControls& c_;
};

}  // namespace

void TForm1::IncreaseSchmidtPowerButtonClick() {
    // A click that arrives through the events processed inside a trial would take the trial
    // texts for the former ones.
    if (Study.Running()) return;
    // A click that arrives while a computation lets events run would find every trial turned
    // into a pending run and list no gains at all; it waits for that computation to end.
    if (session_.Driver.ComputeBusy) {
        QTimer::singleShot(10, this, [this] { IncreaseSchmidtPowerButtonClick(); });
        return;
    }
    WindowControls& c = ui_;
    QWidget* const hidden[] = {c.Memo1, c.Memo2, c.MainChart, c.MainChartA, c.PVChart, c.Chart3};
    for (QWidget* widget : hidden) widget->hide();
    c.IncreaseSchmidtPowerButton->setEnabled(false);

    // The trials are no edits of the user's: the study restores every input when it ends.
    FlushPendingStep();
    WindowStudyTarget target(*this, session_, c);
    {
        ScopedFlag applying(applyingStep_);
        Study.Run(target);
    }

    QWidget* const shownAgain[] = {c.Memo1, c.Memo2, c.MainChart, c.MainChartA};
    for (QWidget* widget : shownAgain) widget->show();
    ShowGraph2RGClick();
    c.IncreaseSchmidtPowerButton->setEnabled(true);
}

}  // namespace velmora
