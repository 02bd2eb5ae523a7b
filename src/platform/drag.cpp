#include "platform/drag.h"

#include "platform/windowsystem.h"

#include <QMouseEvent>
#include <QWidget>

namespace platform {

bool WindowDrag::press(QMouseEvent *event, Qt::MouseButtons buttons) {
    if (active() || !(buttons & event->button()))
        return false;
    syncPosition(m_window, event);
    m_button = event->button();
    m_offset = event->position();
    return true;
}

bool WindowDrag::move(QMouseEvent *event) {
    if (!active())
        return false;
    if (!(event->buttons() & m_button)) {
        m_button = Qt::NoButton;
        return false;
    }
    if (m_follow)
        m_follow(event->globalPosition());
    else
        // From the press point, not from pos(): Qt's idea of the place can
        // lag behind the window manager's.
        m_window->move((event->globalPosition() - m_offset).toPoint());
    return true;
}

bool WindowDrag::release(QMouseEvent *event) {
    if (!active() || event->button() != m_button)
        return false;
    m_button = Qt::NoButton;
    return true;
}

} // namespace platform
