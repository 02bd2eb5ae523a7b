#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool ensureAppFolder() {
    return QDir().mkpath(appFolderPath());
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes) {
    const QFileInfo existing(path);
    // The owner's write bit counts too: root may write anywhere, but a file the
    // user marked read-only is meant to stay as it is.
    if (existing.exists() && (!existing.isFile() || !existing.isWritable() ||
                              !existing.permissions().testFlag(QFile::WriteOwner)))
        return false;
    // The same for the folder: a folder marked read-only keeps its files.
    const QFileInfo folder(existing.absolutePath());
    if (folder.exists() && !folder.permissions().testFlag(QFile::WriteOwner))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QByteArray> readWholeFile(const QString &path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QString displayPath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace platform
