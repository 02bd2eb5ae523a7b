#pragma once

#include <QPoint>
#include <Qt>

class QMouseEvent;
class QWidget;

// What the program asks of the window system beyond what Qt offers directly.
// One implementation per system, chosen by the build; each falls back to
// doing nothing where the running platform (offscreen, Wayland) has no such
// notion.
namespace platform {

// The flags every window of the program is made with: borderless, kept off
// the task bar, and in sight while another program is active, whatever the
// window manager.
Qt::WindowFlags windowFlags();

// The states a window keeps: no task-bar button, and in front of other
// windows when `topmost`. Window managers drop them from a withdrawn window
// and other programs may clear them, so a window applies them whenever it
// is shown and after each of its layout passes.
void applyWindowStates(QWidget *window, bool topmost);

// For the window the program shows at start-up: asks the window manager again
// to map it while the manager has neither mapped it nor taken it in. A window
// manager that is itself still starting (a program started at log-in) may
// otherwise leave it unmapped.
void insistOnMapping(QWidget *window);

// Puts the window in front of all others or lets it go, and shows it,
// keeping its position and size.
void setTopmost(QWidget *window, bool on);

// What the window system holds: in front or not.
bool isTopmost(const QWidget *window);

// Where the window really stands on the screen, in pixels. Under a reparenting
// X11 window manager Qt's own idea can lag behind: it may still hold the
// frame's first place (0, 0) after the manager has moved the frame.
QPoint windowPosition(const QWidget *window);

// Brings Qt's idea of the position in line with the window system's, so that
// a resize does not put the window back where Qt wrongly thinks it is.
void syncPosition(QWidget *window);

// The same from a press on the window: the press's position relative to the
// window and to the screen, as the window system delivered them, tell where
// the window stands without a round trip. Only at a press: motion events
// still in flight after the program moved the window carry the old place.
void syncPosition(QWidget *window, const QMouseEvent *press);

// The Qt way of setTopmost, for systems where nothing better is at hand.
void setTopmostByQtFlag(QWidget *window, bool on);
bool isTopmostByQtFlag(const QWidget *window);

// Opacity as an alpha byte, 255 opaque.
void setAlpha(QWidget *window, int alpha);

// The information beep confirms a save; the default one goes with notices.
enum class Beep { Default, Information };
void beep(Beep kind = Beep::Default);

} // namespace platform
