#pragma once

class QWidget;

namespace velmora {

// Closes `window` the ordinary way (so its state is saved) when the process receives SIGTERM,
// SIGINT or SIGHUP, as at a desktop log-out or a Ctrl+C in the terminal that started it.
void CloseOnTerminationSignal(QWidget* window);

}  // namespace velmora
