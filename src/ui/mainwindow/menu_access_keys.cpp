#include "ui/mainwindow/menu_access_keys.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace velmora {

namespace {

// Menu bar: Files, Bug List and Help have none, &Edit, &Tools and &Quit. Files: &Load, &Save,
// Save &to, Recent &Files, &Export, &Print. Edit: &Undo, &Redo. Tools: the four below, User
// &Guide, &Hold and &Release.
struct AccessKeyCaption {
    const char* objectName;
    const char* caption;
};
constexpr AccessKeyCaption kAccessKeyCaptions[] = {
    {"Tools1", "&Tools"},
    {"DesignSpace1", "&Design Space..."},
    {"Optimize1", "&Optimize..."},
    {"EnergyAndPower1", "&Energy and Power..."},
    {"LossInputs1", "&Losses, Gas and Load..."},
};

}  // namespace

void AssignMenuAccessKeys(QWidget* window) {
    for (const AccessKeyCaption& entry : kAccessKeyCaptions) {
        if (auto* menu = window->findChild<QMenu*>(entry.objectName))
            menu->setTitle(entry.caption);
        else if (auto* action = window->findChild<QAction*>(entry.objectName))
            action->setText(entry.caption);
    }
}

}  // namespace velmora
