#include "platform/files.h"

#include <QDir>

namespace platform {

QString appFolderPath() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // The XDG rules ignore a relative value.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/corvale-scrivulets");
}

} // namespace platform
