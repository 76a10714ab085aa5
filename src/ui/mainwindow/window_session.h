#pragma once

#include "export/recording_session.h"

namespace velmora {

class TForm1;

// The engine session as the window holds it: the controls are read from the widgets, and the
// hooks that touch the screen (animation, second graph, cursor) go to the window. Its driver
// never runs here: each computation runs on a copy (ComputeCopy) whose results, with the
// steps recorded for the exports, the window takes over.
class WindowSession : public RecordingSession {
  public:
    explicit WindowSession(TForm1& form) : form_(form) {}

    const ControlState& Controls() override;
    bool IsAnimating() const override;
    void StopAnimation() override;
    void RefreshSecondGraph() override;
    bool IsPowerCurveShown() const override;
    void SetBusyCursor(bool busy) override;

    // The session's own second-graph refresh (recomputes the power/speed curve when chosen).
    void RecomputeSecondGraph() { EngineSession::RefreshSecondGraph(); }

  private:
    TForm1& form_;
    bool busyCursor_ = false;
};

}  // namespace velmora
