#include "platform/windowsystem.h"

namespace platform {

// Qt::Tool already keeps the window out of the task bar where the platform
// has one that Qt knows of.
void keepOffTaskbar(QWidget *) {}

} // namespace platform
