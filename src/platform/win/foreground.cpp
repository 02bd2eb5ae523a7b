#include "platform/foreground.h"

#include <QWidget>
#include <windows.h>

namespace platform {

bool hasKeyboard(const QWidget *window) {
    return window->windowHandle() &&
           GetForegroundWindow() == reinterpret_cast<HWND>(window->winId());
}

// Windows lets the launch that hands over pass its right to the foreground
// on (letRunningCopyComeForward), and gives it to the program that gets a
// hot key's message.
void asUserAction(QWidget *, std::function<void()> bring) {
    bring();
}

} // namespace platform
