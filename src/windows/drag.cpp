#include "windows/drag.h"

#include "platform/windowsystem.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace windows {

class WindowDrag::Filter : public QObject {
public:
    Filter(WindowDrag *drag, Qt::MouseButtons buttons, std::function<bool(QPoint)> grabs)
        : QObject(drag->m_window), m_drag(drag), m_buttons(buttons), m_grabs(std::move(grabs)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const QEvent::Type type = event->type();
        if (watched != m_drag->m_window ||
            (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
             type != QEvent::MouseButtonRelease))
            return false;
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (type == QEvent::MouseButtonPress) {
            if (!m_grabs || m_grabs(mouse->position().toPoint()))
                m_drag->press(mouse, m_buttons);
        } else if (type == QEvent::MouseMove) {
            m_drag->move(mouse);
        } else {
            m_drag->release(mouse);
        }
        return true;
    }

private:
    WindowDrag *m_drag;
    Qt::MouseButtons m_buttons;
    std::function<bool(QPoint)> m_grabs;
};

void WindowDrag::dragBy(Qt::MouseButtons buttons, std::function<bool(QPoint)> grabs) {
    m_window->installEventFilter(new Filter(this, buttons, std::move(grabs)));
}

bool WindowDrag::press(QMouseEvent *event, Qt::MouseButtons buttons) {
    if (active() || !(buttons & event->button()))
        return false;
    platform::syncPosition(m_window, event);
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

} // namespace windows
