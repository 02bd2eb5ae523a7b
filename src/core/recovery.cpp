#include "core/recovery.h"

#include "core/textfolder.h"
#include "platform/files.h"
#include "platform/textcodec.h"

namespace core {

namespace {

const QString DraftPrefix = QStringLiteral("rascunho");
const QString Extension = QStringLiteral(".txt");

// Copies start with their date, so that the names sort as the copies were made.
bool isCopyName(const QString &name) {
    return name.size() > 19 && name[0].isDigit() && name[4] == u'-' && name.endsWith(Extension);
}

QByteArray fileBytes(const QString &text) {
    const QString crlf = QStringLiteral("\r\n");
    return platform::encodeText(text.endsWith(crlf) ? text : text + crlf);
}

} // namespace

QString recoveryCopyStem(const QDateTime &when, const QString &title) {
    QString stem = when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    if (!title.isEmpty() && title != u"*")
        stem += u' ' + title;
    return stem;
}

QString Recovery::displayPath() const {
    return platform::displayPath(m_path);
}

QString Recovery::freeName(const QString &stem) const {
    QString name = stem + Extension;
    for (int n = 2; platform::entryAt(m_path + u'/' + name).exists; ++n)
        name = stem + QStringLiteral(" (%1)").arg(n) + Extension;
    return name;
}

QStringList Recovery::copies() const {
    QStringList names;
    for (const QString &name : m_files->folderEntries(m_path))
        if (isCopyName(name))
            names << name;
    names.sort();
    return names;
}

QStringList Recovery::drafts() const {
    QStringList names;
    for (const QString &name : m_files->folderEntries(m_path))
        if (name.startsWith(DraftPrefix) && name.endsWith(Extension))
            names << name;
    return names;
}

bool Recovery::keep(const QString &text, const QString &title, const QDateTime &when) const {
    if (!m_files->makeFolder(m_path))
        return false;
    // A title that cannot be part of a file name is left out of it.
    const QString stem = recoveryCopyStem(when, isSafeTextName(title) ? title : QString());
    const QString name =
        isSafeTextName(stem + Extension) ? freeName(stem) : freeName(recoveryCopyStem(when, {}));
    if (!m_files->writeFileAtomically(m_path + u'/' + name, fileBytes(text)))
        return false;
    const QStringList all = copies();
    for (qsizetype i = 0; i + Kept < all.size(); ++i)
        m_files->deleteFile(m_path + u'/' + all[i]);
    return true;
}

bool Recovery::writeDraft(const QString &text, const QString &title) const {
    if (!m_files->makeFolder(m_path))
        return false;
    QString name = DraftPrefix + Extension;
    if (!title.isEmpty() && title != u"*" && isSafeTextName(DraftPrefix + u' ' + title + Extension))
        name = DraftPrefix + u' ' + title + Extension;
    if (!m_files->writeFileAtomically(m_path + u'/' + name, fileBytes(text)))
        return false;
    for (const QString &old : drafts())
        if (old != name)
            m_files->deleteFile(m_path + u'/' + old);
    return true;
}

void Recovery::removeDraft() const {
    for (const QString &name : drafts())
        m_files->deleteFile(m_path + u'/' + name);
}

bool Recovery::adoptDrafts(const QDateTime &now) const {
    bool adopted = false;
    for (const QString &draft : drafts()) {
        QString title = draft.chopped(Extension.size()).mid(DraftPrefix.size()).trimmed();
        const QString name = freeName(recoveryCopyStem(now, title));
        adopted |= m_files->renameFile(m_path + u'/' + draft, m_path + u'/' + name);
    }
    return adopted;
}

} // namespace core
