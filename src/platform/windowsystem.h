#pragma once

#include <QPoint>

class QWidget;

// What the program asks of the window system beyond what Qt offers directly.
// One implementation per system, chosen by the build; each falls back to
// doing nothing where the running platform (offscreen, Wayland) has no such
// notion.
namespace platform {

// The window gets no task-bar button, and stays in front when setTopmost
// said so. Call it whenever the window is about to be shown (from its
// showEvent): window managers drop the state of a withdrawn window.
void keepOffTaskbar(QWidget *window);

// For the window the program shows at start-up: asks the window manager again
// to map it while the manager has neither mapped it nor taken it in. A window
// manager that is itself still starting (a program started at log-in) may
// otherwise leave it unmapped.
void insistOnMapping(QWidget *window);

// Sets or clears the window's topmost flag and shows the window, keeping its
// position and size.
void setTopmost(QWidget *window, bool on);

bool isTopmost(const QWidget *window);

// Where the window really stands on the screen, in pixels. Under a reparenting
// X11 window manager Qt's own idea can lag behind: it may still hold the
// frame's first place (0, 0) after the manager has moved the frame.
QPoint windowPosition(const QWidget *window);

// Brings Qt's idea of the position in line with the window system's, so that
// a resize does not put the window back where Qt wrongly thinks it is.
void syncPosition(QWidget *window);

// The Qt way of setTopmost, for systems where nothing better is at hand.
void setTopmostByQtFlag(QWidget *window, bool on);
bool isTopmostByQtFlag(const QWidget *window);

// Opacity as an alpha byte, 255 opaque.
void setAlpha(QWidget *window, int alpha);

enum class Beep { Default, Information };
void beep(Beep kind = Beep::Default);

} // namespace platform
