#include "termination_signal.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <csignal>

namespace velmora {

namespace {

// A signal handler may only write to a descriptor; the notifier turns that byte into a close
// on the window's own thread.
int signalSocket[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
}

}  // namespace

void CloseOnTerminationSignal(QWidget* window, std::function<void()> close) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0) return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window, close, notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalSocket[1], &byte, 1);
        notifier->setEnabled(false);  // one close is enough
        // An open modal dialog (a message box at start-up) runs an event loop of its own, which
        // would outlive the window's close: such dialogs are closed first, and the window once
        // their loops have ended.
        bool closedDialog = false;
        for (int tries = 0; tries < 16; ++tries) {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) break;
            dialog->close();
            closedDialog = true;
            if (QApplication::activeModalWidget() == dialog) break;  // it refused to close
        }
        if (closedDialog)
            QTimer::singleShot(0, window, close);
        else
            close();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

}  // namespace velmora
