#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The folder of saved texts, "textos" in the application folder. Only file
// names (title, dot, extension) are stored and compared; the folder is added
// when a file is touched. Every window goes through these operations.

QString TextFolderPath();

// Full path of a text, as the program shows it to the user.
QString TextFilePath(const QString &name);

// Creates the text folder when it is missing. False when it cannot be.
bool EnsureTextFolder();

// Entries of the text folder, files and sub-folders alike, without "." and
// "..", hidden entries left out. Unordered.
QStringList ListTextFolder();

// title + "." + extension, both trimmed of spaces; an empty extension is "txt".
QString MakeTextFileName(const QString &title, const QString &extension);

struct TextFileName {
    QString title;
    QString extension;
};
TextFileName SplitTextFileName(const QString &name);

// True when an entry of the folder is exactly `name` and `name` is not the
// open text's own name.
bool IsTextNameTaken(const QString &name, const QString &openName);

// A name that stays inside the text folder: no path separator, not "." or "..".
bool IsSafeTextName(const QString &name);

// True for an existing plain, visible file of that name.
bool TextFileExists(const QString &name);

// Writes the text and one final CR LF, unless the text already ends with CR
// LF, so that opening and saving a text leaves its file as it was.
bool WriteTextFile(const QString &name, const QString &text);

// The file's lines, each followed by CR LF; a line ends at CR or CR LF. Nothing
// when the file is missing or cannot be read.
std::optional<QString> ReadTextFile(const QString &name);

// The reading rule on text already in memory.
QString TextFromFileContent(const QString &content);

bool RenameTextFile(const QString &from, const QString &to);
bool DeleteTextFile(const QString &name);
