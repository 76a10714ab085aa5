#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::TForm1 window;
    window.show();
    return app.exec();
}
