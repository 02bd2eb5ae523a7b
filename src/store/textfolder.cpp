#include "store/textfolder.h"

#include "store/namerules.h"

#include "platform/files.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

QString TextFolderPath() {
    return platform::appFolderPath() + QStringLiteral("/textos");
}

QString TextFilePath(const QString &name) {
    return platform::displayPath(TextFolderPath() + u'/' + name);
}

bool EnsureTextFolder() {
    return QDir().mkpath(TextFolderPath());
}

QStringList ListTextFolder() {
    return QDir(TextFolderPath())
        .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
}

QString MakeTextFileName(const QString &title, const QString &extension) {
    const QString ext = TrimSpaces(extension);
    return TrimSpaces(title) + (ext.isEmpty() ? QStringLiteral(".txt") : u'.' + ext);
}

TextFileName SplitTextFileName(const QString &name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot + 1)};
}

bool IsTextNameTaken(const QString &name, const QString &openName) {
    return name != openName && ListTextFolder().contains(name);
}

bool IsSafeTextName(const QString &name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

bool TextFileExists(const QString &name) {
    if (!IsSafeTextName(name))
        return false;
    const QFileInfo info(TextFolderPath() + u'/' + name);
    return info.isFile() && !info.isHidden();
}

bool WriteTextFile(const QString &name, const QString &text) {
    if (!IsSafeTextName(name))
        return false;
    const QString content = text.endsWith(CrLf) ? text : text + CrLf;
    return platform::writeFileAtomically(TextFolderPath() + u'/' + name,
                                         platform::encodeText(content));
}

QString TextFromFileContent(const QString &content) {
    QString text;
    text.reserve(content.size() + 2);
    qsizetype start = 0;
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (content[i] != u'\r')
            continue;
        text += QStringView(content).mid(start, i - start);
        text += CrLf;
        if (i + 1 < size && content[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size) {
        text += QStringView(content).mid(start);
        text += CrLf;
    }
    return text;
}

std::optional<QString> ReadTextFile(const QString &name) {
    if (!IsSafeTextName(name))
        return std::nullopt;
    const auto bytes = platform::readWholeFile(TextFolderPath() + u'/' + name);
    if (!bytes)
        return std::nullopt;
    return TextFromFileContent(platform::decodeText(*bytes));
}

bool RenameTextFile(const QString &from, const QString &to) {
    if (!IsSafeTextName(from) || !IsSafeTextName(to))
        return false;
    const QString folder = TextFolderPath() + u'/';
    // QFile::rename refuses to replace an existing file, which is what we want:
    // the name check already ran, and a race must not destroy another text.
    return QFile::rename(folder + from, folder + to);
}

bool DeleteTextFile(const QString &name) {
    if (!IsSafeTextName(name))
        return false;
    return QFile::remove(TextFolderPath() + u'/' + name);
}
