#include "core/names.h"

#include "core/textfolder.h"

namespace core {

bool isForbiddenNameCharacter(QChar c) {
    for (char16_t f : ForbiddenNameCharacters)
        if (f != 0 && c == QChar(f))
            return true;
    return false;
}

bool hasForbiddenNameCharacter(const QString &text) {
    for (QChar c : text)
        if (isForbiddenNameCharacter(c) || c.category() == QChar::Other_Control)
            return true;
    return false;
}

QString trimSpaces(const QString &text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool isEmptySaveTitle(const QString &title) {
    return trimSpaces(title).isEmpty();
}

bool isEmptyRenameTitle(const QString &title) {
    const QString t = trimSpaces(title);
    return t.isEmpty() || t == u".";
}

QString renameTextFileName(const QString &title, const QString &extension) {
    const QString ext = trimSpaces(extension);
    return makeTextFileName(title, ext == u"." ? QString() : ext);
}

QString openTextCaption(const QString &openName) {
    if (openName.isEmpty())
        return QStringLiteral("Nenhum texto aberto");
    return displayTextName(openName);
}

} // namespace core
