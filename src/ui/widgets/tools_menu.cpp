#include "ui/widgets/tools_menu.h"

namespace velmora {

QMenu* ToolsMenu(QMenuBar* bar) {
    auto* tools = bar->findChild<QMenu*>("Tools1");
    if (tools == nullptr) {
        tools = bar->addMenu("Tools");
        tools->setObjectName("Tools1");
    }
    return tools;
}

}  // namespace velmora
