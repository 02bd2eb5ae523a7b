#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The file system as the program uses it: every read and write of a saved
// text or of config.txt goes through here.
//
// Names. On Linux a file name is a string of bytes, not always UTF-8. A byte
// that is not part of valid UTF-8 is kept in the program's QString as the lone
// surrogate U+DC80..U+DCFF of its value, so that such an entry can still be
// listed, opened, renamed and deleted; displayName() shows it with U+FFFD.
namespace platform {

// The folder that holds config.txt and the text folder. Beside the executable
// on Windows; the per-user data folder elsewhere, where an installed program
// cannot write beside its executable.
QString appFolderPath();

// Creates the folder and its parents when missing, never inside a folder
// marked read-only. True when it exists afterwards.
bool makeFolder(const QString &path);

// True for a name that can stand for one entry of a folder: not empty, not
// "." or "..", no path separator or NUL, and not longer than the file system
// allows (255 bytes on Linux, 255 UTF-16 units on Windows).
bool isSingleName(const QString &name);

enum class EntryKind { Missing, File, Folder, Other };

// What tells one version of a file from the next without reading it: a file
// that still has the size and the modification time it had was not written.
struct Stamp {
    qint64 size = -1;
    qint64 modifiedNs = 0; // since the epoch, as finely as the file system keeps it
    bool operator==(const Stamp &) const = default;
};

// What stands at a path, links not followed for `kind`-of-link questions.
struct Entry {
    EntryKind kind = EntryKind::Missing; // what the path leads to, links followed
    bool exists = false;                 // anything at all, a dangling link included
    bool isLink = false;
    QString resolved;           // the real path a link leads to; the path itself otherwise
    bool ownerWritable = false; // the owner's write bit: read-only files are left alone
    Stamp stamp;                // of what the path leads to
};
Entry entryAt(const QString &path);

// The path with every link and "." or ".." resolved; empty when it leads nowhere.
QString canonicalPath(const QString &path);

// True when both paths name one entry (a name that differs only in case, on
// a file system that ignores case).
bool sameEntry(const QString &a, const QString &b);

// The names in a folder, without "." and "..", nor the temporary files of
// interrupted saves, nor what the system marks hidden (Windows attributes;
// on Linux a leading dot hides nothing). Empty when it cannot be read.
QStringList folderEntries(const QString &folder);

// The bytes of a plain file (a link to one is followed); nothing when it is
// missing, a folder, or unreadable.
std::optional<QByteArray> readFile(const QString &path);

// Writes the whole file through a temporary file in the same folder that then
// takes its place, so that a crash, a kill or a full disk never leaves a
// truncated file: every byte is written and flushed to the disk before the
// old file is replaced, and on any error the old file stays as it was. A
// read-only file, or a file in a folder marked read-only, is left alone.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

// Gives a file a new name in the same folder; never replaces an existing
// entry, and leaves read-only files and folders alone.
bool renameFile(const QString &from, const QString &to);

// Moves a file to the user's trash, where a wrong click can be undone. Where
// no trash of the user's can take it, the file stays where it was (NoTrash):
// whether to delete it for good is the user's call. Read-only files and
// folders stay.
enum class Removal { Trashed, NoTrash, Failed };
Removal removeFile(const QString &path);

// Deletes a file for good: the program's own drafts and old recovery copies,
// and a text the user chose to delete without a trash. Read-only files and
// files in read-only folders stay.
bool deleteFile(const QString &path);

// The temporary files that interrupted saves left in the folder, last
// written before `before`, are deleted: no save of a running copy is still
// writing them.
void removeTemporaryFiles(const QString &folder, const QDateTime &before);

// The temporary files of saves, shared by the systems' file layers: a fresh
// name; whether a name is one (" ~…​.tmp": the listing leaves them all out);
// whether it is one this program makes (the only ones start-up removes).
QString newTemporaryName();
bool isTemporaryName(const QString &name);
bool isOwnTemporaryName(const QString &name);

// A path or a name as the user's system writes it, stray bytes shown as U+FFFD.
QString displayPath(const QString &path);
QString displayName(const QString &name);

// The operations above that change or read files, as one object the core is
// handed: the program hands it the system's own, and a test one that fails
// on demand as a full or read-only device would. Each calls the function of
// the same name.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The system's files, for the whole run.
    static FileSystem &system();

    virtual bool makeFolder(const QString &path);
    virtual QStringList folderEntries(const QString &folder);
    virtual std::optional<QByteArray> readFile(const QString &path);
    virtual bool writeFileAtomically(const QString &path, const QByteArray &bytes);
    virtual bool renameFile(const QString &from, const QString &to);
    virtual Removal removeFile(const QString &path);
    virtual bool deleteFile(const QString &path);
    virtual void removeTemporaryFiles(const QString &folder, const QDateTime &before);
};

} // namespace platform
