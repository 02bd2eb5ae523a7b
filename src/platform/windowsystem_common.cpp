#include "platform/windowsystem.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace platform {

void setTopmost(QWidget *window, bool on) {
    // QWidget::setWindowFlag would hide and re-create the native window; the
    // QWindow flag changes the stacking state of the mapped window in place.
    window->winId();
    window->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on);
    window->show();
}

bool isTopmost(const QWidget *window) {
    const QWindow *handle = window->windowHandle();
    return handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
}

void syncPosition(QWidget *window) {
    const QPoint actual = windowPosition(window);
    if (actual != window->pos())
        window->move(actual);
}

void setAlpha(QWidget *window, int alpha) {
    window->setWindowOpacity(alpha / 255.0);
}

void beep(Beep) {
    QApplication::beep();
}

} // namespace platform
