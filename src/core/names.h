#pragma once

#include <QChar>
#include <QString>

// What the save window accepts as a title and an extension, apart from the window.
namespace core {

// The nine characters no title may hold, in the order the program lists them.
inline constexpr char16_t ForbiddenNameCharacters[] = u"\\/*:?\"<>|";

// One of the nine characters that the title box refuses as they are typed.
bool isForbiddenNameCharacter(QChar c);

// True when the text holds one of the nine characters or a control character:
// such a name could leave the text folder or could not be a file name at all,
// whichever way it got into the box.
bool hasForbiddenNameCharacter(const QString &text);

// The text without leading and trailing spaces (only spaces: a tab stays).
QString trimSpaces(const QString &text);

// "Salvar" refuses a title that is empty once trimmed.
bool isEmptySaveTitle(const QString &title);

// "Salvar como" also refuses a title that is a lone dot.
bool isEmptyRenameTitle(const QString &title);

// The new name "Salvar como" gives the open text: the trimmed title and the
// trimmed extension, where an empty extension or a lone dot means "txt".
QString renameTextFileName(const QString &title, const QString &extension);

// How the strip's title, its tooltip and the tray icon name the open text:
// its file name as the list shows it, or, for no name, that none is open.
QString openTextCaption(const QString &openName);

} // namespace core
