#pragma once

#include <functional>

class QWidget;

namespace velmora {

// Calls `close` on `window`'s thread (which closes it so that its state is saved) when the
// process receives SIGTERM, SIGINT or SIGHUP, as at a desktop log-out or a Ctrl+C in the
// terminal that started it. Open modal dialogs are closed first, then the window.
void CloseOnTerminationSignal(QWidget* window, std::function<void()> close);

}  // namespace velmora
