// Files on Windows. Names are UTF-16 there, so Qt's own file classes reach
// every entry; what Qt does not offer is a rename that replaces the old file
// in one step and a flush to the disk, which come from the Win32 API.
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

namespace platform {

namespace {

std::wstring native(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// The read-only attribute; a folder's means nothing on Windows (the shell
// sets it on folders it customises), so only files are asked.
bool mayChange(const QString &path) {
    const QFileInfo info(path);
    return !info.exists() || info.isDir() || info.permissions().testFlag(QFile::WriteOwner);
}

} // namespace

QString appFolderPath() {
    return QCoreApplication::applicationDirPath();
}

bool makeFolder(const QString &path) {
    return QDir().mkpath(path);
}

bool isSingleName(const QString &name) {
    static const QString separators = QStringLiteral("/\\:");
    if (name.isEmpty() || name == u"." || name == u".." || name.size() > 255 ||
        name.contains(QChar(0)))
        return false;
    for (QChar c : separators)
        if (name.contains(c))
            return false;
    return true;
}

Entry entryAt(const QString &path) {
    Entry e;
    const QFileInfo info(path);
    e.isLink = info.isSymLink();
    e.exists = info.exists() || e.isLink;
    if (!e.exists)
        return e;
    e.resolved = e.isLink ? info.canonicalFilePath() : path;
    if (e.isLink && e.resolved.isEmpty())
        return e;
    e.kind = info.isFile() ? EntryKind::File : info.isDir() ? EntryKind::Folder : EntryKind::Other;
    e.ownerWritable = info.permissions().testFlag(QFile::WriteOwner);
    e.stamp = {info.size(), info.lastModified().toMSecsSinceEpoch() * 1'000'000};
    return e;
}

QString canonicalPath(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

bool sameEntry(const QString &a, const QString &b) {
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca.compare(cb, Qt::CaseInsensitive) == 0;
}

QStringList folderEntries(const QString &folder) {
    QStringList names;
    // Hidden and system entries are the system's own business.
    const QStringList all =
        QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &name : all)
        if (!isTemporaryName(name))
            names << name;
    return names;
}

std::optional<QByteArray> readFile(const QString &path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes) {
    const Entry existing = entryAt(path);
    if (existing.exists && (existing.kind != EntryKind::File || !mayChange(existing.resolved)))
        return false;
    const QString target = existing.exists ? existing.resolved : path;
    const QString folder = QFileInfo(target).absolutePath();
    QString temporary;
    QFile file;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = folder + u'/' + newTemporaryName();
        file.setFileName(temporary);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (QFileInfo::exists(temporary))
            continue;
        return false;
    }
    if (!file.isOpen())
        return false;
    // Every byte reaches the disk before the old file goes.
    bool ok = file.write(bytes) == bytes.size() && file.flush() &&
              FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    ok = ok && MoveFileExW(native(temporary).c_str(), native(target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        QFile::remove(temporary);
    return ok;
}

bool renameFile(const QString &from, const QString &to) {
    if (!entryAt(from).exists || !mayChange(from))
        return false;
    // Without MOVEFILE_REPLACE_EXISTING an existing name is never replaced;
    // a name that differs only in case is the same file and may be given.
    return MoveFileExW(native(from).c_str(), native(to).c_str(), 0);
}

// Qt asks the shell to recycle the file and gives up where the shell would
// delete it for good instead (no Recycle Bin on the volume, a file too
// large for it; under Wine, which has none, always): the file stays, and
// the user is asked.
Removal removeFile(const QString &path) {
    if (!entryAt(path).exists || !mayChange(path))
        return Removal::Failed;
    if (QFile::moveToTrash(path) && !QFileInfo::exists(path))
        return Removal::Trashed;
    return Removal::NoTrash;
}

bool deleteFile(const QString &path) {
    return mayChange(path) && QFile::remove(path);
}

void removeTemporaryFiles(const QString &folder, const QDateTime &before) {
    const QFileInfoList all =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo &file : all)
        if (isOwnTemporaryName(file.fileName()) && !file.isSymLink() &&
            file.lastModified() < before && mayChange(file.filePath()))
            QFile::remove(file.filePath());
}

QString displayName(const QString &name) {
    return name;
}

QString displayPath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace platform
