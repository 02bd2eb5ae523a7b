#include "core/textfolder.h"

#include "core/names.h"
#include "core/textcodec.h"
#include "platform/files.h"

#include <QCollator>
#include <algorithm>

namespace core {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Every CR LF as LF, in one pass over a text of any size.
QString lfOnly(const QString &crlf) {
    QString lf(crlf.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < crlf.size(); ++i)
        if (!(crlf[i] == u'\r' && i + 1 < crlf.size() && crlf[i + 1] == u'\n'))
            lf[n++] = crlf[i];
    lf.truncate(n);
    return lf;
}

} // namespace

QString makeTextFileName(const QString &title, const QString &extension) {
    const QString ext = trimSpaces(extension);
    return trimSpaces(title) + (ext.isEmpty() ? QStringLiteral(".txt") : u'.' + ext);
}

TextFileName splitTextFileName(const QString &name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot + 1)};
}

namespace {

// Every line ended by CR LF, the last one too: the file is the text already.
// Found by searching, which Qt does many characters at a time.
bool endsEveryLineWithCrLf(const QString &content) {
    if (!content.endsWith(CrLf))
        return false;
    // Each CR followed by LF, and no other LF.
    qsizetype pairs = 0;
    for (qsizetype at = content.indexOf(u'\r'); at >= 0; at = content.indexOf(u'\r', at + 2)) {
        if (at + 1 == content.size() || content.at(at + 1) != u'\n')
            return false;
        ++pairs;
    }
    qsizetype lineFeeds = 0;
    for (qsizetype at = content.indexOf(u'\n'); at >= 0; at = content.indexOf(u'\n', at + 1))
        ++lineFeeds;
    return lineFeeds == pairs;
}

} // namespace

QString textFromFileContent(const QString &content) {
    // The usual file, shared rather than copied: a large text is held once.
    if (endsEveryLineWithCrLf(content))
        return content;
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

LineEnd lineEndOf(const QString &content) {
    return content.contains(u'\n') && !content.contains(u'\r') ? LineEnd::Lf : LineEnd::CrLf;
}

QString otherVersionName(const QString &name, const QDateTime &when, int number) {
    const TextFileName parts = splitTextFileName(name);
    const QString dot = name.contains(u'.') ? QStringLiteral(".") : QString();
    QString tail = QStringLiteral(" (outra versão %1)").arg(when.toString(u"yyyy-MM-dd HH-mm"));
    if (number > 1)
        tail += QStringLiteral(" (%1)").arg(number);
    QString title = parts.title;
    for (;;) {
        const QString candidate = title + tail + dot + parts.extension;
        if (platform::isSingleName(candidate) && candidate.toUtf8().size() <= 255)
            return candidate;
        if (title.isEmpty())
            return {};
        title.chop(title.size() > 1 && title.back().isLowSurrogate() ? 2 : 1);
    }
}

QStringList sortedTextNames(QStringList names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool isSafeTextName(const QString &name) {
    return platform::isSingleName(name);
}

QString displayTextName(const QString &name) {
    return platform::displayName(name);
}

TextFolder::Found TextFolder::find(const QString &name, const QString &canonicalFolder) const {
    if (!isSafeTextName(name))
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

TextFolder::Found TextFolder::find(const QString &name) const {
    return find(name, platform::canonicalPath(m_path));
}

QString TextFolder::displayPath(const QString &name) const {
    return platform::displayPath(pathOf(name));
}

bool TextFolder::ensure() const {
    return m_files->makeFolder(m_path);
}

QStringList TextFolder::list() const {
    const QString canonical = platform::canonicalPath(m_path);
    QStringList names;
    for (const QString &name : m_files->folderEntries(m_path))
        if (find(name, canonical) != Found::Outside)
            names << name;
    return names;
}

bool TextFolder::isNameTaken(const QString &name, const QString &openName) const {
    if (name == openName || !isSafeTextName(name) || !platform::entryAt(pathOf(name)).exists)
        return false;
    // The open text under a name that differs only in case, on a file system
    // that does not tell them apart.
    return !(find(openName) == Found::Text && platform::sameEntry(pathOf(name), pathOf(openName)));
}

bool TextFolder::exists(const QString &name) const {
    return find(name) == Found::Text;
}

std::optional<TextFile> TextFolder::read(const QString &name) const {
    if (find(name) != Found::Text)
        return std::nullopt;
    // The stamp first: a file changed while it is read looks changed at the next save.
    const platform::Stamp stamp = this->stamp(name);
    const auto bytes = m_files->readFile(pathOf(name));
    if (!bytes)
        return std::nullopt;
    const QString content = decodeText(*bytes);
    return TextFile{textFromFileContent(content), lineEndOf(content), stamp};
}

platform::Stamp TextFolder::stamp(const QString &name) const {
    return find(name) == Found::Text ? platform::entryAt(pathOf(name)).stamp : platform::Stamp();
}

bool TextFolder::write(const QString &name, const QString &text, LineEnd lineEnd) const {
    const Found found = find(name);
    if (found != Found::Nothing && found != Found::Text)
        return false;
    const QString content = text.endsWith(CrLf) ? text : text + CrLf;
    return m_files->writeFileAtomically(
        pathOf(name), encodeText(lineEnd == LineEnd::Lf ? lfOnly(content) : content));
}

bool TextFolder::rename(const QString &from, const QString &to) const {
    if (find(from) != Found::Text || !isSafeTextName(to))
        return false;
    return m_files->renameFile(pathOf(from), pathOf(to));
}

platform::Removal TextFolder::remove(const QString &name) const {
    if (find(name) != Found::Text)
        return platform::Removal::Failed;
    return m_files->removeFile(pathOf(name));
}

bool TextFolder::removeForGood(const QString &name) const {
    return find(name) == Found::Text && m_files->deleteFile(pathOf(name));
}

} // namespace core
