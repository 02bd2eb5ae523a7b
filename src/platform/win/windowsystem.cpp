#include "platform/windowsystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <windows.h>

namespace platform {

namespace {

// Off Qt's Windows platform plugin (the offscreen one of the tests) a window
// has no native window to ask or change.
bool nativeWindows() {
    return QGuiApplication::platformName() == u"windows";
}

// The window's native handle, or none while Qt has not made one.
HWND existingHandle(const QWidget *window) {
    return reinterpret_cast<HWND>(window->internalWinId());
}

LONG_PTR extendedStyle(HWND handle) {
    return GetWindowLongPtrW(handle, GWL_EXSTYLE);
}

bool underWine() {
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// Wine 8's X11 driver maps a window that was shown without being activated,
// as Qt shows tool windows, as an unmanaged (override-redirect) X window.
// A click activates it and gives it the keyboard; but the first change of
// its place, size or opacity while it is active hands it to the X window
// manager, which unmaps and maps it again, and the keyboard is lost on the
// way. The strip changes its opacity with the pointer and its size with the
// text, so typing went nowhere moments after the click. Wine manages a
// pop-up window with a system menu from its first map, and the window
// manager gives it the keyboard on a click. Under Wine alone: on Windows the
// style would add Alt+Space's menu to the strip.
void letWineManage(HWND handle) {
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    if (underWine() && !(style & WS_SYSMENU))
        SetWindowLongPtrW(handle, GWL_STYLE, style | WS_SYSMENU);
}

// Changes the stacking group only: the window keeps its place, its size and
// whatever activation it had.
void setTopmostStyle(HWND handle, bool on) {
    SetWindowPos(handle, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Just below 1: Qt rounds it to alpha 255, yet keeps the window layered.
// At exactly 1 Qt takes WS_EX_LAYERED away, and a window that leaves and
// re-enters the layered state is drawn afresh each time the pointer crosses
// its edge.
constexpr double OpaqueButLayered = 1.0 - 1.0 / 4096;

} // namespace

// A tool window has no task-bar button, and Windows shows it while another
// program is active.
Qt::WindowFlags windowFlags() {
    return Qt::Tool | Qt::FramelessWindowHint;
}

void applyWindowStates(QWidget *window, bool topmost) {
    if (!nativeWindows())
        return;
    const HWND handle = reinterpret_cast<HWND>(window->winId());
    letWineManage(handle);
    const LONG_PTR style = extendedStyle(handle);
    // The shell gives a button to every unowned window that is not a tool
    // window, and to any window marked as an app window.
    const LONG_PTR wanted = (style | WS_EX_TOOLWINDOW) & ~LONG_PTR(WS_EX_APPWINDOW);
    if (wanted != style)
        SetWindowLongPtrW(handle, GWL_EXSTYLE, wanted);
    if (topmost && !(style & WS_EX_TOPMOST))
        setTopmostStyle(handle, true);
}

// The shell maps what it is asked to map.
void insistOnMapping(QWidget *) {}

void setTopmost(QWidget *window, bool on) {
    if (!nativeWindows())
        return setTopmostByQtFlag(window, on);
    // Not through Qt's stays-on-top flag: Qt makes a new native window when
    // the flag of a hidden window changes. Shown through Qt first, so that
    // Qt knows the window is visible.
    window->show();
    setTopmostStyle(reinterpret_cast<HWND>(window->winId()), on);
}

bool isTopmost(const QWidget *window) {
    if (!nativeWindows())
        return isTopmostByQtFlag(window);
    const HWND handle = existingHandle(window);
    return handle && (extendedStyle(handle) & WS_EX_TOPMOST) != 0;
}

QPoint windowPosition(const QWidget *window) {
    return window->pos();
}

void setAlpha(QWidget *window, int alpha) {
    if (!nativeWindows())
        return window->setWindowOpacity(alpha / 255.0);
    // Through Qt, not SetLayeredWindowAttributes: Qt sets the layered style
    // again from its own idea of the opacity each time it draws the window.
    // The native window first: a widget without one keeps the opacity as a
    // byte for later, which would turn 255 into 254.
    window->winId();
    window->setWindowOpacity(alpha >= 255 ? OpaqueButLayered : alpha / 255.0);
}

void beep(Beep kind) {
    MessageBeep(kind == Beep::Information ? MB_ICONASTERISK : MB_OK);
}

} // namespace platform
