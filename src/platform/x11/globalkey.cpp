#include "platform/globalkey.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace platform {

namespace {

using Keysym = uint32_t;

// The X keysyms of the keys a global combination may use (X11/keysymdef.h).
std::optional<Keysym> keysymFor(Qt::Key key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return Keysym(key - Qt::Key_A + 'a');
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return Keysym(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return Keysym(0xffbe + (key - Qt::Key_F1));
    struct Named {
        Qt::Key key;
        Keysym keysym;
    };
    static constexpr Named named[] = {
        {Qt::Key_Escape, 0xff1b},   {Qt::Key_Insert, 0xff63}, {Qt::Key_Delete, 0xffff},
        {Qt::Key_Home, 0xff50},     {Qt::Key_End, 0xff57},    {Qt::Key_PageUp, 0xff55},
        {Qt::Key_PageDown, 0xff56}, {Qt::Key_Left, 0xff51},   {Qt::Key_Up, 0xff52},
        {Qt::Key_Right, 0xff53},    {Qt::Key_Down, 0xff54},   {Qt::Key_Print, 0xff61},
        {Qt::Key_Pause, 0xff13},
    };
    for (const Named &n : named)
        if (n.key == key)
            return n.keysym;
    return std::nullopt;
}

// XKB's notices of a new keymap (X11/extensions/XKB.h).
constexpr uint8_t XkbNewKeyboardNotify = 0, XkbMapNotify = 1;

constexpr Keysym NumLock = 0xff7f, AltL = 0xffe9, AltR = 0xffea, SuperL = 0xffeb, SuperR = 0xffec;

// The keyboard as the server maps it now: keysyms per key code, and which
// modifier bit each modifier key sets.
struct KeyboardMap {
    xcb_keycode_t first = 0;
    int perCode = 0;
    std::vector<Keysym> keysyms;
    uint16_t numLock = XCB_MOD_MASK_2, alt = XCB_MOD_MASK_1, super = XCB_MOD_MASK_4;

    explicit KeyboardMap(xcb_connection_t *c) {
        const xcb_setup_t *setup = xcb_get_setup(c);
        first = setup->min_keycode;
        const auto mapping = xcb_get_keyboard_mapping_reply(
            c, xcb_get_keyboard_mapping(c, first, uint8_t(setup->max_keycode - first + 1)),
            nullptr);
        if (mapping) {
            perCode = mapping->keysyms_per_keycode;
            const xcb_keysym_t *all = xcb_get_keyboard_mapping_keysyms(mapping);
            keysyms.assign(all, all + xcb_get_keyboard_mapping_keysyms_length(mapping));
            free(mapping);
        }
        // The lock and modifier keys sit on Mod1 to Mod5 as the server's
        // modifier map says; the usual places stand where it names none.
        const auto modifiers =
            xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
        if (!modifiers)
            return;
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(modifiers);
        const int perModifier = modifiers->keycodes_per_modifier;
        for (int bit = 3; bit < 8; ++bit)
            for (int i = 0; i < perModifier; ++i)
                for (Keysym s : keysymsOf(codes[bit * perModifier + i])) {
                    const auto mask = uint16_t(1 << bit);
                    if (s == NumLock)
                        numLock = mask;
                    else if (s == AltL || s == AltR)
                        alt = mask;
                    else if (s == SuperL || s == SuperR)
                        super = mask;
                }
        free(modifiers);
    }

    std::vector<Keysym> keysymsOf(xcb_keycode_t code) const {
        if (code < first || perCode == 0)
            return {};
        const size_t at = size_t(code - first) * size_t(perCode);
        if (at + size_t(perCode) > keysyms.size())
            return {};
        return {keysyms.begin() + qsizetype(at), keysyms.begin() + qsizetype(at + perCode)};
    }

    // The key that types the keysym without Shift, else any that has it.
    std::optional<xcb_keycode_t> codeFor(Keysym keysym) const {
        if (perCode == 0)
            return std::nullopt;
        const int codes = int(keysyms.size()) / perCode;
        for (int column : {0, -1})
            for (int i = 0; i < codes; ++i)
                for (int j = 0; j < perCode; ++j)
                    if ((column < 0 || j == column) && keysyms[size_t(i * perCode + j)] == keysym)
                        return xcb_keycode_t(first + i);
        return std::nullopt;
    }
};

xcb_connection_t *x11Connection() {
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// XWayland hands an X client only the keys pressed while one of its own
// windows has the keyboard, so a grab there would take nothing.
bool waylandSession() {
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland";
}

} // namespace

// A passive grab of the key on the root window, once for each state of the
// lock keys (Caps Lock, Num Lock), which X counts as modifiers: without them
// the combination would do nothing while Num Lock is on.
struct GlobalKey::Grab : QAbstractNativeEventFilter {
    GlobalKey *owner;
    xcb_connection_t *c;
    xcb_window_t root;
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    xcb_keycode_t code = 0;
    uint16_t mask = 0;
    std::vector<uint16_t> grabbed;
    bool down = false;
    uint8_t xkbEvent = 0;
    bool regrabPending = false;

    Grab(GlobalKey *owner, xcb_connection_t *c, Qt::KeyboardModifiers modifiers, Qt::Key key)
        : owner(owner), c(c), root(xcb_setup_roots_iterator(xcb_get_setup(c)).data->root),
          modifiers(modifiers), key(key) {
        static const char xkb[] = "XKEYBOARD";
        xcb_query_extension_reply_t *extension = xcb_query_extension_reply(
            c, xcb_query_extension(c, uint16_t(strlen(xkb)), xkb), nullptr);
        if (extension && extension->present)
            xkbEvent = extension->first_event;
        free(extension);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~Grab() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        ungrab();
    }

    // After the notices of one change, which come several at a time.
    void regrabSoon() {
        if (regrabPending)
            return;
        regrabPending = true;
        QTimer::singleShot(0, owner, [this] {
            regrabPending = false;
            ungrab();
            grab();
        });
    }

    Outcome grab() {
        const KeyboardMap map(c);
        const std::optional<Keysym> keysym = keysymFor(key);
        const std::optional<xcb_keycode_t> found = keysym ? map.codeFor(*keysym) : std::nullopt;
        // A key this keyboard lacks cannot be pressed, by anybody; another
        // layout may bring it.
        if (!found)
            return Outcome::Held;
        code = *found;
        mask = 0;
        if (modifiers & Qt::ShiftModifier)
            mask |= XCB_MOD_MASK_SHIFT;
        if (modifiers & Qt::ControlModifier)
            mask |= XCB_MOD_MASK_CONTROL;
        if (modifiers & Qt::AltModifier)
            mask |= map.alt;
        if (modifiers & Qt::MetaModifier)
            mask |= map.super;
        const std::array<uint16_t, 4> locks = {0, XCB_MOD_MASK_LOCK, map.numLock,
                                               uint16_t(XCB_MOD_MASK_LOCK | map.numLock)};
        std::vector<xcb_void_cookie_t> cookies;
        for (uint16_t lock : locks)
            cookies.push_back(xcb_grab_key_checked(c, 0, root, uint16_t(mask | lock), code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        bool taken = false;
        for (size_t i = 0; i < cookies.size(); ++i) {
            // BadAccess: another client holds the key with these modifiers.
            if (xcb_generic_error_t *error = xcb_request_check(c, cookies[i])) {
                taken = true;
                free(error);
            } else {
                grabbed.push_back(uint16_t(mask | locks[i]));
            }
        }
        if (taken) {
            ungrab();
            return Outcome::Taken;
        }
        return Outcome::Held;
    }

    void ungrab() {
        for (uint16_t m : grabbed)
            xcb_ungrab_key(c, code, root, m);
        if (!grabbed.empty())
            xcb_flush(c);
        grabbed.clear();
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const uint8_t kind = event->response_type & 0x7f;
        // Another keyboard layout (setxkbmap, a desktop applying its own
        // after the program started at log-in): the combination may be on
        // another key now. The server tells Qt, which speaks XKB, through
        // XKB's notices alone, not the core MappingNotify.
        if (xkbEvent && kind == xkbEvent) {
            const uint8_t xkbType = event->pad0; // the second byte of every XKB event
            if (xkbType == XkbNewKeyboardNotify || xkbType == XkbMapNotify)
                regrabSoon();
            return false;
        }
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE)
            return false;
        const auto *press = reinterpret_cast<const xcb_key_press_event_t *>(event);
        // Only the grab reports keys to the root window.
        if (press->event != root || grabbed.empty() || press->detail != code)
            return false;
        // Reported when the key goes up, which ends the grab: while the
        // program holds the keyboard, GNOME's and KDE's window managers
        // (mutter 43, KWin 5.27) refuse to give another window the focus.
        // Qt asks the server for repeats without releases, so a key held
        // down gives one release.
        if (kind == XCB_KEY_RELEASE) {
            if (down) {
                down = false;
                emit owner->pressed();
            }
        } else {
            down = true;
        }
        return true;
    }
};

GlobalKey::GlobalKey(QObject *parent) : QObject(parent) {}

GlobalKey::~GlobalKey() = default;

GlobalKey::Outcome GlobalKey::hold(Qt::KeyboardModifiers modifiers, Qt::Key key) {
    release();
    xcb_connection_t *c = x11Connection();
    if (!c || waylandSession())
        return Outcome::Unsupported;
    auto grab = std::make_unique<Grab>(this, c, modifiers, key);
    const Outcome outcome = grab->grab();
    if (outcome == Outcome::Held)
        m_grab = std::move(grab);
    return outcome;
}

void GlobalKey::release() {
    m_grab.reset();
}

} // namespace platform
