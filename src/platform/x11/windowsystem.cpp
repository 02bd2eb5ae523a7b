#include "platform/windowsystem.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <vector>
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

namespace {

// One _NET_WM_STATE flag on or off. A mapped window's state belongs to the
// window manager, which is asked; before mapping the property is ours, and Qt
// merges its own states into what it finds there when it maps the window.
void setNetWmState(xcb_connection_t *c, QWidget *window, const char *flagName, bool on) {
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t flag = atom(c, flagName);
    const QWindow *handle = window->windowHandle();
    if (handle && handle->isVisible()) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = state;
        event.data.data32[0] = on ? 1 : 0; // _NET_WM_STATE_ADD or _REMOVE
        event.data.data32[1] = flag;
        event.data.data32[3] = 1; // from a normal application
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
    } else {
        const auto cookie = xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 64);
        xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
        std::vector<xcb_atom_t> atoms;
        if (reply && reply->format == 32) {
            const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
            atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
        }
        free(reply);
        const auto found = std::find(atoms.begin(), atoms.end(), flag);
        if (on == (found != atoms.end()))
            return;
        if (on)
            atoms.push_back(flag);
        else
            atoms.erase(found);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                            uint32_t(atoms.size()), atoms.data());
    }
    xcb_flush(c);
}

} // namespace

// Not Qt::Tool: Qt makes a tool window a utility window transient for the
// program's leader window, and KWin hides the utility windows of a program
// that is not active (its HideUtilityWindowsForInactive, on by default). A
// normal window stays; _NET_WM_STATE_SKIP_TASKBAR keeps it off the task bar.
Qt::WindowFlags windowFlags() {
    return Qt::Window | Qt::FramelessWindowHint;
}

void applyWindowStates(QWidget *window, bool topmost) {
    xcb_connection_t *c = x11Connection();
    if (!c)
        return;
    setNetWmState(c, window, "_NET_WM_STATE_SKIP_TASKBAR", true);
    if (topmost)
        setNetWmState(c, window, "_NET_WM_STATE_ABOVE", true);
}

namespace {

// Mapped, or taken in by a window manager (which then sets WM_STATE, ICCCM
// 4.1.3.1, iconic or not); true also when the window is gone.
bool mappedOrManaged(xcb_connection_t *c, xcb_window_t id) {
    const auto attributesCookie = xcb_get_window_attributes(c, id);
    const auto stateCookie = xcb_get_property(c, 0, id, atom(c, "WM_STATE"), XCB_ATOM_ANY, 0, 1);
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(c, attributesCookie, nullptr);
    xcb_get_property_reply_t *state = xcb_get_property_reply(c, stateCookie, nullptr);
    const bool result = !attributes || attributes->map_state != XCB_MAP_STATE_UNMAPPED ||
                        (state && state->type != XCB_ATOM_NONE);
    free(attributes);
    free(state);
    return result;
}

} // namespace

void insistOnMapping(QWidget *window) {
    xcb_connection_t *c = x11Connection();
    if (!c)
        return;
    // openbox 3.6.1 quirk: a map request that reaches openbox while it is
    // still starting is read into openbox's own event queue, which its main
    // loop only looks at when the next X event arrives; the window stays
    // unmapped until then, at log-in possibly for good. A repeated request is
    // such an event, and openbox then handles both. The window is left alone
    // once the manager has taken it in, so this never overrides its decisions
    // (an iconic start, say). Once a second for a minute: a log-in can be slow.
    auto *timer = new QTimer(window);
    QObject::connect(timer, &QTimer::timeout, window, [c, window, timer, tries = 0]() mutable {
        if (window->isVisible() && ++tries <= 60) {
            const auto id = xcb_window_t(window->winId());
            if (!mappedOrManaged(c, id)) {
                xcb_map_window(c, id);
                xcb_flush(c);
                return;
            }
        }
        timer->deleteLater();
    });
    timer->start(1000);
}

void setTopmost(QWidget *window, bool on) {
    xcb_connection_t *c = x11Connection();
    if (!c)
        return setTopmostByQtFlag(window, on);
    // Not through Qt's stays-on-top flag: Qt 6 gives a window whose flag
    // changed a new native window at its next showing, without our task-bar
    // state and at the place Qt last knew of.
    setNetWmState(c, window, "_NET_WM_STATE_ABOVE", on);
    window->show();
}

bool isTopmost(const QWidget *window) {
    xcb_connection_t *c = x11Connection();
    if (!c)
        return isTopmostByQtFlag(window);
    const auto id = xcb_window_t(window->winId());
    const auto cookie = xcb_get_property(c, 0, id, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
    bool above = false;
    if (reply && reply->format == 32) {
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
        const xcb_atom_t wanted = atom(c, "_NET_WM_STATE_ABOVE");
        above = std::find(values, values + xcb_get_property_value_length(reply) / 4, wanted) !=
                values + xcb_get_property_value_length(reply) / 4;
    }
    free(reply);
    return above;
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

// Qt writes the opacity as _NET_WM_WINDOW_OPACITY, which the compositor reads.
void setAlpha(QWidget *window, int alpha) {
    window->setWindowOpacity(alpha / 255.0);
}

// The X server has one bell, whatever the beep is for.
void beep(Beep) {
    QApplication::beep();
}

} // namespace platform
