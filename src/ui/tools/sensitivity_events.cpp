// The "Increase Schmidt Power" study, run on a copy of the window's inputs on a thread of its
// own, as a computation runs.
#include <QPointer>
#include <QSignalBlocker>

#include "session/sensitivity_study.h"
#include "ui/charts/chart_panel.h"
#include "ui/mainwindow/compute_copy.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/background_task.h"

namespace velmora {

namespace {

// The study's view of the copy: the trials compute from the copy's fields. The window's field
// shows each trial's text as it is computed, quietly (no edit timer, no undo step), and gets its
// former text back after the field's trials. Memo3 and lSuggesting are the window's too: what
// the study writes is handed to the window's thread as it happens.
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
    void SetFieldText(const StudyInput& input, const std::string& text) override {
        SessionStudyTarget::SetFieldText(input, text);
        QPointer<TForm1> form = form_;
        QMetaObject::invokeMethod(
            form_,
            [form, field = input.field, text = ToQString(text)] {
                if (form) form->ShowStudyText(form->Ui().InputOf(field).edit, text);
            },
            Qt::QueuedConnection);
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

void TForm1::ShowStudyText(QLineEdit* field, const QString& text) {
    if (!studying_) return;  // a trial's text arriving after the study has ended
    auto former = studyFormerTexts_.find(field);
    if (former == studyFormerTexts_.end())
        studyFormerTexts_.emplace(field, field->text());
    else if (former->second == text)
        studyFormerTexts_.erase(former);
    {
        const QSignalBlocker quiet(field);
        field->setText(text);
        field->setCursorPosition(0);
    }
    emit StudyFieldShown(field, text);
}

void TForm1::StudyEnded(bool completed) {
    for (const auto& [field, text] : studyFormerTexts_) {
        const QSignalBlocker quiet(field);
        field->setText(text);
        field->setCursorPosition(0);
    }
    studyFormerTexts_.clear();
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
