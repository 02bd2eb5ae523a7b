#include "platform/display.h"

namespace platform {

// Where there is no X11 build, the platform's desktop is not one this program
// can probe: Qt reports it.
QString displayProblem(const QStringList &) {
    return {};
}

} // namespace platform
