// The floor of the start-up and memory figures: a bare Qt program that shows
// one frameless window the size of the program's main window, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(294, 225);
    window.show();
    return app.exec();
}
