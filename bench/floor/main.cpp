// The floor of the start-up and memory figures: a bare Qt program that shows
// one window of the kind and size of the program's main window (frameless, a
// tool window kept off the task bar), and nothing else. The kind matters
// under Wine, which hands an ordinary window to the window manager and keeps
// a tool window to itself: the first costs twice the CPU time to map.
//
// With --text the window also holds a plain-text box showing 20 short lines:
// the least a program that shows text pays, the second reference of bench/run
// (fonts, text layout and the text box's code are what the bare floor skips).
#include <QApplication>
#include <QPlainTextEdit>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Tool);
    window.resize(294, 225);
    if (QApplication::arguments().contains(QStringLiteral("--text"))) {
        auto *box = new QPlainTextEdit(&window);
        box->setGeometry(8, 42, 278, 140);
        QString text;
        for (int i = 1; i <= 20; ++i)
            text += QStringLiteral("lembrete %1: ligar para o cliente\n").arg(i);
        box->setPlainText(text);
    }
    window.show();
    return app.exec();
}
