// What the two systems' file layers share: the temporary names of a save,
// and the file layer object the core is handed.
#include "platform/files.h"

#include <QRandomGenerator>

namespace platform {

namespace {

const QString TemporaryPrefix = QStringLiteral(" ~");
const QString TemporarySuffix = QStringLiteral(".tmp");
// A 64-bit number in base 36, always of the same width.
constexpr int TemporaryDigits = 13;

} // namespace

// Temporary files of a save start with a blank, which no title the program
// makes can start with (titles are trimmed), so the list can leave them out.
QString newTemporaryName() {
    return TemporaryPrefix +
           QString::number(QRandomGenerator::global()->generate64(), 36)
               .rightJustified(TemporaryDigits, u'0') +
           TemporarySuffix;
}

bool isTemporaryName(const QString &name) {
    return name.startsWith(TemporaryPrefix) && name.endsWith(TemporarySuffix);
}

// Thirteen digits of base 36 between " ~" and ".tmp": a name a user does not
// give a file by chance, so the start-up may remove what a kill left so.
bool isOwnTemporaryName(const QString &name) {
    if (!isTemporaryName(name) ||
        name.size() != TemporaryPrefix.size() + TemporaryDigits + TemporarySuffix.size())
        return false;
    for (const QChar c : QStringView(name).sliced(TemporaryPrefix.size(), TemporaryDigits))
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z')))
            return false;
    return true;
}

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

void FileSystem::removeTemporaryFiles(const QString &folder, const QDateTime &before) {
    platform::removeTemporaryFiles(folder, before);
}

} // namespace platform
