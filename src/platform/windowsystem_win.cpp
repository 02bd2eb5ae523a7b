#include "platform/windowsystem.h"

#include <QWidget>
#include <windows.h>

namespace platform {

void applyWindowStates(QWidget *window, bool topmost) {
    const HWND handle = reinterpret_cast<HWND>(window->winId());
    const LONG style = GetWindowLongW(handle, GWL_EXSTYLE);
    SetWindowLongW(handle, GWL_EXSTYLE, style & ~WS_EX_APPWINDOW);
    if (topmost)
        setTopmostByQtFlag(window, true);
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

void beep(Beep kind) {
    MessageBeep(kind == Beep::Information ? MB_ICONASTERISK : MB_OK);
}

} // namespace platform
