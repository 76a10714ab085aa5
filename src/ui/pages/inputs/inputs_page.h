#pragma once

#include <QObject>

class QLineEdit;

namespace velmora {

class PageHost;
struct WindowControls;

// The Design Parameters page's handlers: how edits turn into computations (the change timer,
// the immediate recomputations, the pressure-equalization caution), the field conveniences,
// the marks on fields that hold no number, and Clear Parameters. The cycle-count fields of the
// Graphs page feed the same change timer, so their handlers live here too.
class InputsPage : public QObject {
    Q_OBJECT
  public:
    InputsPage(WindowControls& controls, PageHost& host, QObject* parent);

    // Wires the page's fields, lists, check boxes and the change timer to the handlers below.
    void Connect();

    // The change timer fires this long after the last edit (500 ms; tests shorten it).
    void SetEditDelay(int milliseconds) { editDelayMs_ = milliseconds; }
    void RestartChangeTimer();
    void EditDispDiameterChange();
    void GraphCycleCountEditChange();
    void ComputeCycleCountEditChange();
    void LeakCBClick();
    void EditChangeTimerTimer();
    // Tab, Enter, leaving a field or a choice from a list ends an edit: the computation the
    // typing delay holds back starts at once. The delay stays for typing only.
    void FinishEdit();
    void LengthOutputFormatRGClick();
    void GravityCBClick();
    void EditDispDiameterKeyDown(QLineEdit* field, int key);
    void EditDeadSpaceTempEnter();
    void ClearParameters1Click();
    // Fields whose text is not a number (the report lists them as "*** ... not defined!") get
    // a red frame, with that line as their tooltip until the text becomes a number.
    void MarkNonNumberInputs();

  signals:
    // Clear Parameters put new texts in every field and recomputed.
    void InputsReplaced();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Loading() const;

    WindowControls& c_;
    PageHost& host_;
    int editDelayMs_ = 500;
};

}  // namespace velmora
