#include "platform/windowsystem.h"

#include <QApplication>
#include <QWidget>

// Opacity and beeps as Qt gives them, on every system where nothing closer
// to the window system is needed.
namespace platform {

void setAlpha(QWidget *window, int alpha) {
    window->setWindowOpacity(alpha / 255.0);
}

// The X server has one bell, whatever the beep is for.
void beep(Beep) {
    QApplication::beep();
}

} // namespace platform
