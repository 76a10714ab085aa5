#pragma once

#include <QString>

class QMenuBar;
class QWidget;

namespace velmora {

class TForm1;

// The user guide for what the window offers beyond its five pages and for the command line:
// "UserGuide.html", shipped beside "Help.RTF", shown in a window of its own at `section` (an
// anchor such as "design-space"; empty: the top). The Help/About page keeps "Help.RTF".
inline constexpr const char* kUserGuideFile = "UserGuide.html";
void ShowUserGuide(TForm1& form, const QString& section = {});

// Tools > User Guide (Shift+F1; F1 stays the Help/About page's key).
void AddUserGuideMenu(TForm1& form, QMenuBar* bar);

// F1 in a tool window opens the guide at that tool's section.
void AddUserGuideKey(TForm1& form, QWidget* window, const QString& section);

}  // namespace velmora
