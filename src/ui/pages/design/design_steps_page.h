#pragma once

#include <QObject>

#include "form/design_steps.h"

namespace velmora {

class PageHost;
struct ControlState;
struct OutputUnits;
struct WindowControls;

// The Design it Yourself page's handlers: the page refresh, the diameter/stroke proposals and
// the three operations that copy design values into the inputs.
class DesignStepsPage : public QObject {
    Q_OBJECT
  public:
    DesignStepsPage(WindowControls& controls, PageHost& host, QObject* parent);

    // Wires the design steps' fields and Use buttons to the handlers below.
    void Connect();

    void DesignSheetEnter();
    void EditStep3PistonDiamChange();
    void EditStep3PistonStrokeChange();
    void EditStep5DispDiamChange();
    void EditStep5DispStrokeChange();
    void UsePistonDiamStrokeButtonClick();
    void UseDispDiamStrokeButtonClick();
    void UseRodDiamButtonClick();
    // Puts the four design fields of a state, keeping each pair's proposals quiet.
    void PutDesignFields(const ControlState& state);

    // The page's results, kept between refreshes.
    DesignMembers Design;
    // Raised while a field of the pair is written from here, so its partner proposes nothing.
    bool PistonDesignGuard = false;
    bool DispDesignGuard = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The output units as the lists show them now, with the number settings of the session.
    OutputUnits CurrentOutputUnits();

    WindowControls& c_;
    PageHost& host_;
};

}  // namespace velmora
