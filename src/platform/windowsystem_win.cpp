#include "platform/windowsystem.h"

#include <QWidget>
#include <windows.h>

namespace platform {

void keepOffTaskbar(QWidget *window) {
    const HWND handle = reinterpret_cast<HWND>(window->winId());
    const LONG style = GetWindowLongW(handle, GWL_EXSTYLE);
    SetWindowLongW(handle, GWL_EXSTYLE, style & ~WS_EX_APPWINDOW);
}

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

} // namespace platform
