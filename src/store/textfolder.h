#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The folder of saved texts, "textos" in the application folder. Only file
// names (title, dot, extension) are stored and compared; the folder is added
// when a file is touched. Every window goes through these operations, and no
// name ever leads out of the folder: not through a path, nor through a link.

QString TextFolderPath();

// Full path of a text, as the program shows it to the user.
QString TextFilePath(const QString &name);

// Creates the text folder when it is missing. False when it cannot be.
bool EnsureTextFolder();

// Every entry of the text folder the user may see: files and sub-folders
// alike, names starting with a dot included, without "." and "..", the
// temporary files of interrupted saves, and links that lead out of the
// folder or nowhere. Unordered.
QStringList ListTextFolder();

// The name as the list shows it: bytes that are not UTF-8 as U+FFFD.
QString DisplayTextName(const QString &name);

// title + "." + extension, both trimmed of spaces; an empty extension is "txt".
QString MakeTextFileName(const QString &title, const QString &extension);

struct TextFileName {
    QString title;
    QString extension;
};
TextFileName SplitTextFileName(const QString &name);

// True when something stands under `name` in the folder (hidden or not, a
// link that leads nowhere included) and it is not the open text itself. So
// no save replaces a file the user cannot see.
bool IsTextNameTaken(const QString &name, const QString &openName);

// A name that stays inside the text folder: no path separator, not "." or
// "..", no NUL, and no longer than a file name can be.
bool IsSafeTextName(const QString &name);

// True for an existing plain file of that name inside the folder.
bool TextFileExists(const QString &name);

// Writes the text and one final CR LF, unless the text already ends with CR
// LF, so that opening and saving a text leaves its file as it was.
bool WriteTextFile(const QString &name, const QString &text);

// The file's lines, each followed by CR LF; a line ends at CR, LF or CR LF.
// Nothing when the file is missing or cannot be read.
std::optional<QString> ReadTextFile(const QString &name);

// The reading rule on text already in memory.
QString TextFromFileContent(const QString &content);

// Read-only files and folders are left alone; a name that is taken is never replaced.
bool RenameTextFile(const QString &from, const QString &to);

// Moves the text to the desktop's trash, or deletes it where there is none.
// Sub-folders and read-only texts stay.
bool DeleteTextFile(const QString &name);
