#include "support/datafolder.h"
#include "support/rows.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTest>

using core::AppCore;
using Kind = core::Result::Kind;
using support::row;

Q_DECLARE_METATYPE(Kind)

namespace {

const QByteArray Unchanged = "<unchanged>";

// The settings start-up applies, in one line: strip width in twips, text box
// heights, opacity, alignment, and the four places in twips ("-" for one
// that moves nothing).
QString settingsOf(const AppCore &c) {
    const core::config::Settings &s = c.settings();
    QStringList parts{QString::number(c.stripWidthTwips()), QString::number(s.textMinPx),
                      QString::number(s.textMaxPx), QString::number(s.opacityPercent),
                      QString::number(int(s.align))};
    for (const std::optional<double> &p : s.positionsTwips)
        parts << (p ? QString::number(*p) : QStringLiteral("-"));
    return parts.join(u' ');
}

// The open text's name, "*" for none as line 9 says it.
QString nameOf(const AppCore &c) {
    return c.openName().value_or(QStringLiteral("*"));
}

// Every entry of the text folder with its bytes, CR LF as "|".
QString listing(const support::DataFolder &data) {
    QStringList files;
    for (const QString &name : data.texts())
        files << name + u'=' + QString::fromLatin1(data.textBytes(name)).replace("\r\n", "|");
    return files.join(u' ');
}

} // namespace

// The program core over real files and fake windows: start-up, every file
// operation, the settings and positions writers, the always-on-top owner.
class TestAppCore : public QObject {
    Q_OBJECT
private slots:
    void start_data() {
        QTest::addColumn<QByteArray>("config"); // "<none>": no file
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("openName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("reopen");
        using support::configBytes;
        const QString at = " 1000 1000 1000 1000", defaults = "4410 140 280 90 1" + at,
                      replaced = "4410 140 140 100 2 - - - -", max = QString::number(32767 * 15);
        const QString none, notas = "notas.txt", text = "abc\r\ndef\r\n";
        row("first run: the default file", QByteArray("<none>"), defaults, "*", none, false);
        row("the last text reopened", configBytes({{9, notas}}), defaults, notas, text, true);
        row("a missing last text: its name, no text", configBytes({{9, "outra.txt"}}), defaults,
            "outra.txt", none, true);
        row("eight lines: the empty ninth value turns the reopening on", configBytes({}, 8),
            defaults, "*", none, true);
        row("seven lines: no ninth value, no places", configBytes({}, 7),
            "4410 140 280 90 1 - - - -", "*", none, false);
        // A name that cannot be a file of the text folder names nothing.
        row("a path", configBytes({{9, "../config.txt"}}), defaults, "*", none, false);
        row("as long as a file name", configBytes({{9, QString(255, u'a')}}), defaults,
            QString(255, u'a'), none, true);
        row("longer than a file name", configBytes({{9, QString(256, u'a')}}), defaults, "*", none,
            false);
        row("a NUL", configBytes().replace("*\r", QByteArray("a\0b.txt\r", 8)), defaults, "*", none,
            false);
        row("a LF-only file is one value", QByteArray("400\n140\n280\n50\n"), replaced, "*", none,
            false);
        row("config.txt cannot be read: every value replaced", QByteArray("<folder>"), replaced,
            "*", none, false);
        // Numbers held to what a screen can take, never wrapped around.
        row("a width that wrapped around", configBytes({{1, "286331554"}}),
            max + " 140 280 90 1" + at, "*", none, false);
        row("a width of 20 digits", configBytes({{1, "99999999999999999999"}}),
            max + " 140 280 90 1" + at, "*", none, false);
        row("heights of 300 digits",
            configBytes({{2, QString(300, u'9')}, {3, QString(300, u'9')}}),
            "4410 32767 32767 90 1" + at, "*", none, false);
        row("positions far off, or no number", configBytes({{8, "-99999999|1e20|99999999999|abc"}}),
            "4410 140 280 90 1 -491520 - " + max + " -", "*", none, false);
    }

    void start() {
        QFETCH(QByteArray, config);
        support::Core c;
        if (config == "<folder>")
            QVERIFY(QDir().mkpath(c.data.file("config.txt")));
        else if (config != "<none>")
            c.data.put("config.txt", config);
        c.data.putText("notas.txt", "abc\r\ndef");
        c.core.start();
        QTEST(settingsOf(c.core), "settings");
        QTEST(nameOf(c.core), "openName");
        QTEST(c.windows.text, "text");
        QTEST(c.core.reopenLastText(), "reopen");
        QVERIFY(!c.core.recoveredAfterCrash());
        if (config == "<none>")
            QCOMPARE(c.data.config(), support::configBytes());
        if (config == "<folder>")
            QVERIFY(QFileInfo(c.data.file("config.txt")).isDir());
    }

    void dataFolderThatCannotBeCreated() {
        support::DataFolder data;
        data.put("bloqueio", "a file where the data folder's parent should be");
        support::FakeWindows windows;
        AppCore core(data.file("bloqueio/dados"));
        core.setWindowFacts(&windows);
        core.start();
        QCOMPARE(settingsOf(core), "4410 140 140 100 2 - - - -");
        QCOMPARE(nameOf(core), "*");
        QCOMPARE(core.saveText("nota", "").kind, Kind::Failed);
        QVERIFY(!core.savePositions().done());
    }

    // Ctrl+S writes the open text in place, twice alike: the file is replaced,
    // never appended to. A text as it was read keeps its file's bytes; an
    // edited one the line ends it was read with.
    void quickSave_data() {
        QTest::addColumn<QString>("line9");
        QTest::addColumn<QByteArray>("file"); // notas.txt before
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text"); // null: as it was opened
        QTest::addColumn<Kind>("result");
        QTest::addColumn<QByteArray>("bytes"); // of notas.txt afterwards
        const auto Saved = Kind::Done, Failed = Kind::Failed, NoText = Kind::NoTextOpen;
        const QByteArray old = "antigo\r\n", lf = "a\nb\n";
        const QString asOpened;
        QByteArray binary(4096, 0);
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char(i * 7 % 256);
        row("one line", "notas.txt", old, "", "abc", Saved, QByteArray("abc\r\n"));
        row("the text folder deleted meanwhile is made again", "notas.txt", old, "no text folder",
            "abc", Saved, QByteArray("abc\r\n"));
        row("a folder of that name", "notas.txt", old, "text a folder", "novo", Failed,
            QByteArray("<none>"));
        row("no text open", "*", old, "", "novo", NoText, old);
        row("the empty ninth value of an eight-line file", "", old, "", "novo", NoText, old);
        row("LF-only, not edited", "notas.txt", lf, "", asOpened, Saved, lf);
        row("LF-only without a final break", "notas.txt", QByteArray("a\nb"), "", asOpened, Saved,
            QByteArray("a\nb"));
        row("LF-only, edited: LF-only", "notas.txt", lf, "", "a\r\nb\r\nc", Saved,
            QByteArray("a\nb\nc\n"));
        row("CR LF, edited: CR LF", "notas.txt", QByteArray("a\r\n"), "", "a\r\nc", Saved,
            QByteArray("a\r\nc\r\n"));
        row("not a text, not edited", "notas.txt", binary, "", asOpened, Saved, binary);
        row("LF-only, removed meanwhile: written back", "notas.txt", lf, "text removed", asOpened,
            Saved, lf);
    }

    void quickSave() {
        QFETCH(QString, line9);
        QFETCH(QByteArray, file);
        QFETCH(QString, setup);
        QFETCH(QString, text);
        support::Core c;
        c.data.writeConfig({{9, line9}}, line9.isEmpty() ? 8 : 9);
        c.data.putText("notas.txt", file);
        c.core.start();
        const std::optional<QString> openName = c.core.openName();
        if (const char *why = c.prepare(setup))
            QSKIP(why);
        if (!text.isNull())
            c.windows.text = text;
        for (int i = 0; i < 2; ++i) {
            QTEST(c.core.quickSave(c.windows.text).kind, "result");
            QTEST(c.data.textBytes("notas.txt"), "bytes");
        }
        QCOMPARE(c.core.openName(), openName);
    }

    void saveAndRename_data() {
        QTest::addColumn<QString>("open"); // line 9; empty for an eight-line config.txt
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<Kind>("outcome");
        QTest::addColumn<QString>("openAfter");
        QTest::addColumn<QString>("files");
        const auto Done = Kind::Done, Empty = Kind::EmptyTitle, Taken = Kind::NameTaken,
                   Forbidden = Kind::ForbiddenCharacters, Failed = Kind::Failed;
        const char *const before = "notas.txt=n| outra.txt=o|";
        // The strip holds "texto"; notas.txt and outra.txt are saved texts.
        row("Salvar: spaces only", "notas.txt", "", false, "  ", "", Empty, "notas.txt", before);
        row("Salvar como: a dot", "notas.txt", "", true, ".", "", Empty, "notas.txt", before);
        row("Salvar: name taken", "notas.txt", "", false, "outra", "", Taken, "notas.txt", before);
        row("Salvar como: name taken", "notas.txt", "", true, "outra", "", Taken, "notas.txt",
            before);
        row("Salvar: a pasted path", "notas.txt", "", false, "../fora", "", Forbidden, "notas.txt",
            before);
        row("Salvar como: a pasted path", "notas.txt", "", true, "../fora", "", Forbidden,
            "notas.txt", before);
        row("Salvar: an extension with a path", "notas.txt", "", false, "x", "txt/../../x",
            Forbidden, "notas.txt", before);
        row("Salvar: the open text's own name", "notas.txt", "", false, "notas", "txt", Done,
            "notas.txt", "notas.txt=texto| outra.txt=o|");
        row("Salvar: a new text", "*", "", false, " lista ", "", Done, "lista.txt",
            "lista.txt=texto| notas.txt=n| outra.txt=o|");
        row("Salvar: a dot for a title", "*", "", false, ".", "", Done, "..txt",
            "..txt=texto| notas.txt=n| outra.txt=o|");
        row("Salvar: a dot for an extension", "*", "", false, "a", ".", Done, "a..",
            "a..=texto| notas.txt=n| outra.txt=o|");
        row("Salvar como: the file renamed, the text not written", "notas.txt", "", true, "notasx",
            "txt", Done, "notasx.txt", "notasx.txt=n| outra.txt=o|");
        row("Salvar como without an open text saves as Salvar", "*", "", true, "novo", "", Done,
            "novo.txt", "notas.txt=n| novo.txt=texto| outra.txt=o|");
        row("Salvar como after an eight-line config.txt saves too", "", "", true, "novo", "", Done,
            "novo.txt", "notas.txt=n| novo.txt=texto| outra.txt=o|");
        row("Salvar como: the file went meanwhile", "sumiu.txt", "", true, "sumiu2", "", Failed,
            "sumiu.txt", before);
        row("Salvar: the text cannot be written", "notas.txt", "text fails", false, "notas", "",
            Failed, "notas.txt", before);
        row("Salvar como: the text folder refuses", "notas.txt", "text folder fails", true, "x", "",
            Failed, "notas.txt", before);
        row("Salvar: the text folder cannot be made", "*", "text folder a file", false, "nova", "",
            Failed, "*", "");
    }

    void saveAndRename() {
        QFETCH(QString, open);
        QFETCH(QString, setup);
        QFETCH(bool, rename);
        QFETCH(QString, title);
        QFETCH(QString, extension);
        QFETCH(QString, files);
#ifdef Q_OS_WIN
        // Windows drops the dots at the end of a file name: "a.." is "a" there.
        files.replace(QStringLiteral("a..="), QStringLiteral("a="));
#endif
        support::Core c;
        c.data.writeConfig({{9, open}}, open.isEmpty() ? 8 : 9);
        c.data.putText("notas.txt", "n\r\n");
        c.data.putText("outra.txt", "o\r\n");
        c.core.start();
        c.windows.text = "texto";
        if (const char *why = c.prepare(setup))
            QSKIP(why);
        QTEST(
            (rename ? c.core.renameText(title, extension) : c.core.saveText(title, extension)).kind,
            "outcome");
        QTEST(nameOf(c.core), "openAfter");
        if (!files.isEmpty())
            QCOMPARE(listing(c.data), files);
        QVERIFY(!QFileInfo::exists(c.data.file("fora.txt")));
    }

    void savedTextReopensAtNextStart_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        row("accents and spaces", "Lista de compras – ação", "pão\r\nfeijão");
        row("outside Windows-1252", "Заметки ✓ 笔记", "Привет ✓");
        row("a leading dot", ".oculto", "x");
    }

    void savedTextReopensAtNextStart() {
        QFETCH(QString, title);
        QFETCH(QString, text);
        support::Core first;
        first.core.start();
        first.core.setReopenLastText(true);
        first.windows.text = text;
        QVERIFY(first.core.saveText(title, "").done());
        // The positions button records the open text for the next start.
        QVERIFY(first.core.savePositions().done());
        support::Core next(&first.data);
        next.core.start();
        QCOMPARE(next.core.openName(), title + ".txt");
        QCOMPARE(next.windows.text, text + "\r\n");
    }

    void openText_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("reopen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Kind>("result");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("openName");
        QTest::addColumn<QByteArray>("config");
        // Line 1 is the configured start width, not the width the strip has
        // now; lines 2 to 8 are the values in force.
        const QByteArray written =
            "400\r\n150\r\n300\r\n80\r\n3\r\n2\r\nGeorgia\r\n1005|1010|2000|3000\r\n";
        const QString notas = "notas.txt", opened = "abc\r\n", mine = "meu texto";
        row("opened, reopening on", "", true, notas, Kind::Done, opened, notas,
            written + "notas.txt\r\n");
        row("opened, reopening off", "", false, notas, Kind::Done, opened, notas,
            written + "*\r\n");
        row("opened, config.txt cannot be written", "config.txt fails", true, notas,
            Kind::ConfigNotWritten, opened, notas, Unchanged);
        row("removed meanwhile", "", true, "sumiu.txt", Kind::Missing, mine, "*", Unchanged);
        row("a folder", "", true, "velhos", Kind::Missing, mine, "*", Unchanged);
        row("unreadable", "proc", true, "mem", Kind::Unreadable, mine, "*", Unchanged);
    }

    void openText() {
        QFETCH(QString, setup);
        QFETCH(bool, reopen);
        QFETCH(QString, name);
        QFETCH(QByteArray, config);
        support::Core c;
        c.data.writeConfig({{1, "400"},
                            {2, "150"},
                            {3, "300"},
                            {4, "80"},
                            {5, "3"},
                            {7, "Georgia"},
                            {8, "1005|1010|2000|3000"}});
        c.data.putText("notas.txt", "abc\r\n");
        QVERIFY(QDir().mkpath(c.data.text("velhos")));
        if (const char *why = c.prepare(setup))
            QSKIP(why);
        const QByteArray before = c.data.config();
        c.core.start();
        c.core.setReopenLastText(reopen);
        c.windows.text = "meu texto";
        c.windows.strip.setWidth(9000);  // widened since,
        c.core.setStripWidthTwips(9000); // and collapsed at that width
        QTEST(c.core.openText(name).kind, "result");
        QTEST(c.windows.text, "text");
        QTEST(nameOf(c.core), "openName");
        QCOMPARE(c.data.config(), config == Unchanged ? before : config);
    }

    void listTexts_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("listed");
        row("a sub-folder among files",
            QStringList{"textos/b.txt", "textos/A.txt", "textos/velhos/x"},
            QStringList{"A.txt", "b.txt", "velhos"});
        row("names starting with a dot", QStringList{"textos/.segredo.txt", "textos/z.txt"},
            QStringList{".segredo.txt", "z.txt"});
        row("no text folder yet", QStringList(), QStringList());
        row("recovery copies are not texts",
            QStringList{"recuperados/2026-12-07 14-05-09.txt", "textos/a.txt"},
            QStringList{"a.txt"});
        row("an interrupted save's leftover", QStringList{"textos/ ~k2j9.tmp"}, QStringList());
    }

    void listTexts() {
        QFETCH(QStringList, files);
        support::Core c;
        for (const QString &f : files)
            c.data.put(f, "x");
        c.core.start();
        QTEST(c.core.listTexts(), "listed");
        QVERIFY(QFileInfo(c.data.file("textos")).isDir());
    }

    void deleteText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usableTrash");
        QTest::addColumn<Kind>("removal");
        row("to the trash", "notas.txt", true, Kind::Done);
        row("a sub-folder", "velhos", true, Kind::Failed);
        row("removed meanwhile", "sumiu.txt", true, Kind::Missing);
        // Where the trash cannot be set up, Qt 6.4 takes the current folder for one.
        if (!support::onWindows)
            row("no usable trash: the text stays", "notas.txt", false, Kind::NoTrash);
    }

    void deleteText() {
        QFETCH(QString, name);
        QFETCH(bool, usableTrash);
        QFETCH(Kind, removal);
        const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash";
        QDir(trash).removeRecursively();
        if (!usableTrash)
            QVERIFY(QFile(trash).open(QIODevice::WriteOnly));
        support::Core c;
        c.data.putText("notas.txt", "abc\r\n");
        QVERIFY(QDir().mkpath(c.data.text("velhos")));
        c.core.start();
        const Kind done = c.core.deleteText(name).kind;
        QFile::remove(trash);
        // Wine has no Recycle Bin: the text stays there, and the user is asked.
        if (support::onWindows && done == Kind::NoTrash)
            removal = Kind::NoTrash;
        QCOMPARE(done, removal);
        const bool trashed = removal == Kind::Done;
        QCOMPARE(c.data.textBytes("notas.txt"), trashed ? "<none>" : "abc\r\n");
        if (support::onWindows) // whose Recycle Bin is elsewhere
            return;
        QFile inTrash(trash + "/files/notas.txt");
        QCOMPARE(inTrash.open(QIODevice::ReadOnly), trashed);
        if (trashed)
            QCOMPARE(inTrash.readAll(), QByteArray("abc\r\n"));
        QVERIFY(!QFileInfo::exists("files") && !QFileInfo::exists("info"));
    }

    // Deleted for good where the user chose to, whatever the trash.
    void deleteForGood_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("deleted");
        row("a text", "", true);
        row("a folder", "text a folder", false);
    }

    void deleteForGood() {
        QFETCH(QString, setup);
        QFETCH(bool, deleted);
        support::Core c;
        c.data.putText("notas.txt", "abc\r\n");
        c.core.start();
        if (const char *why = c.prepare(setup))
            QSKIP(why);
        QCOMPARE(c.core.deleteTextForGood("notas.txt").done(), deleted);
        QCOMPARE(c.core.listTexts().contains("notas.txt"), !deleted);
    }

    // A kill in the middle of a save leaves its temporary file; the next start
    // removes those written before it, and nothing else.
    void startRemovesTemporaryFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("ageSeconds"); // before the start; negative: after it
        QTest::addColumn<bool>("removed");
        row("in the text folder", "textos/ ~0k2j9x0a4mz1q.tmp", 60, true);
        row("in the recovery folder", "recuperados/ ~3zzzzzzzzzzzz.tmp", 60, true);
        row("in the data folder", " ~000000001abcd.tmp", 86400, true);
        row("one a running save is writing", "textos/ ~0k2j9x0a4mz1q.tmp", -60, false);
        row("a user's file named alike", "textos/ ~notas.tmp", 60, false);
        row("a text", "textos/0k2j9x0a4mz1q.tmp", 60, false);
    }

    void startRemovesTemporaryFiles() {
        QFETCH(QString, file);
        QFETCH(int, ageSeconds);
        QFETCH(bool, removed);
        support::Core c;
        c.data.put(file, "parte de um texto");
        QFile put(c.data.file(file));
        QVERIFY(put.open(QIODevice::ReadWrite));
        QVERIFY(put.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                QFileDevice::FileModificationTime));
        put.close();
        c.core.start();
        QCOMPARE(!QFileInfo::exists(c.data.file(file)), removed);
    }

    void saveSettings_data() {
        QTest::addColumn<QStringList>("boxes"); // width, heights, transparency as typed
        QTest::addColumn<int>("align");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("reopen");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<Kind>("result");
        QTest::addColumn<QByteArray>("config");
        const QStringList typed{"300", "150", "400", "80"};
        const QByteArray head = "300\r\n150\r\n400\r\n80\r\n", tail = "1005|1005|6000|1500\r\n";
        const auto Saved = Kind::Done;
        row("as typed", typed, 2, false, false, "", Saved,
            head + "2\r\n2\r\nVerdana\r\n" + tail + "*\r\n");
        row("the reader's limits are not the writer's", QStringList{"100", "1", "0", "999"}, 3,
            true, false, "", Saved,
            "100\r\n1\r\n0\r\n999\r\n3\r\n1\r\nVerdana\r\n" + tail + "*\r\n");
        row("reopening on: the open text", typed, 1, false, true, "", Saved,
            head + "1\r\n2\r\nVerdana\r\n" + tail + "notas.txt\r\n");
        for (int i = 0; i < 4; ++i) {
            QStringList emptied = typed;
            emptied[i].clear();
            QTest::addRow("box %d empty", i + 1)
                << emptied << 1 << false << false << "" << Kind::EmptyField << Unchanged;
        }
        row("config.txt cannot be written", typed, 1, false, false, "config.txt fails",
            Kind::Failed, Unchanged);
    }

    void saveSettings() {
        QFETCH(QStringList, boxes);
        QFETCH(int, align);
        QFETCH(bool, minimized);
        QFETCH(bool, reopen);
        QFETCH(QString, setup);
        QFETCH(QByteArray, config);
        support::Core c;
        c.data.writeConfig({{9, "notas.txt"}});
        c.core.start();
        c.core.setReopenLastText(reopen);
        c.windows.strip.moveTo(6000, 1500);
        if (const char *why = c.prepare(setup))
            QSKIP(why);
        const QByteArray before = c.data.config();
        QTEST(
            c.core
                .saveSettings({boxes[0], boxes[1], boxes[2], boxes[3], align, minimized, "Verdana"})
                .kind,
            "result");
        QCOMPARE(c.data.config(), config == Unchanged ? before : config);
        // In force at once as the next start reads them from the file; a file
        // not written changes nothing.
        support::Core next(&c.data);
        next.core.start();
        QCOMPARE(settingsOf(c.core), settingsOf(next.core));
        QCOMPARE(c.core.settings().font, next.core.settings().font);
        QCOMPARE(c.core.settings().startMinimized, next.core.settings().startMinimized);
    }

    // The writers that come after a save put back what the user saved: the
    // positions button with the places the windows have now, the list window
    // with those saved.
    void savedSettingsAreWrittenBack_data() {
        QTest::addColumn<QStringList>("boxes"); // width, heights, transparency as typed
        QTest::addColumn<QString>("then");
        QTest::addColumn<QByteArray>("config");
        const QStringList typed{"300", "150", "400", "80"}, outOfBounds{"100", "1", "0", "999"};
        const QByteArray saved = "300\r\n150\r\n400\r\n80\r\n2\r\n1\r\nVerdana\r\n",
                         bounded = "294\r\n140\r\n140\r\n100\r\n2\r\n1\r\nVerdana\r\n",
                         placesNow = "1005|1005|7500|3000\r\nnotas.txt\r\n",
                         placesSaved = "1005|1005|6000|1500\r\noutra.txt\r\n";
        row("the positions button", typed, "positions", saved + placesNow);
        row("opening a text", typed, "open", saved + placesSaved);
        // As the next start reads them: the reader's limits and replacements.
        row("out of bounds, the positions button", outOfBounds, "positions", bounded + placesNow);
        row("out of bounds, opening a text", outOfBounds, "open", bounded + placesSaved);
        // What the positions button saved is in force too.
        row("the positions button, then opening a text", typed, "positions open",
            saved + "1005|1005|7500|3000\r\noutra.txt\r\n");
    }

    void savedSettingsAreWrittenBack() {
        QFETCH(QStringList, boxes);
        QFETCH(QString, then);
        support::Core c;
        c.data.writeConfig({{9, "notas.txt"}});
        c.data.putText("outra.txt", "o\r\n");
        c.core.start();
        c.windows.strip.moveTo(6000, 1500);
        // The strip takes the width in force, as the real one does.
        QObject::connect(&c.core, &AppCore::settingsSaved,
                         [&c] { c.windows.strip.setWidth(c.core.stripWidthTwips()); });
        QVERIFY(c.core.saveSettings({boxes[0], boxes[1], boxes[2], boxes[3], 2, true, "Verdana"})
                    .done());
        c.windows.strip.moveTo(7500, 3000);
        if (then.startsWith(u"positions"))
            QVERIFY(c.core.savePositions().done());
        if (then.endsWith(u"open"))
            QVERIFY(c.core.openText("outra.txt").done());
        QTEST(c.data.config(), "config");
    }

    // Line 10 goes through every writer as it was read, and a file of nine
    // lines stays one of nine.
    void writersKeepTheGlobalKey_data() {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("key"); // line 10 at start-up; empty: a file of nine lines
        for (const char *writer : {"positions", "open", "settings"})
            for (const char *key : {"Ctrl+Alt+E", "Ctrl+Alt+Ç", ""})
                QTest::addRow("%s, %s", writer, *key ? key : "nine lines") << writer << key;
    }

    void writersKeepTheGlobalKey() {
        QFETCH(QString, writer);
        QFETCH(QString, key);
        support::Core c;
        c.data.put("config.txt",
                   support::configBytes() + (key.isEmpty() ? "" : key.toLatin1() + "\r\n"));
        c.data.putText("outra.txt", "o\r\n");
        c.core.start();
        if (writer == u"positions")
            QVERIFY(c.core.savePositions().done());
        else if (writer == u"open")
            QVERIFY(c.core.openText("outra.txt").done());
        else
            QVERIFY(c.core.saveSettings({"300", "150", "400", "80", 2, false, "Arial"}).done());
        const QList<QByteArray> lines = c.data.config().split('\n');
        QCOMPARE(lines.size(), key.isEmpty() ? 10 : 11); // and the empty end after the last
        if (!key.isEmpty())
            QCOMPARE(lines[9], key.toLatin1() + '\r');
        QCOMPARE(c.core.settings().globalKey, key);
    }

    void savePositions_data() {
        QTest::addColumn<QRectF>("strip");
        QTest::addColumn<QPointF>("startupWindow");
        QTest::addColumn<QString>("line9");
        QTest::addColumn<QString>("then"); // what happens to the open text after start-up
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QByteArray>("config");
        // Lines 2 to 7 are the values in force since start-up, not those the
        // settings window wrote since.
        const QByteArray inForce = "\r\n150\r\n300\r\n50\r\n3\r\n1\r\nVerdana\r\n",
                         moved = "400" + inForce + "1005|1005|3000|1500\r\n";
        const QRectF strip(3000, 1500, 6000, 3375);
        const QPointF ini(1005, 1005);
        row("widened to 400 px, moved", strip, ini, "*", "", "", moved + "*\r\n");
        row("start-up window moved, base width", QRectF(4500, 600, 4410, 3375), QPointF(1500, 2250),
            "*", "", "", "294" + inForce + "1500|2250|4500|600\r\n*\r\n");
        row("a half twip kept", QRectF(367.5, 0, 4410, 3375), ini, "*", "", "",
            "294" + inForce + "1005|1005|367.5|0\r\n*\r\n");
        row("reopening on, text open", strip, ini, "notas.txt", "", "", moved + "notas.txt\r\n");
        row("reopening on, then a new blank text", strip, ini, "notas.txt", "new", "",
            moved + "*\r\n");
        row("reopening off, then a text saved", strip, ini, "*", "save", "", moved + "*\r\n");
        row("eight lines: the empty ninth stays empty", strip, ini, "", "", "", moved + "\r\n");
        row("config.txt cannot be written", strip, ini, "*", "", "config.txt fails", Unchanged);
        row("a folder named config.txt", strip, ini, "*", "", "config.txt a folder",
            QByteArray("<none>"));
    }

    void savePositions() {
        QFETCH(QRectF, strip);
        QFETCH(QPointF, startupWindow);
        QFETCH(QString, line9);
        QFETCH(QString, then);
        QFETCH(QString, setup);
        QFETCH(QByteArray, config);
        support::Core c;
        c.data.writeConfig(
            {{2, "150"}, {3, "300"}, {4, "50"}, {5, "3"}, {6, "1"}, {7, "Verdana"}, {9, line9}},
            line9.isEmpty() ? 8 : 9);
        c.core.start();
        c.data.writeConfig({{4, "70"}, {7, "Georgia"}});
        const QByteArray before = c.data.config();
        if (then == u"new")
            c.core.newText();
        if (then == u"save")
            QVERIFY(c.core.saveText("outra", "").done());
        if (const char *why = c.prepare(setup))
            QSKIP(why);
        c.windows.strip = strip;
        c.windows.startupWindow = startupWindow;
        QCOMPARE(c.core.savePositions().done(), setup.isEmpty());
        QCOMPARE(c.data.config(), config == Unchanged ? before : config);
        // The maximize toggle's fallback edge: where the strip stood at the save.
        QCOMPARE(c.core.savedLeftTwips().value_or(-1), float(strip.x()));
    }

    // The open text's file changed behind the program (another editor, a sync
    // tool that renames its copy over it), then the box saved: what the box
    // had not seen is shown when nothing of the box's is unsaved, and kept
    // beside it, byte for byte, when a save would replace it.
    void changedBehindTheProgram_data() {
        QTest::addColumn<QString>("typed");     // unsaved in the box; null: nothing
        QTest::addColumn<QByteArray>("behind"); // the file's new bytes; "<none>": removed
        QTest::addColumn<bool>("renamedOver");  // rather than rewritten in place
        QTest::addColumn<QString>("save");      // "Ctrl+S", "Salvar", or a failing "Ctrl+S"
        QTest::addColumn<QString>("box");       // the box's text after the save
        QTest::addColumn<QString>("files");     // the text folder after it, as listing() says
        const QString other = "notas (outra versão DATE).txt=";
        row("nothing unsaved: the box shows the new version", QString(), QByteArray("deles\r\n"),
            true, "Ctrl+S", "deles\r\n", "notas.txt=deles|");
        row("unsaved, Ctrl+S: the other version kept beside", "meu", QByteArray("deles\n"), false,
            "Ctrl+S", "meu", other + "deles\n notas.txt=meu|");
        row("unsaved, Salvar under its own title", "meu", QByteArray("deles"), true, "Salvar",
            "meu", other + "deles notas.txt=meu|");
        row("the same text written again: no copy", "meu", QByteArray("salvo\r\n"), true, "Ctrl+S",
            "meu", "notas.txt=meu|");
        row("removed: the save writes it back", "meu", QByteArray("<none>"), false, "Ctrl+S", "meu",
            "notas.txt=meu|");
        row("the copy cannot be written: nothing saved over theirs", "meu", QByteArray("deles"),
            false, "failing", "meu", "notas.txt=deles");
    }

    void changedBehindTheProgram() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, behind);
        QFETCH(bool, renamedOver);
        QFETCH(QString, save);
        support::Core c;
        c.data.writeConfig({{9, "notas.txt"}});
        c.data.putText("notas.txt", "salvo\r\n");
        c.core.start();
        QSignalSpy kept(&c.core, &AppCore::otherVersionKept);
        if (!typed.isNull()) {
            c.windows.text = typed;
            c.core.textEdited();
        }
        const QString path = c.data.text("notas.txt");
        if (behind == "<none>") {
            QVERIFY(QFile::remove(path));
        } else if (renamedOver) {
            QSaveFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(behind);
            QVERIFY(file.commit());
        } else {
            c.data.putText("notas.txt", behind);
        }
        if (typed.isNull())
            QTRY_COMPARE(c.windows.text, QString::fromLatin1(behind));
        if (save == u"failing")
            c.prepare("text folder fails");
        if (save == u"Salvar")
            QCOMPARE(c.core.saveText("notas", "txt").kind, Kind::Done);
        else
            QCOMPARE(c.core.quickSave(c.windows.text).kind,
                     save == u"failing" ? Kind::Failed : Kind::Done);
        QTEST(c.windows.text, "box");
        QString files = listing(c.data);
        files.replace(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d"), "DATE");
        QTEST(files, "files");
        QCOMPARE(kept.size(), int(files.contains("outra versão")));
        if (save == u"failing")
            return;
        // Saved, the box holds nothing unsaved: the next change behind it
        // shows, the program's own write having left the watch in place.
        c.data.putText("notas.txt", "depois\r\n");
        QTRY_COMPARE(c.windows.text, "depois\r\n");
    }
};

QTEST_GUILESS_MAIN(TestAppCore)
#include "test_appcore.moc"
