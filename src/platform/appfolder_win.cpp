#include "platform/files.h"

#include <QCoreApplication>

namespace platform {

QString appFolderPath() {
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
