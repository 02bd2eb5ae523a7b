#include "support/failingfiles.h"

namespace support {

QRegularExpression FailingFiles::prefix(const QString &start) {
    return QRegularExpression(u'^' + QRegularExpression::escape(start));
}

void FailingFiles::failAt(const QString &path) {
    m_patterns << QRegularExpression(u'^' + QRegularExpression::escape(path) + u'$');
}

void FailingFiles::heal() {
    m_patterns.clear();
    m_full.clear();
    m_countdown = 0;
    m_noTrash = false;
}

bool FailingFiles::matches(const QList<QRegularExpression> &patterns, const QString &path) {
    for (const QRegularExpression &pattern : patterns)
        if (pattern.match(path).hasMatch())
            return true;
    return false;
}

bool FailingFiles::makeFolder(const QString &path) {
    if (platform::entryAt(path).kind == platform::EntryKind::Folder)
        return true;
    return !fails(path + u'/') && !full(path + u'/') && FileSystem::makeFolder(path);
}

bool FailingFiles::writeFileAtomically(const QString &path, const QByteArray &bytes) {
    ++writes;
    const bool nth = m_countdown > 0 && --m_countdown == 0;
    return !nth && !fails(path) && !full(path) && FileSystem::writeFileAtomically(path, bytes);
}

bool FailingFiles::renameFile(const QString &from, const QString &to) {
    return !fails(from) && !fails(to) && FileSystem::renameFile(from, to);
}

platform::Removal FailingFiles::removeFile(const QString &path) {
    if (fails(path))
        return platform::Removal::Failed;
    return m_noTrash ? platform::Removal::NoTrash : FileSystem::removeFile(path);
}

bool FailingFiles::deleteFile(const QString &path) {
    return !fails(path) && FileSystem::deleteFile(path);
}

} // namespace support
