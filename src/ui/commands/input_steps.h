#pragma once

#include <QString>
#include <QUndoCommand>
#include <functional>

#include "form/control_state.h"

namespace velmora {

// The part of the controls that an undo step restores: the Design Parameters page's fifteen
// texts with their units, the seven output units, the two check boxes, the four design
// fields, the integration model and the loss, gas and load keys. Graph choices, cycle counts,
// window bounds and pages are not inputs of the engine.
bool SameInputs(const ControlState& a, const ControlState& b);
// `to` with the input part of `from`; everything else of `to` stays.
ControlState WithInputsOf(const ControlState& to, const ControlState& from);

// One finished change of the inputs as a before/after copy. The change is already in the
// widgets when the step is pushed, so its first redo does nothing.
class InputStep : public QUndoCommand {
  public:
    using Apply = std::function<void(const ControlState&)>;
    InputStep(const QString& text, ControlState before, ControlState after, Apply apply);

    void undo() override;
    void redo() override;

  private:
    ControlState before_;
    ControlState after_;
    Apply apply_;
    bool done_ = true;
};

}  // namespace velmora
