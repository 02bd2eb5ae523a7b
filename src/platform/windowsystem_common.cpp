#include "platform/windowsystem.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

void setTopmostByQtFlag(QWidget *window, bool on) {
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    if (window->isVisible()) {
        // QWidget::setWindowFlag would hide and re-create a shown window; the
        // QWindow flag changes its stacking in place.
        window->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on);
        window->overrideWindowFlags(flags);
    } else if (flags != window->windowFlags()) {
        window->setWindowFlags(flags);
    }
    window->show();
}

bool isTopmostByQtFlag(const QWidget *window) {
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void syncPosition(QWidget *window) {
    const QPoint actual = windowPosition(window);
    if (actual != window->pos())
        window->move(actual);
}

void syncPosition(QWidget *window, const QMouseEvent *press) {
    const QPoint origin = (press->globalPosition() - press->position()).toPoint();
    if (origin != window->pos())
        window->move(origin);
}

} // namespace platform
