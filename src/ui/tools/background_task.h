#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "designspace/background_work.h"

class QTimer;

namespace velmora {

// A run on a thread of its own, watched from the window: the one way the tool windows run
// their work, and the main window its computations. Progressed reports the run's progress
// every tenth of a second while it runs; Finished comes once, as soon as the work has ended (done,
// cancelled or failed: Failure() says why it failed, as a message, where an escaping exception
// would have ended the program). Destroying the task cancels the work and waits for it.
class BackgroundTask : public QObject {
    Q_OBJECT
  public:
    explicit BackgroundTask(QObject* parent = nullptr);
    ~BackgroundTask() override;

    // Starts `work`, which reports to and obeys `progress` (kept alive while it runs); false
    // while earlier work runs.
    bool Start(std::shared_ptr<WorkProgress> progress, std::function<void()> work);
    void Cancel();
    // Cancel was called for the work started last.
    bool Cancelled() const { return progress_ && progress_->Cancelled(); }
    // From Start until Finished is emitted.
    bool Running() const { return running_; }
    std::size_t Done() const { return progress_ ? progress_->Done() : 0; }
    std::size_t Total() const { return progress_ ? progress_->Total() : 0; }
    // Why the last work ended early, empty when it did not fail.
    QString Failure() const { return QString::fromStdString(thread_.Failure()); }

  signals:
    void Progressed(qulonglong done, qulonglong total);
    void Finished();

  private:
    void Poll();

    BackgroundThread thread_;
    std::shared_ptr<WorkProgress> progress_;
    QTimer* poll_ = nullptr;
    bool running_ = false;
};

}  // namespace velmora
