#include <QApplication>

#include "termination_signal.h"
#include "ui/mainwindow/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::TForm1 window;
    velmora::CloseOnTerminationSignal(&window);
    window.show();
    return app.exec();
}
