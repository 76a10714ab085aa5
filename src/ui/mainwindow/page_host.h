#pragma once

#include <QString>
#include <functional>

namespace velmora {

class WindowSession;

// What a page may ask of the window that assembles it: the engine session, a recomputation,
// a message box and one undoable step. A page sees nothing else of the window, so its handlers
// can be read (and changed) without the rest of the window in mind.
class PageHost {
  public:
    virtual WindowSession& Session() = 0;
    // One run of the compute driver on a thread of its own; the widgets show its results when
    // it has finished (a newer request replaces a run still under way).
    virtual void Compute(bool forceSimulation, bool refreshSecondGraph) = 0;
    // Copies the session's reports, labels and charts into the widgets.
    virtual void ShowResults() = 0;
    virtual void ShowMessage(const QString& text) = 0;
    // Width of the window's frame (the second graphs take half of it).
    virtual int FrameWidth() const = 0;
    // Ends the burst of edits in progress, runs `change` with the edit notes quiet and records
    // what it changed as one undo step named `stepText`.
    virtual void ChangeAsOneStep(const QString& stepText, const std::function<void()>& change) = 0;
    // Ends the burst of edits in progress as its own undo step (Enter or Tab finished it).
    virtual void EndEditBurst() = 0;

  protected:
    ~PageHost() = default;
};

}  // namespace velmora
