#pragma once

#include "platform/files.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace core {

// The recovery folder, "recuperados" in the data folder, beside the text
// folder and never listed with the texts. Text that leaves the strip without
// being saved (closing, a new text, opening another) is kept there, one file
// a drop, named by the date and time and the text's title; and while the
// user types, a draft of the unsaved text stands there, so that a crash
// loses at most the last seconds. Files are in the program's own text format.
//
// The folder is the user's too, and no name tells the user's files from the
// program's: a file saved there by hand may be named like a copy ("1999-12-31
// 23-59-59 copia que guardei.txt") or a draft ("rascunho de carta.txt"). So
// the program lists the names it makes in a record of its own in the folder,
// written (atomically) before each file it names: only what the record lists
// is pruned, or taken for a crash's draft, and never a read-only file. A lost
// or unreadable record makes every file there the user's: nothing is pruned
// or adopted, and nothing is lost.
class Recovery {
public:
    explicit Recovery(QString path, platform::FileSystem &files = platform::FileSystem::system())
        : m_path(std::move(path)), m_files(&files) {}

    static constexpr int Kept = 50;
    // The record of the names the program made, in the folder.
    static constexpr QStringView RecordName = u".registro";

    const QString &path() const { return m_path; }
    QString displayPath() const;

    // A recovery copy of the text; the oldest of the program's copies beyond
    // the newest 50 go. False when it could not be written.
    bool keep(const QString &text, const QString &title, const QDateTime &when);

    // The draft of the text being typed, replacing this run's draft before
    // it once it is written. Never written over a file it did not make.
    bool writeDraft(const QString &text, const QString &title);
    // This run's draft goes: its text was saved, or kept in a copy.
    void removeDraft();

    // Drafts left by a run that did not end (a crash, a kill, a power cut)
    // become recovery copies; one that cannot stays a draft for the next
    // start. True when there was one.
    bool adoptDrafts(const QDateTime &now);

    // The program's copies, oldest first.
    QStringList copies() const;

private:
    QSet<QString> &made() const;
    void record(const QString &name);
    void forget(const QString &name);
    void writeRecord();
    bool isOwnFile(const QString &name) const;
    QString freeName(const QString &stem) const;

    QString m_path;
    platform::FileSystem *m_files;
    // The record, read when first needed.
    mutable std::optional<QSet<QString>> m_made;
    QString m_draft;
    QString m_draftStem;
};

// The name of a recovery copy without its ".txt": "2026-12-07 14-05-09
// Lembretes", without the title for a text that has none. The title is cut
// short where the name would be longer than a file name can be (255 bytes
// of UTF-8, which fits Linux, Windows and Wine alike), room for " (n)" kept;
// no character a file system refuses, nor a line break.
QString recoveryCopyStem(const QDateTime &when, const QString &title);

} // namespace core
