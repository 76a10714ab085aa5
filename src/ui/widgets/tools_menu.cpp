#include "ui/widgets/tools_menu.h"

#include "ui/widgets/access_keys.h"
#include "ui/widgets/modified_key_guard.h"

namespace velmora {

void PrepareToolWindow(QWidget* window) {
    (new ModifiedKeyGuard(window))->GuardWindow(window);
    AssignAccessKeys(window);
}

QMenu* ToolsMenu(QMenuBar* bar) {
    auto* tools = bar->findChild<QMenu*>("Tools1");
    if (tools == nullptr) {
        tools = bar->addMenu("Tools");
        tools->setObjectName("Tools1");
    }
    return tools;
}

}  // namespace velmora
