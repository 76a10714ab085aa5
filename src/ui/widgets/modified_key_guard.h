#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace velmora {

// Keeps Ctrl, Alt and Meta combinations that are no shortcut from changing an input field: a
// line edit would type Alt+F as "f" and a unit list would jump to the item starting with "f".
// Shortcuts never arrive here (the shortcut map takes them first), and the editing keys of a
// field (paste, cut, word moves, select all) keep working.
class ModifiedKeyGuard : public QObject {
    Q_OBJECT
  public:
    explicit ModifiedKeyGuard(QObject* parent) : QObject(parent) {}

    // Guards every line edit and list under `root` that exists now.
    void GuardFieldsUnder(QWidget* root);
    // Guards every field, list, spin box and table of the top-level `window`, also those made
    // later (a table cell's editor).
    void GuardWindow(QWidget* window);
    // True when `key`, sent to `field`, would change the field's value although the key is a
    // combination with Ctrl, Alt or Meta.
    static bool WouldChangeValue(const QObject* field, const QKeyEvent& key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_ = nullptr;  // the guard is the window's child: never outlives it
};

}  // namespace velmora
