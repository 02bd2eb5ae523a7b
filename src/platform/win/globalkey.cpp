#include "platform/globalkey.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <optional>
#include <windows.h>

namespace platform {

namespace {

// The program's only hot key, so one identifier does.
constexpr int HotKeyId = 1;

// The virtual-key codes of the keys a global combination may use.
std::optional<UINT> virtualKeyFor(Qt::Key key) {
    // Letters and digits are their own upper-case characters.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return UINT(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return UINT(VK_F1 + (key - Qt::Key_F1));
    struct Named {
        Qt::Key key;
        UINT vk;
    };
    static constexpr Named named[] = {
        {Qt::Key_Space, VK_SPACE},    {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},  {Qt::Key_Home, VK_HOME},     {Qt::Key_End, VK_END},
        {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_Left, VK_LEFT},
        {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Print, VK_SNAPSHOT}, {Qt::Key_Pause, VK_PAUSE},
    };
    for (const Named &n : named)
        if (n.key == key)
            return n.vk;
    return std::nullopt;
}

} // namespace

// A hot key of this thread: Windows posts WM_HOTKEY to its message queue,
// where Qt's event loop shows it to the native event filters.
struct GlobalKey::Grab : QAbstractNativeEventFilter {
    GlobalKey *owner;

    explicit Grab(GlobalKey *owner) : owner(owner) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~Grab() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        UnregisterHotKey(nullptr, HotKeyId);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
        if (type != "windows_generic_MSG")
            return false;
        const auto *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_HOTKEY || msg->hwnd || msg->wParam != WPARAM(HotKeyId))
            return false;
        emit owner->pressed();
        return true;
    }
};

GlobalKey::GlobalKey(QObject *parent) : QObject(parent) {}

GlobalKey::~GlobalKey() = default;

GlobalKey::Outcome GlobalKey::hold(Qt::KeyboardModifiers modifiers, Qt::Key key) {
    release();
    const std::optional<UINT> vk = virtualKeyFor(key);
    if (!vk)
        return Outcome::Unsupported;
    // No repeats while the key is held down.
    UINT mods = MOD_NOREPEAT;
    if (modifiers & Qt::ShiftModifier)
        mods |= MOD_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mods |= MOD_CONTROL;
    if (modifiers & Qt::AltModifier)
        mods |= MOD_ALT;
    if (modifiers & Qt::MetaModifier)
        mods |= MOD_WIN;
    // Any failure means the combination is not ours: Windows says
    // ERROR_HOTKEY_ALREADY_REGISTERED when another program has it, and
    // keeps some (Win+L, F12 for debuggers) for itself.
    if (!RegisterHotKey(nullptr, HotKeyId, mods, *vk))
        return Outcome::Taken;
    m_grab = std::make_unique<Grab>(this);
    return Outcome::Held;
}

void GlobalKey::release() {
    m_grab.reset();
}

} // namespace platform
