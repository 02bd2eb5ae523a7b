#include "platform/globalkey.h"

namespace platform {

// Where the build knows no way to take a key from the other programs.
struct GlobalKey::Grab {};

GlobalKey::GlobalKey(QObject *parent) : QObject(parent) {}

GlobalKey::~GlobalKey() = default;

GlobalKey::Outcome GlobalKey::hold(Qt::KeyboardModifiers, Qt::Key) {
    return Outcome::Unsupported;
}

void GlobalKey::release() {}

} // namespace platform
