#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "designspace/background_work.h"
#include "export/recording_session.h"

namespace velmora {

// A copy of the window's session that one computation (or one sensitivity study) runs on, on a
// thread of its own: the controls as they were when the run was asked for, the parameter set
// and the results it starts from. The window takes its results over when it has finished and
// is still wanted; the copy touches nothing of the window meanwhile.
class ComputeCopy final : public RecordingSession {
  public:
    // `busyCursor` is called on the run's thread; it hands the request to the window's.
    ComputeCopy(std::shared_ptr<WorkProgress> progress, std::function<void(bool)> busyCursor)
        : progress_(std::move(progress)), busyCursor_(std::move(busyCursor)) {}

    // Whether the power/speed chart is shown for the simulation's end (the window's chart as
    // the run started; the study decides per run).
    bool PowerCurveShown = false;
    // The window applied the second-graph choice itself as the run started.
    bool SecondGraphRefreshed = false;

    bool IsPowerCurveShown() const override { return PowerCurveShown; }
    void SetBusyCursor(bool busy) override { busyCursor_(busy); }
    // A newer request stops an older run here; the driver catches the throw and the window
    // drops what the run had written.
    void CycleEnded() override {
        if (progress_->Cancelled()) throw Stopped{};
    }
    void RefreshSecondGraph() override {
        if (!SecondGraphRefreshed) EngineSession::RefreshSecondGraph();
    }

  private:
    struct Stopped {};

    std::shared_ptr<WorkProgress> progress_;
    std::function<void(bool)> busyCursor_;
};

}  // namespace velmora
