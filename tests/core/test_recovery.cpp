#include "support/datafolder.h"
#include "support/rows.h"

#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using core::AppCore;
using support::row;

// Typed text is never lost: what leaves the strip unsaved is kept in the
// recovery folder, and a draft stands there while the user types.
class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void droppedTextIsKept_data() {
        QTest::addColumn<QString>("open");  // line 9; notas.txt holds "salvo"
        QTest::addColumn<QString>("typed"); // the strip's text before it leaves; null: as opened
        QTest::addColumn<bool>("saveFirst");
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("copy"); // the copy's name after its date and time, or none
        QTest::addColumn<QByteArray>("bytes");
        row("a new text typed, then a new text", "*", "lembrete", false, "new", ".txt",
            QByteArray("lembrete\r\n"));
        row("an open text edited, then another opened", "notas.txt", "salvo\r\nmais", false, "open",
            " notas.txt", QByteArray("salvo\r\nmais\r\n"));
        row("an open text edited, then closing", "notas.txt", "outro", false, "close", " notas.txt",
            QByteArray("outro\r\n"));
        row("saved first: no copy", "notas.txt", "outro", true, "close", "", QByteArray());
        row("an empty text: no copy", "*", "", false, "new", "", QByteArray());
        row("opened and left as it was: no copy", "notas.txt", QString(), false, "open", "",
            QByteArray());
    }

    void droppedTextIsKept() {
        QFETCH(QString, open);
        QFETCH(QString, typed);
        QFETCH(bool, saveFirst);
        QFETCH(QString, leave);
        QFETCH(QString, copy);
        support::Core c;
        c.data.writeConfig({{9, open}});
        c.data.putText("notas.txt", "salvo\r\n");
        c.data.putText("outra.txt", "outra\r\n");
        c.core.start();
        if (!typed.isNull()) {
            c.windows.text = typed;
            c.core.textEdited();
        }
        if (saveFirst)
            QVERIFY(c.core.quickSave(c.windows.text).done());
        if (leave == u"new")
            QVERIFY(c.core.newText().done());
        else if (leave == u"open")
            QVERIFY(c.core.openText("outra.txt").done());
        else
            QVERIFY(c.core.closing().done());
        if (leave == u"new") {
            QCOMPARE(c.windows.text, "");
            QVERIFY(!c.core.openName());
        }

        const QStringList copies = c.data.recoveryCopies();
        QCOMPARE(copies.size(), copy.isEmpty() ? 0 : 1);
        if (copy.isEmpty())
            return;
        const QRegularExpression named("^\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d" +
                                       QRegularExpression::escape(copy) + '$');
        QVERIFY2(named.match(copies[0]).hasMatch(), qPrintable(copies[0]));
        QTEST(c.data.bytes("recuperados/" + copies[0]), "bytes");
        QVERIFY(!c.core.listTexts().contains(copies[0]));
        // Kept once: leaving again drops nothing new.
        QVERIFY(c.core.closing().done());
        QCOMPARE(c.data.recoveryCopies(), copies);
    }

    // The unsaved text stays in the strip, with its name and its draft, where
    // its recovery copy cannot be written: nothing leaves it unkept.
    void refusedWhereTheCopyCannotBeWritten_data() {
        QTest::addColumn<QString>("leave");
        row("a new text", "new");
        row("another text opened", "open");
        row("closing", "close");
    }

    void refusedWhereTheCopyCannotBeWritten() {
        QFETCH(QString, leave);
        support::Core c;
        c.data.writeConfig({{9, "notas.txt"}});
        c.data.putText("notas.txt", "salvo\r\n");
        c.data.putText("outra.txt", "outra\r\n");
        c.core.start();
        c.core.setDraftDelays(0, 0);
        c.windows.text = "editado";
        c.core.textEdited();
        QTRY_COMPARE(c.data.recoveryCopies(), QStringList{"rascunho notas.txt"});
        c.prepare("recovery full");
        if (leave == u"new")
            QVERIFY(!c.core.newText().done());
        else if (leave == u"open")
            QCOMPARE(c.core.openText("outra.txt").kind, core::Result::Kind::NotKept);
        else
            QVERIFY(!c.core.closing().done());
        QCOMPARE(c.windows.text, "editado");
        QCOMPARE(c.core.openName(), QString("notas.txt"));
        QCOMPARE(c.data.recoveryCopies(), QStringList{"rascunho notas.txt"});
        QCOMPARE(c.data.bytes("recuperados/rascunho notas.txt"), "editado\r\n");
        // Nothing counts as kept: once the folder takes it, the copy is written.
        c.files.heal();
        QVERIFY(c.core.closing().done());
        QCOMPARE(c.data.recoveryCopies().size(), 1);
        QVERIFY(c.data.recoveryCopies()[0].endsWith(" notas.txt"));
    }

    // However steadily the typing goes on, a draft is written within the
    // most a draft waits; a pause writes one sooner.
    void draftsWhileTyping_data() {
        QTest::addColumn<int>("keyEveryMs");
        row("steady typing, never a pause", 20);
        row("a pause after each key", 400);
    }

    void draftsWhileTyping() {
        QFETCH(int, keyEveryMs);
        support::Core c;
        c.core.start();
        c.core.setDraftDelays(200, 600);
        QTimer typist;
        QObject::connect(&typist, &QTimer::timeout, [&] {
            c.windows.text += u'x';
            c.core.textEdited();
        });
        typist.start(keyEveryMs);
        QTRY_COMPARE_WITH_TIMEOUT(c.data.recoveryCopies(), QStringList{"rascunho.txt"}, 5000);
        typist.stop();
        // Saved, the text needs its draft no more.
        QVERIFY(c.core.saveText("nota", "").done());
        QCOMPARE(c.data.recoveryCopies(), QStringList());
    }

    // A draft that cannot be written is said once, until one is written again.
    void draftFailureSaidOncePerSpell() {
        support::Core c;
        c.core.start();
        c.core.setDraftDelays(0, 0);
        QVERIFY(QDir().mkpath(c.data.file("recuperados")));
        QSignalSpy told(&c.core, &AppCore::writeFailed);
        const auto typeAndWait = [&](const QString &text) {
            const int before = c.files.writes;
            c.windows.text = text;
            c.core.textEdited();
            QTRY_VERIFY(c.files.writes > before);
        };
        c.prepare("recovery full");
        for (const char *text : {"a", "ab", "abc"})
            typeAndWait(text);
        QCOMPARE(told.size(), 1);
        c.files.heal();
        typeAndWait("abcd");
        QTRY_COMPARE(c.data.bytes("recuperados/rascunho.txt"), "abcd\r\n");
        c.prepare("recovery full");
        typeAndWait("abcde");
        QCOMPARE(told.size(), 2);
        QCOMPARE(told.last().first().toString(), c.core.recovery().displayPath());
    }

    // A draft becomes its copy at the next start whatever its title's length,
    // and is never removed before: one that cannot be renamed stays a draft.
    void draftsOfLongTitlesAreAdopted_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("renameFails"); // at the first start after the crash
        row("a title of 240 letters", QString(240, u'a'), false);
        row("a title of 120 two-byte letters", QString(120, u'ã'), false);
        row("a draft that cannot be renamed waits for the next start", "notas", true);
    }

    void draftsOfLongTitlesAreAdopted() {
        QFETCH(QString, title);
        QFETCH(bool, renameFails);
        support::Core c;
        c.data.writeConfig({{9, title + ".txt"}});
        c.data.putText(title + ".txt", "salvo\r\n");
        c.core.start();
        c.core.setDraftDelays(0, 0);
        c.windows.text = "perdido";
        c.core.textEdited();
        QTRY_COMPARE(c.data.recoveryCopies().size(), 1);
        const QString draft = c.data.recoveryCopies()[0];

        // The run ends without a word (a crash).
        support::Core next(&c.data);
        if (renameFails)
            next.files.failMatching("/rascunho");
        next.core.start();
        QCOMPARE(next.core.recoveredAfterCrash(), !renameFails);
        if (renameFails) {
            QCOMPARE(c.data.recoveryCopies(), QStringList{draft});
            support::Core third(&c.data);
            third.core.start();
            QVERIFY(third.core.recoveredAfterCrash());
        }
        const QStringList copies = c.data.recoveryCopies();
        QCOMPARE(copies.size(), 1);
        QVERIFY2(copies[0].contains(QRegularExpression(
                     "^\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d " + title.left(50))),
                 qPrintable(copies[0]));
        QCOMPARE(c.data.bytes("recuperados/" + copies[0]), "perdido\r\n");
    }

    // The newest 50 of the program's copies stay. What the user put in the
    // folder is never pruned nor taken for a draft, whatever its name, and
    // neither is a copy the user made read-only.
    void onlyTheProgramsOwnCopiesArePruned_data() {
        QTest::addColumn<QString>("userFile"); // in the recovery folder before the copies
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("copies"); // of the program's, after 55 copies
        row("the newest 50 stay", "", "", 50);
        row("a name that starts with a number", "1234-lista-de-compras.txt", "", 50);
        row("a name like a copy's", "1999-12-31 23-59-59 copia que guardei.txt", "", 50);
        row("a name like a draft's", "rascunho de carta.txt", "", 50);
        row("the oldest copy made read-only", "", "read-only", 51);
        row("the record lost: nothing pruned", "", "record lost", 55);
    }

    void onlyTheProgramsOwnCopiesArePruned() {
        QFETCH(QString, userFile);
        QFETCH(QString, setup);
        QFETCH(int, copies);
        support::DataFolder data;
        if (!userFile.isEmpty())
            data.put("recuperados/" + userFile, "meu\r\n");
        std::optional<core::Recovery> recovery(std::in_place, data.file("recuperados"));
        const QDateTime start(QDate(2026, 12, 7), QTime(9, 0));
        for (int i = 0; i < 55; ++i) {
            QVERIFY(recovery->keep(QString::number(i), "nota", start.addSecs(i)));
            if (i == 0 && setup == u"read-only")
                data.setReadOnly("recuperados/2026-12-07 09-00-00 nota.txt");
            // Lost between two runs.
            if (i == 49 && setup == u"record lost") {
                QVERIFY(QFile::remove(data.file("recuperados/.registro")));
                recovery.emplace(data.file("recuperados"));
            }
        }
        QStringList made = data.recoveryCopies();
        made.removeOne(userFile);
        QCOMPARE(made.size(), copies);
        QCOMPARE(made.last(), "2026-12-07 09-00-54 nota.txt");
        if (userFile.isEmpty())
            return;
        QCOMPARE(data.bytes("recuperados/" + userFile), "meu\r\n");
        support::Core next(&data);
        next.core.start();
        QVERIFY(!next.core.recoveredAfterCrash());
        QCOMPARE(data.bytes("recuperados/" + userFile), "meu\r\n");
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "test_recovery.moc"
