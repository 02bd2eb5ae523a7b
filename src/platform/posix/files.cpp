// Files on Linux, through the system calls themselves: Qt encodes every name
// as UTF-8 and silently skips folder entries whose names are not, which
// would hide such a text from the list and make it impossible to open.
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStorageInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char16_t StrayByteBase = 0xDC00;

bool isStrayByte(char16_t c) {
    return c >= StrayByteBase + 0x80 && c <= StrayByteBase + 0xFF;
}

// UTF-8, but a lone surrogate U+DC80..U+DCFF stands for the byte of its low
// eight bits: the way back of decodeName().
QByteArray encodeName(const QString &name) {
    QByteArray out;
    out.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!isStrayByte(c) || (i > 0 && QChar::isHighSurrogate(name[i - 1].unicode())))
            continue;
        out += QStringView(name).sliced(start, i - start).toUtf8();
        out += char(c - StrayByteBase);
        start = i + 1;
    }
    out += QStringView(name).sliced(start).toUtf8();
    return out;
}

// The length of the valid UTF-8 sequence at p, or 0. Overlong forms,
// surrogates and code points past U+10FFFF are not valid.
int utf8SequenceLength(const unsigned char *p, qsizetype left) {
    const unsigned char b = p[0];
    int length;
    unsigned min;
    unsigned value;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        length = 2, min = 0x80, value = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF)
        length = 3, min = 0x800, value = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4)
        length = 4, min = 0x10000, value = b & 0x07;
    else
        return 0;
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

QString decodeName(const char *bytes, qsizetype size) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    QString out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < size;) {
        const int length = utf8SequenceLength(p + i, size - i);
        if (length > 0) {
            i += length;
            continue;
        }
        out += QString::fromUtf8(bytes + start, i - start);
        out += QChar(char16_t(StrayByteBase + p[i]));
        start = ++i;
    }
    out += QString::fromUtf8(bytes + start, size - start);
    return out;
}

bool ownerMayWrite(const struct stat &st) {
    return (st.st_mode & S_IWUSR) != 0;
}

QString folderOf(const QString &path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// Root may write anywhere, but a file or a folder the user marked read-only
// is meant to stay as it is.
bool mayChange(const QString &path) {
    struct stat st {};
    const QByteArray native = encodeName(path);
    if (::lstat(native.constData(), &st) == 0 && !S_ISLNK(st.st_mode) && !ownerMayWrite(st))
        return false;
    if (::stat(encodeName(folderOf(path)).constData(), &st) == 0 && !ownerMayWrite(st))
        return false;
    return true;
}

Stamp stampOf(const struct stat &st) {
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

QString nameOf(const QString &path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The folders a trashed file of this user may lie in: the trash in the data
// home, and the two a volume other than the home's may have at its top.
bool isInUsersTrash(const QString &trashed, const QString &volumeOf) {
    const QString folder = canonicalPath(folderOf(trashed));
    if (folder.isEmpty() || entryAt(trashed).kind != EntryKind::File)
        return false;
    const QString uid = QString::number(::getuid());
    const QString top = QStorageInfo(volumeOf).rootPath();
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString &files :
         {home + QStringLiteral("/Trash/files"), top + QStringLiteral("/.Trash/") + uid + "/files",
          top + QStringLiteral("/.Trash-") + uid + "/files"})
        if (canonicalPath(files) == folder)
            return true;
    return false;
}

bool writeAll(int fd, const QByteArray &bytes) {
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

struct DirCloser {
    void operator()(DIR *d) const { ::closedir(d); }
};

QStringList folderEntriesWithTemporaries(const QString &folder) {
    QStringList names;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(encodeName(folder).constData()));
    if (!dir)
        return names;
    while (const dirent *d = ::readdir(dir.get())) {
        const QString name = decodeName(d->d_name, qsizetype(strlen(d->d_name)));
        if (name != u"." && name != u"..")
            names << name;
    }
    return names;
}

} // namespace

bool makeFolder(const QString &path) {
    if (entryAt(path).kind == EntryKind::Folder)
        return true;
    const QString parent = folderOf(path);
    if (parent != path && entryAt(parent).kind != EntryKind::Folder && !makeFolder(parent))
        return false;
    // Root may make folders anywhere; a folder marked read-only stays as it is.
    if (!mayChange(path))
        return false;
    return ::mkdir(encodeName(path).constData(), 0777) == 0 || errno == EEXIST;
}

bool isSingleName(const QString &name) {
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') ||
        name.contains(QChar(0)))
        return false;
    return encodeName(name).size() <= NAME_MAX;
}

Entry entryAt(const QString &path) {
    Entry e;
    const QByteArray native = encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return e;
    e.exists = true;
    e.isLink = S_ISLNK(st.st_mode);
    e.resolved = path;
    if (e.isLink) {
        e.resolved = canonicalPath(path);
        if (e.resolved.isEmpty() || ::stat(native.constData(), &st) != 0)
            return e;
    }
    e.kind = S_ISREG(st.st_mode)   ? EntryKind::File
             : S_ISDIR(st.st_mode) ? EntryKind::Folder
                                   : EntryKind::Other;
    e.ownerWritable = ownerMayWrite(st);
    e.stamp = stampOf(st);
    return e;
}

QString canonicalPath(const QString &path) {
    std::unique_ptr<char, decltype(&std::free)> real(
        ::realpath(encodeName(path).constData(), nullptr), &std::free);
    return real ? decodeName(real.get(), qsizetype(strlen(real.get()))) : QString();
}

bool sameEntry(const QString &a, const QString &b) {
    struct stat sa {
    }, sb{};
    return ::stat(encodeName(a).constData(), &sa) == 0 &&
           ::stat(encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

QStringList folderEntries(const QString &folder) {
    QStringList names = folderEntriesWithTemporaries(folder);
    names.removeIf(isTemporaryName);
    return names;
}

std::optional<QByteArray> readFile(const QString &path) {
    // Not blocking: a named pipe in the folder must not hang the program.
    const int fd = ::open(encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<QByteArray> result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
        QByteArray bytes;
        bytes.reserve(qsizetype(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;
            if (n == 0) {
                result = std::move(bytes);
                break;
            }
            bytes.append(buffer, n);
        }
    }
    ::close(fd);
    return result;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes) {
    const Entry existing = entryAt(path);
    // A link is written through to the file it leads to, which takes the
    // new content in place; a link that leads nowhere is not written.
    if (existing.exists && (existing.kind != EntryKind::File || !mayChange(existing.resolved)))
        return false;
    const QString target = existing.exists ? existing.resolved : path;
    if (!mayChange(target))
        return false;
    const QString folder = folderOf(target);

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = encodeName(folder + u'/' + newTemporaryName());
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = true;
    // The file keeps who may read it.
    if (existing.exists && ::stat(encodeName(target).constData(), &st) == 0)
        ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    // Every byte reaches the disk before the rename: a full disk or a size
    // limit shows here, while the old file is still whole.
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), encodeName(target).constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}

bool renameFile(const QString &from, const QString &to) {
    if (!entryAt(from).exists || !mayChange(from))
        return false;
    const QByteArray source = encodeName(from), destination = encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, destination.constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    // File systems that cannot promise not to replace: look first.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat st {};
    if (::lstat(destination.constData(), &st) == 0)
        return false;
    return ::rename(source.constData(), destination.constData()) == 0;
}

Removal removeFile(const QString &path) {
    if (!entryAt(path).exists || !mayChange(path))
        return Removal::Failed;
    // Qt's trash speaks UTF-8 names only: a name with stray bytes gets a
    // readable one first, which is how it will show in the trash.
    QString trashable = path;
    const QString readable = displayPath(path);
    if (readable != path) {
        trashable = readable;
        for (int n = 2; entryAt(trashable).exists; ++n)
            trashable = readable + QStringLiteral(" (%1)").arg(n);
        if (!renameFile(path, trashable))
            trashable = path;
    }
    // Where Qt 6.4 cannot set up the user's trash (a file named Trash in its
    // place, a volume without one) it takes the current folder for one,
    // making files/ and info/ there: the file comes back from such a place.
    const QString here = QDir::currentPath();
    const bool hadFiles = entryAt(here + QStringLiteral("/files")).exists;
    const bool hadInfo = entryAt(here + QStringLiteral("/info")).exists;
    QString inTrash;
    // Never hand Qt a name it would encode into another file's name.
    if (displayName(trashable) == trashable && QFile::moveToTrash(trashable, &inTrash) &&
        !entryAt(trashable).exists) {
        if (!inTrash.startsWith(u'/'))
            inTrash = here + u'/' + inTrash;
        if (isInUsersTrash(inTrash, folderOf(trashable)))
            return Removal::Trashed;
        if (!renameFile(inTrash, trashable))
            return Removal::Failed;
        const QString trash = folderOf(folderOf(inTrash));
        ::unlink(encodeName(trash + QStringLiteral("/info/") + nameOf(inTrash) +
                            QStringLiteral(".trashinfo"))
                     .constData());
        if (canonicalPath(trash) == canonicalPath(here)) {
            if (!hadFiles)
                ::rmdir(encodeName(here + QStringLiteral("/files")).constData());
            if (!hadInfo)
                ::rmdir(encodeName(here + QStringLiteral("/info")).constData());
        }
    }
    if (trashable != path && !renameFile(trashable, path))
        return Removal::Failed;
    return Removal::NoTrash;
}

bool deleteFile(const QString &path) {
    return mayChange(path) && ::unlink(encodeName(path).constData()) == 0;
}

void removeTemporaryFiles(const QString &folder, const QDateTime &before) {
    const qint64 limit = before.toMSecsSinceEpoch() * 1'000'000;
    for (const QString &name : folderEntriesWithTemporaries(folder)) {
        if (!isOwnTemporaryName(name))
            continue;
        const QString path = folder + u'/' + name;
        struct stat st {};
        if (::lstat(encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
            stampOf(st).modifiedNs < limit && mayChange(path))
            ::unlink(encodeName(path).constData());
    }
}

QString displayName(const QString &name) {
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isStrayByte(shown[i].unicode()) &&
            !(i > 0 && QChar::isHighSurrogate(shown[i - 1].unicode())))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}

QString displayPath(const QString &path) {
    return displayName(path);
}

} // namespace platform
