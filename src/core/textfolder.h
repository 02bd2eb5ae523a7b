#pragma once

#include "platform/files.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace core {

// title + "." + extension, both trimmed of spaces; an empty extension is "txt".
QString makeTextFileName(const QString &title, const QString &extension);

struct TextFileName {
    QString title;
    QString extension;
};
// The title is everything before the last dot, the extension everything after it.
TextFileName splitTextFileName(const QString &name);

// The lines of a file's content, each followed by CR LF; a line ends at CR,
// LF or CR LF, and the end of the content ends the last one.
QString textFromFileContent(const QString &content);

// How a text's lines end in its file. A file whose lines all end with LF
// alone keeps them so; any other (CR LF, CR, a mix, a new text) gets CR LF.
enum class LineEnd { CrLf, Lf };
LineEnd lineEndOf(const QString &content);

// A text as read from its file: the lines as textFromFileContent gives them,
// how they ended, and which version of the file it was.
struct TextFile {
    QString text;
    LineEnd lineEnd = LineEnd::CrLf;
    platform::Stamp stamp;
};

// The name the version of a text found on disk is kept under, beside it, when
// a save would replace it unseen: "notas (outra versão 2026-12-07 10-15).txt",
// " (2)" and on after it where that is taken, as recovery copies are told
// apart. The title is cut short where the name would not fit a file system
// (255 bytes of UTF-8); empty when not even the date fits.
QString otherVersionName(const QString &name, const QDateTime &when, int number = 1);

// The names in the list's order: by name, case left aside, in the user's
// language; names that differ only in case keep a fixed order.
QStringList sortedTextNames(QStringList names);

// The folder of saved texts, "textos" in the data folder. Only file names
// (title, dot, extension) are stored and compared; the folder is added when
// a file is touched. No name ever leads out of the folder: not through a
// path, nor through a link.
class TextFolder {
public:
    explicit TextFolder(QString path, platform::FileSystem &files = platform::FileSystem::system())
        : m_path(std::move(path)), m_files(&files) {}

    const QString &path() const { return m_path; }

    // A text's full path as the program shows it to the user.
    QString displayPath(const QString &name) const;

    // Creates the folder when it is missing. False when it cannot be.
    bool ensure() const;

    // Every entry the user may see: files and sub-folders alike, names
    // starting with a dot included, without "." and "..", the temporary
    // files of interrupted saves, and links that lead out of the folder or
    // nowhere. Unordered.
    QStringList list() const;

    // True when something stands under `name` (hidden or not, a link that
    // leads nowhere included) and it is not the open text itself: no save
    // replaces a file the user cannot see.
    bool isNameTaken(const QString &name, const QString &openName) const;

    // True for an existing plain file of that name inside the folder.
    bool exists(const QString &name) const;

    // The file's lines, each followed by CR LF; nothing when the file is
    // missing or cannot be read.
    std::optional<TextFile> read(const QString &name) const;

    // Writes the text and one final line end, unless the text already ends
    // with one; with LineEnd::Lf every CR LF of the text is written as LF.
    bool write(const QString &name, const QString &text, LineEnd lineEnd = LineEnd::CrLf) const;

    // Which version of the file stands under the name now (size -1: none).
    platform::Stamp stamp(const QString &name) const;

    // Read-only files and folders are left alone; a taken name is never replaced.
    bool rename(const QString &from, const QString &to) const;

    // Moves the text to the user's trash; where none can take it, the text
    // stays (NoTrash). Sub-folders and read-only texts stay.
    platform::Removal remove(const QString &name) const;
    // Deletes the text for good, as the user chose where there is no trash.
    bool removeForGood(const QString &name) const;

private:
    enum class Found { NotAName, Nothing, Text, Folder, Outside, Other };
    Found find(const QString &name) const;
    Found find(const QString &name, const QString &canonicalFolder) const;
    QString pathOf(const QString &name) const { return m_path + u'/' + name; }

    QString m_path;
    platform::FileSystem *m_files;
};

// A name that stays inside a folder: no path separator, not "." or "..", no
// NUL, and no longer than a file name can be.
bool isSafeTextName(const QString &name);

// The name as the list shows it: bytes that are not UTF-8 as U+FFFD.
QString displayTextName(const QString &name);

} // namespace core
