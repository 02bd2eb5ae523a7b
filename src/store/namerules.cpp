#include "store/namerules.h"

#include "store/textfolder.h"

bool IsForbiddenNameCharacter(QChar c) {
    for (char16_t f : ForbiddenNameCharacters)
        if (f != 0 && c == QChar(f))
            return true;
    return false;
}

bool HasForbiddenNameCharacter(const QString &text) {
    for (QChar c : text)
        if (IsForbiddenNameCharacter(c) || c.category() == QChar::Other_Control)
            return true;
    return false;
}

QString TrimSpaces(const QString &text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool IsEmptySaveTitle(const QString &title) {
    return TrimSpaces(title).isEmpty();
}

bool IsEmptyRenameTitle(const QString &title) {
    const QString t = TrimSpaces(title);
    return t.isEmpty() || t == u".";
}

QString RenameTextFileName(const QString &title, const QString &extension) {
    const QString ext = TrimSpaces(extension);
    return MakeTextFileName(title, ext == u"." ? QString() : ext);
}
