#include "platform/foreground.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace platform {

namespace {

// The server says what time it is in the PropertyNotify of any property
// change, an empty one included. Qt takes the time of each PropertyNotify of
// its windows as the latest, and sends it with its activation request (Qt
// 6.4, QXcbWindow::handlePropertyNotifyEvent), so the window is brought once
// Qt has seen the notice.
class FreshTime : public QObject, public QAbstractNativeEventFilter {
public:
    FreshTime(QWidget *window, xcb_window_t id, xcb_atom_t marker, std::function<void()> bring)
        : QObject(window), m_id(id), m_marker(marker), m_bring(std::move(bring)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        // Should the notice never come, the window is brought all the same.
        QTimer::singleShot(1000, this, &FreshTime::bring);
    }

    ~FreshTime() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        // Qt handles the notice once this returns; the window is brought after.
        if (notify->window == m_id && notify->atom == m_marker)
            QMetaObject::invokeMethod(this, &FreshTime::bring, Qt::QueuedConnection);
        return false;
    }

private:
    void bring() {
        if (!m_bring)
            return;
        const std::function<void()> bring = std::move(m_bring);
        m_bring = nullptr;
        deleteLater();
        bring();
    }

    xcb_window_t m_id;
    xcb_atom_t m_marker;
    std::function<void()> m_bring;
};

xcb_connection_t *x11Connection() {
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

bool hasKeyboard(const QWidget *window) {
    xcb_connection_t *c = x11Connection();
    const QWindow *handle = window->windowHandle();
    if (!c || !handle)
        return QGuiApplication::focusWindow() && QGuiApplication::focusWindow() == handle;
    xcb_get_input_focus_reply_t *reply =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const bool focused = reply && reply->focus == xcb_window_t(window->winId());
    free(reply);
    return focused;
}

void asUserAction(QWidget *window, std::function<void()> bring) {
    xcb_connection_t *c = x11Connection();
    if (!c)
        return bring();
    static const char name[] = "_CORVALE_SCRIVULETS_TIME";
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t marker = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    if (marker == XCB_ATOM_NONE)
        return bring();
    const auto id = xcb_window_t(window->winId());
    new FreshTime(window, id, marker, std::move(bring));
    xcb_change_property(c, XCB_PROP_MODE_APPEND, id, marker, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(c);
}

} // namespace platform
