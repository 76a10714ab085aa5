#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace velmora {

// The menu bar's Tools menu, made on first use: every tool adds its entries to the one menu.
QMenu* ToolsMenu(QMenuBar* bar);

// What every tool window gets once made: Ctrl, Alt and Meta combinations that are no shortcut
// never change its fields, as in the main window, and its controls get access keys.
void PrepareToolWindow(QWidget* window);

// Adds Tools > `caption` (object name `actionName`), which opens the one `Window` of `owner`
// (object name `windowName`), making it on first use and bringing it to the front; `reopened`
// runs when it already existed.
template <class Window, class Owner, class Reopened>
QAction* AddToolWindowAction(Owner& owner, QMenuBar* bar, const QString& caption,
                             const QString& actionName, const QString& windowName,
                             Reopened reopened) {
    QAction* action = ToolsMenu(bar)->addAction(caption);
    action->setObjectName(actionName);
    QObject::connect(action, &QAction::triggered, &owner, [&owner, windowName, reopened] {
        auto* window = owner.template findChild<Window*>(windowName);
        if (window == nullptr) {
            window = new Window(owner, &owner);
            PrepareToolWindow(window);
        } else {
            reopened(*window);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
    return action;
}

}  // namespace velmora
