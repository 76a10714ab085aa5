// The "Increase Schmidt Power" study, run on a copy of the window's inputs on a thread of its
// own, as a computation runs.
#include <QPointer>

#include "simulation/sensitivity_study.h"
#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/compute_copy.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/background_task.h"

namespace velmora {

namespace {

// The study's view of the copy: trial texts go into the copy's fields, never the window's, so
// the user's fields and undo steps stay as they are. Memo3 and lSuggesting are the window's:
// what the study writes is handed to its thread as it happens.
class CopyStudyTarget final : public SessionStudyTarget {
  public:
    CopyStudyTarget(ComputeCopy& copy, TForm1& form) : SessionStudyTarget(copy), copy_(copy) {
        form_ = &form;
    }

    void Compute(bool forceSimulation, bool refreshSecondGraph) override {
        // The trials run with the charts hidden; the final run (the only one refreshing the
        // second graph) shows them again, the power/speed chart when it is chosen.
        copy_.PowerCurveShown = refreshSecondGraph && ShowsPowerCurve(copy_.State.ShowGraph2RG);
        SessionStudyTarget::Compute(forceSimulation, refreshSecondGraph);
    }
    void ClearMemo3() override {
        OnWindow([](WindowControls& c) { c.Memo3->clear(); });
    }
    void AppendMemo3(const std::string& line) override {
        OnWindow([text = ToQString(line)](WindowControls& c) { c.Memo3->appendPlainText(text); });
    }
    void SetSuggesting(const std::string& caption) override {
        OnWindow([text = ToQString(caption)](WindowControls& c) { c.lSuggesting->setText(text); });
    }

  private:
    template <class Change>
    void OnWindow(Change change) {
        QPointer<TForm1> form = form_;
        QMetaObject::invokeMethod(
            form_,
            [form, change] {
                if (form) change(form->Ui());
            },
            Qt::QueuedConnection);
    }

    ComputeCopy& copy_;
    TForm1* form_ = nullptr;
};

}  // namespace

void TForm1::IncreaseSchmidtPowerButtonClick() {
    // The button is disabled while a study runs; a click queued before that finds it running.
    if (studying_) return;
    studying_ = true;
    WindowControls& c = ui_;
    QWidget* const hidden[] = {c.Memo1, c.Memo2, c.MainChart, c.MainChartA, c.PVChart, c.Chart3};
    for (QWidget* widget : hidden) widget->hide();
    c.IncreaseSchmidtPowerButton->setEnabled(false);
    FlushPendingStep();
    if (session_.IsAnimating()) session_.StopAnimation();

    // The study improves on the results of the inputs as they are: a computation under way
    // ends first (ComputeEnded starts the study then).
    if (computeTask_->Running()) return;
    StartStudy();
}

void TForm1::StartStudy() {
    runKind_ = RunKind::Study;
    // Requests during the study are served by one full run after it, as its own final one.
    computeArgs_ = {true, true};
    auto progress = std::make_shared<WorkProgress>();
    auto copy = NewComputeCopy(progress);
    auto target = std::make_shared<CopyStudyTarget>(*copy, *this);
    computeRun_ = copy;
    computeTask_->Start(progress, [copy, target] {
        SensitivityStudy study;
        study.Run(*target);
    });
}

void TForm1::StudyEnded(bool completed) {
    studying_ = false;
    WindowControls& c = ui_;
    QWidget* const shownAgain[] = {c.Memo1, c.Memo2, c.MainChart, c.MainChartA};
    for (QWidget* widget : shownAgain) widget->show();
    if (completed) {
        ApplyComputeCopy();
    } else if (!destroyed_) {
        // The copy holds some trial's results: a full run from the window's inputs replaces them.
        computeAgain_ = true;
    }
    ShowGraph2RGClick();
    c.IncreaseSchmidtPowerButton->setEnabled(true);
}

}  // namespace velmora
