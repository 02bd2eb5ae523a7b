#include "platform/display.h"

namespace platform {

// Windows' desktop is always there for a program the user started.
QString displayProblem(const QStringList &) {
    return {};
}

} // namespace platform
