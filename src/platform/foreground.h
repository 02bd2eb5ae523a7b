#pragma once

#include <functional>

class QWidget;

// Whether a window is the one the user types in, and bringing it there, as
// the window system sees it: requests that come from outside the program's
// windows (a later launch, the global key) find Qt's own idea lagging.
namespace platform {

// The window has the keyboard now. Qt learns that the keyboard went
// elsewhere only a moment later (it waits for a focus that may come back).
bool hasKeyboard(const QWidget *window);

// Runs `bring` (which brings the window forward) as the user's action of
// this moment. A request from outside the program's windows carries no time
// of the window system's, and X11 window managers refuse to activate a
// window for an action older than the user's last one in another program
// (mutter 43, GNOME's, once the user has typed there): on X11 the program
// first takes the server's current time. Elsewhere it runs at once.
void asUserAction(QWidget *window, std::function<void()> bring);

} // namespace platform
