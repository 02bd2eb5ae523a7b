#include "platform/windowsystem.h"

#include <QApplication>
#include <QWidget>

namespace platform {

// Qt::Tool keeps the window out of the task bar where the platform has one
// that Qt knows of.
Qt::WindowFlags windowFlags() {
    return Qt::Tool | Qt::FramelessWindowHint;
}

// The stays-on-top flag is kept by Qt itself.
void applyWindowStates(QWidget *, bool) {}

// Qt shows a window through the system's own call, which does not get lost.
void insistOnMapping(QWidget *) {}

QPoint windowPosition(const QWidget *window) {
    return window->pos();
}

void setTopmost(QWidget *window, bool on) {
    setTopmostByQtFlag(window, on);
}

bool isTopmost(const QWidget *window) {
    return isTopmostByQtFlag(window);
}

// Opacity and beeps as Qt gives them: nothing closer to the system is known.
void setAlpha(QWidget *window, int alpha) {
    window->setWindowOpacity(alpha / 255.0);
}

void beep(Beep) {
    QApplication::beep();
}

} // namespace platform
