#pragma once

class QWidget;

namespace velmora {

// Gives the menus and items that other parts of the program add to the window (Tools and its
// items) their access keys, chosen not to clash with their neighbours'. Runs once every menu
// is built.
void AssignMenuAccessKeys(QWidget* window);

}  // namespace velmora
