#pragma once

#include "export/recording_session.h"

namespace velmora {

class TForm1;

// The engine session as the window runs it: the controls are read from the widgets, and the
// hooks that touch the screen (animation, second graph, cursor, engine drawing) go to the
// window. It records each run's steps for the exports.
class WindowSession : public RecordingSession {
  public:
    explicit WindowSession(TForm1& form) : form_(form) {}

    const ControlState& Controls() override;
    bool IsAnimating() const override;
    void StopAnimation() override;
    void RefreshSecondGraph() override;
    void DrawEngineAtClickedFrame() override;
    bool IsPowerCurveShown() const override;
    void SetBusyCursor(bool busy) override;

    // The session's own second-graph refresh (recomputes the power/speed curve when chosen).
    void RecomputeSecondGraph() { EngineSession::RefreshSecondGraph(); }

  private:
    TForm1& form_;
    bool busyCursor_ = false;
};

}  // namespace velmora
