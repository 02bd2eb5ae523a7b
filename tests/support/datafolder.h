#pragma once

// What every test of the program's files shares: a data folder of its own,
// config.txt as the test wants it, and the windows' part played by plain values.
#include "core/AppCore.h"
#include "support/failingfiles.h"

#include <QMap>
#include <QTemporaryDir>

namespace support {

#ifdef Q_OS_WIN
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

// Why a data folder set up as a test row names it cannot be made on this
// system, or null: Windows has no /proc, its links are shortcuts, and a
// folder's read-only attribute means nothing there.
const char *unsupportedSetup(const QString &setup);

// config.txt as the program writes it: the default lines, some replaced
// (line numbers count from 1), cut after `lineCount` lines.
QByteArray configBytes(const QMap<int, QString> &changes = {},
                       int lineCount = core::config::LineCount);

// A fresh data folder, removed with the test. It lies under XDG_DATA_HOME,
// which CTest points into the build tree, so that the trash a deleted text
// goes to is the one beside it and never the user's.
class DataFolder {
public:
    DataFolder();
    ~DataFolder();
    DataFolder(const DataFolder &) = delete;
    DataFolder &operator=(const DataFolder &) = delete;

    QString path() const { return m_dir.path(); }
    // A path inside the folder, such as "config.txt" or "textos/notas.txt".
    QString file(const QString &relative) const { return path() + u'/' + relative; }
    QString text(const QString &name) const { return file(QStringLiteral("textos/") + name); }

    // config.txt as configBytes() makes it.
    void writeConfig(const QMap<int, QString> &changes = {},
                     int lineCount = core::config::LineCount) const;
    QByteArray config() const { return bytes(QStringLiteral("config.txt")); }

    // Writes a file, making its folders; "<none>" reads back from a file that is not there.
    void put(const QString &relative, const QByteArray &bytes) const;
    void putText(const QString &name, const QByteArray &bytes) const;
    // The same under a name given in the system's own bytes, which need not be text.
    void putNative(const QByteArray &relative, const QByteArray &bytes) const;
    QByteArray bytes(const QString &relative) const;
    QByteArray textBytes(const QString &name) const;

    // The entries of the text folder and of the recovery folder (the
    // program's record of its names aside), sorted.
    QStringList texts() const;
    QStringList recoveryCopies() const;

    // Takes away (or gives back) the owner's write permission: what the
    // program must leave alone, not a way to make a write fail.
    void setReadOnly(const QString &relative, bool readOnly = true) const;

    // Sets the folder up as a test row names it, the text being notas.txt:
    // "text a folder", "config.txt a folder", "text removed", "no text
    // folder", "text folder a file", "proc" (the text folder a link to
    // /proc/self, whose files fail whoever reads them, root included); empty
    // leaves it as it is. Returns why this system cannot, as
    // unsupportedSetup(), and then does nothing.
    const char *prepare(const QString &setup) const;

private:
    QTemporaryDir m_dir;
};

// The windows as the core sees them: the strip's text follows the core's
// textReplaced and textReloaded, as the real text box does, and the places are plain values.
class FakeWindows : public core::WindowFacts {
public:
    QString text;
    QRectF strip{1005, 1005, 4410, 3375};
    QPointF startupWindow{1005, 1005};

    QString stripText() const override { return text; }
    QRectF stripPlaceTwips() const override { return strip; }
    QPointF startupWindowPlaceTwips() const override { return startupWindow; }
};

// A setup as DataFolder::prepare() names it, or a device that fails where
// the row says, the text being notas.txt: "config.txt fails", "text fails",
// "text folder fails" (every change inside it), "recovery full" (nothing new
// written in the recovery folder, as on a full disk).
const char *prepare(const DataFolder &data, FailingFiles &files, const QString &setup);

// The program core over a data folder of its own, with fake windows, on
// files that fail when the test says. A second core over the same data
// folder is the program's next run.
struct Core {
    explicit Core(const DataFolder *shared = nullptr);
    const char *prepare(const QString &setup) { return support::prepare(data, files, setup); }

    std::unique_ptr<DataFolder> ownData;
    const DataFolder &data;
    FailingFiles files;
    FakeWindows windows;
    core::AppCore core;
};

} // namespace support
