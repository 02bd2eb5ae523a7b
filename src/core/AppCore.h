#pragma once

#include "core/config.h"
#include "core/recovery.h"
#include "core/result.h"
#include "core/textfolder.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QTimer>

namespace core {

// The side windows, as the windows and the wiring name them.
enum class Side { Save, List, Config, About, Help };

// What only the windows know, asked for when the core needs it: a text of
// megabytes is not copied on every key, and a window's place is read where
// it stands.
class WindowFacts {
public:
    virtual ~WindowFacts() = default;
    // The text box's text, lines ended by CR LF.
    virtual QString stripText() const = 0;
    // Where the strip stands, in twips.
    virtual QRectF stripPlaceTwips() const = 0;
    // Where the start-up window stands (or was last put), in twips.
    virtual QPointF startupWindowPlaceTwips() const = 0;
};

// The program without its windows: the settings read from config.txt, the
// state of the run, the open text and every file operation. Windows call it
// and show what it holds; it tells them what changed through its signals.
class AppCore : public QObject {
    Q_OBJECT
public:
    // Every file operation goes through `files`: the system's own, or in a
    // test one that fails on demand.
    explicit AppCore(QString dataFolder,
                     platform::FileSystem &files = platform::FileSystem::system(),
                     QObject *parent = nullptr);

    void setWindowFacts(const WindowFacts *facts) { m_facts = facts; }

    // Start-up: the temporary files of saves a kill cut short go; config.txt
    // (written with the default lines when missing) is read once; a draft
    // left by a crash becomes a recovery copy; the last text is reopened
    // when the switch says so (textReplaced).
    void start();

    const TextFolder &textFolder() const { return m_texts; }
    QString configDisplayPath() const;

    // The settings in force, as read at start-up or as saved since (the
    // writers put them back as they were).
    const config::Settings &settings() const { return m_settings; }

    // The width the strip opens at: the configured one, then the one it had
    // when it was last collapsed.
    double stripWidthTwips() const { return m_stripWidthTwips; }
    void setStripWidthTwips(double width) { m_stripWidthTwips = width; }
    // The strip's left edge at the last position save.
    std::optional<float> savedLeftTwips() const { return m_savedLeft; }

    // The open text's file name; none for a text that has no file yet.
    const std::optional<QString> &openName() const { return m_openName; }

    // "Abrir último arquivo editado ao iniciar", for the whole run.
    bool reopenLastText() const { return m_reopenLastText; }
    void setReopenLastText(bool on) { m_reopenLastText = on; }

    // Ctrl+S: the open text written in place, or NoTextOpen. A text not
    // edited since it was read or saved, whose file is still the one it was,
    // is not written again: its bytes stay as they were.
    Result quickSave(const QString &text);

    // "Salvar": the strip's text under the title; it becomes the open text.
    Result saveText(const QString &title, const QString &extension);
    // "Salvar como": the open text's file gets the new name (its text is not
    // written); with no text open, it saves as "Salvar" does.
    Result renameText(const QString &title, const QString &extension);
    // The open text's file as it stands on disk now, against the version last
    // read or written: changed behind the program (another editor, a sync
    // tool) and the box holds no unsaved edits, the box shows it
    // (textReloaded); with unsaved edits the next save keeps it beside the
    // text first. A file rewritten with the same text, or gone, is neither.
    // A watch on the file runs it; every save runs it first. True when the
    // box was given the file's text.
    bool checkOpenFile();

    // "Criar novo arquivo em branco". NotKept, and nothing changes, when the
    // unsaved text's recovery copy cannot be written.
    Result newText();

    // The list window: the folder's names in the list's order.
    QStringList listTexts() const;
    // The text into the strip, its name the open one, recorded in config.txt.
    // NotKept: the unsaved text in the strip stays, with its name and its draft.
    Result openText(const QString &name);
    // "Deletar": to the user's trash. NoTrash: none could take it, and the
    // text stays where it was until the user says to delete it for good.
    Result deleteText(const QString &name);
    Result deleteTextForGood(const QString &name);

    struct SettingsForm {
        QString width, minHeight, maxHeight, transparency; // as typed
        int align;                                         // 1, 2 or 3
        bool startMinimized;
        QString font;
    };
    // "Salvar": the form into config.txt, and what the next start will read
    // from it in force from now on (settingsSaved).
    Result saveSettings(const SettingsForm &form);

    // The positions button: the strip's width and both windows' places.
    Result savePositions();

    // The text changed: a draft follows once typing pauses, and while it
    // goes on, within a few seconds of the first change all the same.
    void textEdited();
    void setDraftDelays(int pauseMs, int mostMs);
    // The program ends: unsaved text goes into a recovery copy, or NotKept.
    Result closing();
    const Recovery &recovery() const { return m_recovery; }
    // A draft left by a run that did not end became a recovery copy at start.
    bool recoveredAfterCrash() const { return m_recoveredAfterCrash; }

signals:
    void textReplaced(const QString &text);
    // The open text's file changed behind the program: its text, into the
    // box, the caret left where it was.
    void textReloaded(const QString &text);
    // A save was about to replace a version of the open text the program had
    // not seen; that version was kept beside it first, under this path.
    void otherVersionKept(const QString &displayPath);
    void openNameChanged(const QString &name);
    // New settings are in force: the windows apply what they show of them.
    void settingsSaved();
    // A write that no window asked for (a draft) failed, the first time
    // since drafts were last written.
    void writeFailed(const QString &displayPath);

private:
    // Every writer of config.txt: the lines, and the global key in force.
    // A writer whose lines are the settings from now on takes them in force.
    enum class InForce { Keep, Take };
    bool writeConfig(const config::Lines &lines, InForce inForce);
    void takeSettings(const QByteArray &configBytes);
    std::optional<QString> lastTextToWrite() const;
    QString positionsNow() const;
    void setOpenName(const std::optional<QString> &name);
    QRectF stripPlaceTwips() const;
    // Unsaved text that leaves the strip goes into a recovery copy first.
    Result dropText();
    void replaceText(const QString &text, const std::optional<QString> &name,
                     const TextFile &file = TextFile());
    bool writeOpenText(const QString &name, const QString &text);
    bool keepUnseenVersion(const QString &name);
    void seeOnDisk(const QString &fileText, const platform::Stamp &stamp);
    bool isSeenOnDisk(const QString &fileText) const;
    void watchOpenText();
    void markSaved(const QString &text);
    bool isSaved(const QString &text) const;
    void writeDraft();
    Result notRemoved(const QString &name) const;

    QString m_dataFolder;
    platform::FileSystem *m_files;
    TextFolder m_texts;
    Recovery m_recovery;
    const WindowFacts *m_facts = nullptr;

    config::Settings m_settings;
    double m_stripWidthTwips = 4410;
    std::optional<float> m_savedLeft;
    std::optional<QString> m_openName;
    bool m_reopenLastText = false;
    // An empty line 9 (a file of eight lines) turns the reopening on and
    // names no text; the writers keep it empty until a text comes in.
    bool m_lastTextLineEmpty = false;

    // What the strip's text was when it was last saved or opened, how its
    // lines end in its file, and which version of the file that was.
    size_t m_savedHash = 0;
    qsizetype m_savedSize = 0;
    LineEnd m_lineEnd = LineEnd::CrLf;
    platform::Stamp m_savedStamp;
    // The text of that version, as read back from it.
    size_t m_diskHash = 0;
    qsizetype m_diskSize = -1;
    // The open text's file and its folder, where a sync tool's save renames
    // a new file over it; a short wait lets a burst of changes settle.
    QFileSystemWatcher m_watcher;
    QTimer m_diskCheck;
    // A pause in typing, or the most a steady typist waits, writes the draft.
    QTimer m_draftTimer;
    QTimer m_draftLimit;
    bool m_draftFailing = false;
    bool m_recoveredAfterCrash = false;
};

} // namespace core
