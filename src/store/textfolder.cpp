#include "store/textfolder.h"

#include "store/namerules.h"

#include "platform/files.h"
#include "platform/textcodec.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString pathOf(const QString &name) {
    return TextFolderPath() + u'/' + name;
}

// What a name of the folder leads to, as far as the program may follow it.
enum class Found { NotAName, Nothing, Text, Folder, Outside, Other };

Found find(const QString &name, const QString &canonicalFolder) {
    if (!IsSafeTextName(name))
        return Found::NotAName;
    const platform::Entry e = platform::entryAt(pathOf(name));
    if (!e.exists)
        return Found::Nothing;
    if (e.isLink && (e.kind == platform::EntryKind::Missing || canonicalFolder.isEmpty() ||
                     !e.resolved.startsWith(canonicalFolder + u'/')))
        return Found::Outside;
    switch (e.kind) {
    case platform::EntryKind::File:
        return Found::Text;
    case platform::EntryKind::Folder:
        return Found::Folder;
    default:
        return Found::Other;
    }
}

Found find(const QString &name) {
    return find(name, platform::canonicalPath(TextFolderPath()));
}

} // namespace

QString TextFolderPath() {
    return platform::appFolderPath() + QStringLiteral("/textos");
}

QString TextFilePath(const QString &name) {
    return platform::displayPath(pathOf(name));
}

bool EnsureTextFolder() {
    return platform::makeFolder(TextFolderPath());
}

QStringList ListTextFolder() {
    const QString folder = platform::canonicalPath(TextFolderPath());
    QStringList names;
    for (const QString &name : platform::folderEntries(TextFolderPath()))
        if (find(name, folder) != Found::Outside)
            names << name;
    return names;
}

QString DisplayTextName(const QString &name) {
    return platform::displayName(name);
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
    if (name == openName || !IsSafeTextName(name) || !platform::entryAt(pathOf(name)).exists)
        return false;
    // The open text under a name that differs only in case, on a file system
    // that does not tell them apart.
    return !(IsSafeTextName(openName) && find(openName) == Found::Text &&
             platform::sameEntry(pathOf(name), pathOf(openName)));
}

bool IsSafeTextName(const QString &name) {
    return platform::isSingleName(name);
}

bool TextFileExists(const QString &name) {
    return find(name) == Found::Text;
}

bool WriteTextFile(const QString &name, const QString &text) {
    const Found found = find(name);
    if (found != Found::Nothing && found != Found::Text)
        return false;
    const QString content = text.endsWith(CrLf) ? text : text + CrLf;
    return platform::writeFileAtomically(pathOf(name), platform::encodeText(content));
}

QString TextFromFileContent(const QString &content) {
    QString text;
    text.reserve(content.size() + 2);
    qsizetype start = 0;
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = content[i];
        if (c != u'\r' && c != u'\n')
            continue;
        text += QStringView(content).mid(start, i - start);
        text += CrLf;
        if (c == u'\r' && i + 1 < size && content[i + 1] == u'\n')
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
    if (find(name) != Found::Text)
        return std::nullopt;
    const auto bytes = platform::readFile(pathOf(name));
    if (!bytes)
        return std::nullopt;
    return TextFromFileContent(platform::decodeText(*bytes));
}

bool RenameTextFile(const QString &from, const QString &to) {
    if (find(from) != Found::Text || !IsSafeTextName(to))
        return false;
    return platform::renameFile(pathOf(from), pathOf(to));
}

bool DeleteTextFile(const QString &name) {
    if (find(name) != Found::Text)
        return false;
    return platform::removeFile(pathOf(name)) != platform::Removal::Failed;
}
