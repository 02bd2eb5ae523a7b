#include "core/recovery.h"

#include "core/textcodec.h"

#include <QRegularExpression>

namespace core {

namespace {

const QString DraftPrefix = QStringLiteral("rascunho");
const QString Extension = QStringLiteral(".txt");
// Room kept in every name for the " (n)" that tells apart two copies made
// in one second.
const QString NumberRoom = QStringLiteral(" (9999)");
constexpr int MostNumbers = 9999;
const QByteArray RecordHeader =
    "# Arquivos desta pasta que o Corvale Scrivulets criou: só estes ele apaga.\n";

QByteArray fileBytes(const QString &text) {
    const QString crlf = QStringLiteral("\r\n");
    return encodeText(text.endsWith(crlf) ? text : text + crlf);
}

// Whether the name fits every file system the program meets: 255 UTF-16
// units on Windows, 255 bytes on Linux, and 255 bytes of UTF-8 under Wine,
// whose Windows names are Linux names underneath. UTF-8 never takes fewer
// bytes than UTF-16 takes units, so 255 bytes of it fit them all.
bool fitsEverywhere(const QString &name) {
    return platform::isSingleName(name) && name.toUtf8().size() <= 255;
}

// The title as part of a name the program makes: one line of text (what
// the system keeps as stray bytes, and control characters, become a mark or
// a blank), cut short where the name would not fit, room for " (n)" kept.
QString titlePart(const QString &head, const QString &title) {
    QString part;
    part.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        if (c.isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate()) {
            part += c;
            part += title[++i];
        } else if (c.isSurrogate()) {
            part += QChar::ReplacementCharacter;
        } else {
            part += c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c;
        }
    }
    part = part.trimmed();
    while (!part.isEmpty() && !fitsEverywhere(head + part + NumberRoom + Extension)) {
        part.chop(part.size() > 1 && part.back().isLowSurrogate() ? 2 : 1);
        part = part.trimmed();
    }
    return part;
}

QString withTitle(const QString &head, const QString &title) {
    const QString part = titlePart(head + u' ', title);
    return part.isEmpty() ? head : head + u' ' + part;
}

bool isDraftName(const QString &name) {
    return name.startsWith(DraftPrefix);
}

// The title a draft's name carries, without the number that kept it apart.
QString draftTitle(const QString &draft) {
    static const QRegularExpression number(QStringLiteral(" \\(\\d+\\)$"));
    return draft.chopped(Extension.size()).mid(DraftPrefix.size()).remove(number).trimmed();
}

} // namespace

QString recoveryCopyStem(const QDateTime &when, const QString &title) {
    return withTitle(when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")), title);
}

QString Recovery::displayPath() const {
    return platform::displayPath(m_path);
}

QSet<QString> &Recovery::made() const {
    if (!m_made) {
        m_made.emplace();
        const std::optional<QByteArray> bytes =
            m_files->readFile(m_path + u'/' + RecordName.toString());
        for (QByteArray line : bytes.value_or(QByteArray()).split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            const QString name = QString::fromUtf8(line);
            if (!name.startsWith(u'#') && platform::isSingleName(name))
                m_made->insert(name);
        }
    }
    return *m_made;
}

void Recovery::writeRecord() {
    QStringList names = made().values();
    names.sort();
    QByteArray bytes = RecordHeader;
    for (const QString &name : names)
        bytes += name.toUtf8() + '\n';
    // A record that cannot be written leaves the new file unlisted, which
    // only keeps it from being pruned.
    m_files->writeFileAtomically(m_path + u'/' + RecordName.toString(), bytes);
}

// Listed before the file is written: a crash in between leaves a name
// without a file, never a file of the program's that looks like the user's.
void Recovery::record(const QString &name) {
    made().insert(name);
    writeRecord();
}

void Recovery::forget(const QString &name) {
    made().remove(name);
}

bool Recovery::isOwnFile(const QString &name) const {
    if (!made().contains(name))
        return false;
    const platform::Entry e = platform::entryAt(m_path + u'/' + name);
    return e.kind == platform::EntryKind::File && !e.isLink && e.ownerWritable;
}

QString Recovery::freeName(const QString &stem) const {
    for (int n = 1; n <= MostNumbers; ++n) {
        const QString name =
            n == 1 ? stem + Extension : stem + QStringLiteral(" (%1)").arg(n) + Extension;
        if (!platform::entryAt(m_path + u'/' + name).exists)
            return name;
    }
    return {};
}

QStringList Recovery::copies() const {
    QStringList names;
    for (const QString &name : made())
        if (!isDraftName(name) &&
            platform::entryAt(m_path + u'/' + name).kind == platform::EntryKind::File)
            names << name;
    // Copies start with their date, so the names sort as the copies were made.
    names.sort();
    return names;
}

bool Recovery::keep(const QString &text, const QString &title, const QDateTime &when) {
    if (!m_files->makeFolder(m_path))
        return false;
    const QString name = freeName(recoveryCopyStem(when, title));
    if (name.isEmpty())
        return false;
    record(name);
    if (!m_files->writeFileAtomically(m_path + u'/' + name, fileBytes(text)))
        return false;
    // The names of files that are gone (the user deleted them) go too.
    bool changed = false;
    for (const QString &listed : made().values())
        if (!platform::entryAt(m_path + u'/' + listed).exists && listed != m_draft) {
            forget(listed);
            changed = true;
        }
    QStringList prunable = copies();
    prunable.removeIf([this](const QString &copy) { return !isOwnFile(copy); });
    for (qsizetype i = 0; i + Kept < prunable.size(); ++i)
        if (m_files->deleteFile(m_path + u'/' + prunable[i])) {
            forget(prunable[i]);
            changed = true;
        }
    if (changed)
        writeRecord();
    return true;
}

bool Recovery::writeDraft(const QString &text, const QString &title) {
    if (!m_files->makeFolder(m_path))
        return false;
    const QString stem = withTitle(DraftPrefix, title);
    QString name = m_draft;
    if (m_draft.isEmpty() || stem != m_draftStem) {
        name = freeName(stem);
        if (name.isEmpty())
            return false;
        record(name);
    }
    if (!m_files->writeFileAtomically(m_path + u'/' + name, fileBytes(text)))
        return false;
    // The draft before goes only now that the new one is on the disk.
    const QString before = m_draft;
    m_draft = name;
    m_draftStem = stem;
    if (!before.isEmpty() && before != name && m_files->deleteFile(m_path + u'/' + before)) {
        forget(before);
        writeRecord();
    }
    return true;
}

void Recovery::removeDraft() {
    if (m_draft.isEmpty())
        return;
    const QString path = m_path + u'/' + m_draft;
    if (m_files->deleteFile(path) || !platform::entryAt(path).exists) {
        forget(m_draft);
        writeRecord();
    }
    m_draft.clear();
    m_draftStem.clear();
}

bool Recovery::adoptDrafts(const QDateTime &now) {
    bool adopted = false;
    bool changed = false;
    for (const QString &draft : made().values()) {
        if (!isDraftName(draft) || !isOwnFile(draft))
            continue;
        const QString copy = freeName(recoveryCopyStem(now, draftTitle(draft)));
        if (copy.isEmpty())
            continue;
        record(copy);
        changed = true;
        // The draft becomes the copy in one step: it is never gone before
        // the copy is there, and one that cannot be renamed stays a draft.
        if (m_files->renameFile(m_path + u'/' + draft, m_path + u'/' + copy)) {
            forget(draft);
            adopted = true;
        } else {
            forget(copy);
        }
    }
    if (changed)
        writeRecord();
    return adopted;
}

} // namespace core
