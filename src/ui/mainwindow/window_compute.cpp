// The window's computations: each on a copy of the session, on a thread of its own, its results
// taken over on the window's thread when it has finished, all at once.
#include <QPointer>

#include "ui/mainwindow/compute_copy.h"
#include "ui/mainwindow/main_window.h"
#include "ui/tools/background_task.h"

namespace velmora {

void TForm1::BuildComputeTask() {
    computeTask_ = std::make_unique<BackgroundTask>();
    connect(computeTask_.get(), &BackgroundTask::Finished, this, [this] { ComputeEnded(); });
}

void TForm1::Compute(bool forceSimulation, bool refreshSecondGraph) {
    if (Loading()) return;
    // A request while a run is under way is served by one more run when it ends, with that
    // run's own arguments (the later request's are not kept). The run under way is not
    // wanted any more: it stops at its next cycle and its results are dropped. Around a study
    // nothing is stopped: the study starts from the results of the run before it, and its
    // own final run is a full computation.
    if (computeTask_->Running()) {
        computeAgain_ = true;
        if (!studying_) computeTask_->Cancel();
        return;
    }
    StartCompute(forceSimulation, refreshSecondGraph);
}

bool TForm1::ComputeRunning() const {
    return computeTask_->Running();
}

std::shared_ptr<ComputeCopy> TForm1::NewComputeCopy(const std::shared_ptr<WorkProgress>& progress) {
    QPointer<TForm1> form(this);
    auto copy = std::make_shared<ComputeCopy>(progress, [form, progress](bool busy) {
        QMetaObject::invokeMethod(
            form,
            [form, progress, busy] {
                // A run that was stopped meanwhile leaves the cursor to the run after it.
                if (form && !progress->Cancelled()) form->session_.SetBusyCursor(busy);
            },
            Qt::QueuedConnection);
    });
    copy->CopyStartOf(session_);
    copy->State = session_.Controls();
    return copy;
}

void TForm1::StartCompute(bool forceSimulation, bool refreshSecondGraph) {
    runKind_ = RunKind::Compute;
    computeArgs_ = {forceSimulation, refreshSecondGraph};
    // What a run does first touches the window, so it is done here: stop the animation, apply
    // the second-graph choice (which may recompute the power/speed curve from the results the
    // last run left).
    if (session_.IsAnimating()) session_.StopAnimation();
    if (refreshSecondGraph) session_.RefreshSecondGraph();

    auto progress = std::make_shared<WorkProgress>();
    auto copy = NewComputeCopy(progress);
    copy->PowerCurveShown = session_.IsPowerCurveShown();
    copy->SecondGraphRefreshed = true;
    computeRun_ = copy;
    computeTask_->Start(progress, [copy, forceSimulation, refreshSecondGraph] {
        copy->Compute(forceSimulation, refreshSecondGraph);
    });
}

void TForm1::ComputeEnded() {
    const bool wanted = !computeTask_->Cancelled() && computeTask_->Failure().isEmpty();
    session_.SetBusyCursor(false);
    if (runKind_ == RunKind::Study) {
        StudyEnded(wanted);
    } else if (wanted) {
        ApplyComputeCopy();
    }
    computeRun_.reset();
    if (computeAgain_) {
        computeAgain_ = false;
        StartCompute(computeArgs_.force, computeArgs_.refresh);
        return;
    }
    // A study asked for while a computation ran starts once the results it is to improve on
    // are in.
    if (studying_ && runKind_ == RunKind::Compute) StartStudy();
}

void TForm1::ApplyComputeCopy() {
    session_.TakeResultsOf(std::move(*computeRun_));
    ShowResults();
    DrawEngine(session_.ClickedFrame);
    emit ComputeApplied();
}

void TForm1::AfterNextCompute(const std::function<void()>& then) {
    connect(this, &TForm1::ComputeApplied, this, then, Qt::SingleShotConnection);
}

}  // namespace velmora
