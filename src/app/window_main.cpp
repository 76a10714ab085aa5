#include <QApplication>

#include "termination_signal.h"
#include "ui/mainwindow/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::TForm1 window;
    bool closedBySignal = false;
    velmora::CloseOnTerminationSignal(&window, [&window, &closedBySignal] {
        closedBySignal = true;
        window.CloseUnattended();
        QCoreApplication::quit();
    });
    window.show();
    // A signal while the start-up ran (its message box open) closed the window before the
    // main loop began; that loop would never end.
    if (closedBySignal) return 0;
    return app.exec();
}
