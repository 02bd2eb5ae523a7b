#pragma once

#include "platform/files.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace core {

// The recovery folder, "recuperados" in the data folder, beside the text
// folder and never listed with the texts. Text that leaves the strip without
// being saved (closing, a new text, opening another) is kept there, one file
// a drop, named by the date and time and the text's title; and while the
// user types, a draft of the unsaved text stands there, so that a crash
// loses at most the last seconds. Files are in the program's own text format.
class Recovery {
public:
    explicit Recovery(QString path, platform::FileSystem &files = platform::FileSystem::system())
        : m_path(std::move(path)), m_files(&files) {}

    static constexpr int Kept = 50;

    const QString &path() const { return m_path; }
    QString displayPath() const;

    // A recovery copy of the text; the oldest beyond the newest 50 go.
    // False when it could not be written.
    bool keep(const QString &text, const QString &title, const QDateTime &when) const;

    // The draft of the text being typed, replacing the one before.
    bool writeDraft(const QString &text, const QString &title) const;
    void removeDraft() const;

    // Drafts left by a run that did not end (a crash, a kill, a power cut)
    // become recovery copies. True when there was one.
    bool adoptDrafts(const QDateTime &now) const;

    // The copies, oldest first.
    QStringList copies() const;

private:
    QStringList drafts() const;
    QString freeName(const QString &stem) const;

    QString m_path;
    platform::FileSystem *m_files;
};

// The name of a recovery copy: "2026-12-07 14-05-09 Lembretes.txt", without
// the title for a text that has none. No character a file system refuses.
QString recoveryCopyStem(const QDateTime &when, const QString &title);

} // namespace core
