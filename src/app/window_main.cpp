#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Velmora");
    window.resize(776, 532);
    window.show();
    return app.exec();
}
