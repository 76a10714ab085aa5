#include "ui/tools/background_task.h"

#include <QTimer>

namespace velmora {

BackgroundTask::BackgroundTask(QObject* parent) : QObject(parent) {
    poll_ = new QTimer(this);
    poll_->setInterval(100);
    connect(poll_, &QTimer::timeout, this, &BackgroundTask::Poll);
}

BackgroundTask::~BackgroundTask() {
    Cancel();
    thread_.Join();
}

bool BackgroundTask::Start(std::shared_ptr<WorkProgress> progress, std::function<void()> work) {
    if (running_ || !progress) return false;
    thread_.Join();  // earlier work has finished; its thread is reaped here
    progress_ = std::move(progress);
    running_ = true;
    // A thread the system refuses ends at once, with the reason as its failure. The end is
    // seen at once, not at the next tick of the progress timer.
    thread_.Start(std::move(work), [this] {
        QMetaObject::invokeMethod(this, &BackgroundTask::Poll, Qt::QueuedConnection);
    });
    poll_->start();
    return true;
}

void BackgroundTask::Cancel() {
    if (progress_) progress_->Cancel();
}

void BackgroundTask::Poll() {
    if (!running_) return;
    const bool finished = thread_.Finished();
    if (finished) {
        thread_.Join();
        poll_->stop();
    }
    emit Progressed(Done(), Total());
    if (!finished) return;
    running_ = false;
    emit Finished();
}

}  // namespace velmora
