#include "platform/foreground.h"

#include <QGuiApplication>
#include <QWidget>

namespace platform {

bool hasKeyboard(const QWidget *window) {
    return QGuiApplication::focusWindow() &&
           QGuiApplication::focusWindow() == window->windowHandle();
}

void asUserAction(QWidget *, std::function<void()> bring) {
    bring();
}

} // namespace platform
