#include "platform/windowsystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <xcb/xcb.h>

namespace platform {

namespace {

xcb_connection_t *x11Connection() {
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    const auto cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

} // namespace

void keepOffTaskbar(QWidget *window) {
    xcb_connection_t *c = x11Connection();
    if (!c)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    const QWindow *handle = window->windowHandle();
    if (handle && handle->isVisible()) {
        // A mapped window's state belongs to the window manager: ask it.
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = state;
        event.data.data32[0] = 1; // _NET_WM_STATE_ADD
        event.data.data32[1] = skipTaskbar;
        event.data.data32[3] = 1; // from a normal application
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
    } else {
        // Before mapping the property is ours to set; Qt merges its own states
        // (above, modal) into what it finds there when it maps the window.
        const auto cookie = xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 64);
        xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
        bool present = false;
        if (reply && reply->format == 32) {
            const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
            const int count = xcb_get_property_value_length(reply) / 4;
            present = std::find(atoms, atoms + count, skipTaskbar) != atoms + count;
        }
        free(reply);
        if (!present)
            xcb_change_property(c, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1,
                                &skipTaskbar);
    }
    xcb_flush(c);
}

QPoint windowPosition(const QWidget *window) {
    xcb_connection_t *c = x11Connection();
    const QWindow *handle = window->windowHandle();
    if (!c || !handle || !handle->isVisible())
        return window->pos();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto cookie = xcb_translate_coordinates(c, xcb_window_t(window->winId()), root, 0, 0);
    xcb_translate_coordinates_reply_t *reply = xcb_translate_coordinates_reply(c, cookie, nullptr);
    const QPoint position = reply ? QPoint(reply->dst_x, reply->dst_y) : window->pos();
    free(reply);
    // X speaks device pixels; Qt's positions are logical.
    return position / window->devicePixelRatioF();
}

} // namespace platform
