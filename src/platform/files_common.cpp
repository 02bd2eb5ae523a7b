// The file layer object the core is handed, the same on every system.
#include "platform/files.h"

namespace platform {

FileSystem &FileSystem::system() {
    static FileSystem files;
    return files;
}

bool FileSystem::makeFolder(const QString &path) {
    return platform::makeFolder(path);
}

QStringList FileSystem::folderEntries(const QString &folder) {
    return platform::folderEntries(folder);
}

std::optional<QByteArray> FileSystem::readFile(const QString &path) {
    return platform::readFile(path);
}

bool FileSystem::writeFileAtomically(const QString &path, const QByteArray &bytes) {
    return platform::writeFileAtomically(path, bytes);
}

bool FileSystem::renameFile(const QString &from, const QString &to) {
    return platform::renameFile(from, to);
}

Removal FileSystem::removeFile(const QString &path) {
    return platform::removeFile(path);
}

bool FileSystem::deleteFile(const QString &path) {
    return platform::deleteFile(path);
}

} // namespace platform
