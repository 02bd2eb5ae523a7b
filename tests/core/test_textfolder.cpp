#include "core/textfolder.h"
#include "support/datafolder.h"
#include "support/rows.h"

#include <QDir>
#include <QFile>
#include <QTest>

using core::TextFolder;
using support::row;

namespace {

QString textOf(const std::optional<core::TextFile> &file) {
    return file ? file->text : QStringLiteral("<none>");
}

} // namespace

// The folder of saved texts over real files: what is read, written, listed,
// renamed and deleted, and what never is.
class TestTextFolder : public QObject {
    Q_OBJECT
private slots:
    void init() {
        data = std::make_unique<support::DataFolder>();
        folder = std::make_unique<TextFolder>(data->file("textos"));
        QVERIFY(!QFileInfo::exists(folder->path()));
        QVERIFY(folder->ensure());
    }

    void cleanup() {
        folder.reset();
        data.reset();
    }

    void readAndSavedAgain_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved"); // the file after the text is saved unchanged
        row("CR LF", QByteArray("abc\r\ndef\r\n"), "abc\r\ndef\r\n", QByteArray("abc\r\ndef\r\n"));
        row("no final break gains one", QByteArray("abc\r\ndef"), "abc\r\ndef\r\n",
            QByteArray("abc\r\ndef\r\n"));
        row("a lone CR ends a line", QByteArray("abc\rdef"), "abc\r\ndef\r\n",
            QByteArray("abc\r\ndef\r\n"));
        row("LF line ends stay LF", QByteArray("a\nb\nc\n"), "a\r\nb\r\nc\r\n",
            QByteArray("a\nb\nc\n"));
        row("LF with a CR among them: CR LF", QByteArray("a\nb\rc"), "a\r\nb\r\nc\r\n",
            QByteArray("a\r\nb\r\nc\r\n"));
        row("empty file", QByteArray(), "", QByteArray("\r\n"));
        row("only a break", QByteArray("\r\n"), "\r\n", QByteArray("\r\n"));
        row("empty lines kept", QByteArray("\r\n\r\nx\r\n\r\n"), "\r\n\r\nx\r\n\r\n",
            QByteArray("\r\n\r\nx\r\n\r\n"));
        const QByteArray bom = "\xEF\xBB\xBF"
                               "caf\xE9\r\n";
        row("a byte-order mark before bytes that are not UTF-8", bom, QString::fromLatin1(bom),
            bom);
    }

    // Read, and written again three times as read, in the line ends it had.
    void readAndSavedAgain() {
        QFETCH(QByteArray, file);
        data->putText("t.txt", file);
        QTEST(textOf(folder->read("t.txt")), "text");
        for (int round = 0; round < 3; ++round) {
            const core::TextFile file = *folder->read("t.txt");
            QVERIFY(folder->write("t.txt", file.text, file.lineEnd));
            QTEST(data->textBytes("t.txt"), "saved");
        }
    }

    void encodings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        row("ASCII", "abc", QByteArray("abc\r\n"));
        row("Portuguese in Windows-1252", "Atenção: €5 · ok",
            QByteArray("Aten\xe7\xe3o: \x80"
                       "5 \xb7 ok\r\n"));
        row("outside Windows-1252: UTF-8 with BOM", "Привет ✓",
            QByteArray("\xEF\xBB\xBF") + QString("Привет ✓\r\n").toUtf8());
        row("empty text", "", QByteArray("\r\n"));
        row("Windows-1252 that reads as UTF-8 is written as UTF-8", "Ã©",
            QByteArray("\xEF\xBB\xBF\xC3\x83\xC2\xA9\r\n"));
        row("a text that starts with a byte-order mark of its own", QString(QChar(0xFEFF)) + "x",
            QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\r\n"));
        row("a text that starts like a byte-order mark", "ï»¿x",
            QByteArray("\xEF\xBB\xBF") + QString("ï»¿x\r\n").toUtf8());
    }

    void encodings() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QVERIFY(folder->write("e.txt", text));
        QCOMPARE(data->textBytes("e.txt"), bytes);
        const QString back = text.isEmpty() ? "\r\n" : text + "\r\n";
        QCOMPARE(textOf(folder->read("e.txt")), back);
    }

    void namesNeverLeaveTheFolder_data() {
        QTest::addColumn<QString>("name");
        row("slash", "../config.txt");
        row("dot", ".");
        row("dot dot", "..");
        row("empty", "");
    }

    void namesNeverLeaveTheFolder() {
        QFETCH(QString, name);
        data->put("config.txt", "keep\r\n");
        QVERIFY(!folder->read(name));
        QVERIFY(!folder->write(name, "x"));
        QVERIFY(!folder->exists(name));
        QCOMPARE(data->config(), "keep\r\n");
    }

    void nameCheck_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("open");
        QTest::addColumn<bool>("taken");
        row("a saved text", "notas.txt", "*", true);
        row("the open text itself", "notas.txt", "notas.txt", false);
        // Windows's file names ignore case: there it is the same file.
        row("another case", "Notas.txt", "*", support::onWindows);
        row("a sub-folder", "velhos", "*", true);
        // What is on the disk counts, shown in the list or not.
        row("a dot name", ".segredo.txt", "*", true);
        if (!support::unsupportedSetup("link"))
            row("a link that leads nowhere", "quebrado.txt", "*", true);
        row("nothing", "nada.txt", "*", false);
    }

    void nameCheck() {
        QFETCH(QString, name);
        QFETCH(QString, open);
        data->putText("notas.txt", "x");
        data->putText(".segredo.txt", "x");
        QVERIFY(QDir(folder->path()).mkdir("velhos"));
        if (!support::unsupportedSetup("link"))
            QVERIFY(QFile::link("/nowhere/at/all", folder->path() + "/quebrado.txt"));
        QTEST(folder->isNameTaken(name, open), "taken");
    }

    // What the user marked read-only stays as it is, root's runs included.
    void readOnlyIsLeftAlone_data() {
        QTest::addColumn<QString>("readOnly");
        row("read-only text", "textos/ro.txt");
        row("read-only folder", "textos");
    }

    void readOnlyIsLeftAlone() {
        QFETCH(QString, readOnly);
        if (const char *why = support::unsupportedSetup(QTest::currentDataTag()))
            QSKIP(why);
        data->putText("ro.txt", "old\r\n");
        data->setReadOnly(readOnly);
        QVERIFY(!folder->write("ro.txt", "new"));
        QVERIFY(!folder->rename("ro.txt", "outro.txt"));
        QCOMPARE(folder->remove("ro.txt"), platform::Removal::Failed);
        QVERIFY(!folder->removeForGood("ro.txt"));
        QCOMPARE(data->textBytes("ro.txt"), QByteArray("old\r\n"));
        QCOMPARE(folder->list(), QStringList{"ro.txt"});
    }

    void linksNeverLeadOut_data() {
        QTest::addColumn<QString>("target"); // where the link leads, from the text folder
        QTest::addColumn<bool>("inside");
        row("a file outside", "../fora.txt", false);
        row("nowhere", "../nada.txt", false);
        row("a text of the folder", "notas.txt", true);
    }

    void linksNeverLeadOut() {
        if (const char *why = support::unsupportedSetup("link"))
            QSKIP(why);
        QFETCH(QString, target);
        QFETCH(bool, inside);
        data->putText("notas.txt", "dentro\r\n");
        if (target != "../nada.txt")
            data->putText("../fora.txt", "fora\r\n");
        QVERIFY(QFile::link(target, folder->path() + "/elo.txt"));
        QCOMPARE(folder->list().contains("elo.txt"), inside);
        QCOMPARE(folder->exists("elo.txt"), inside);
        QCOMPARE(folder->read("elo.txt").has_value(), inside);
        QCOMPARE(folder->write("elo.txt", "novo"), inside);
        QVERIFY(folder->isNameTaken("elo.txt", "*"));
        QCOMPARE(data->textBytes("../fora.txt"),
                 target == "../nada.txt" ? QByteArray("<none>") : "fora\r\n");
        QCOMPARE(data->textBytes("notas.txt"), inside ? "novo\r\n" : "dentro\r\n");
    }

    void namesThatAreNotUtf8() {
        if (support::onWindows)
            QSKIP("Windows's file names are UTF-16 and always text");
        // A name made elsewhere, with a Latin-1 byte and a save's leftover beside it.
        data->putNative("textos/caf\xE9.txt", "abc\r\n");
        data->putText(" ~k2j9.tmp", "abc\r\n");
        const QStringList names = folder->list();
        QCOMPARE(names.size(), 1);
        const QString name = names.first();
        QCOMPARE(core::displayTextName(name), QString("caf\uFFFD.txt"));
        QCOMPARE(textOf(folder->read(name)), "abc\r\n");
        QVERIFY(folder->write(name, "novo"));
        QVERIFY(folder->rename(name, "café.txt"));
        QCOMPARE(data->textBytes("café.txt"), QByteArray("novo\r\n"));
    }

private:
    std::unique_ptr<support::DataFolder> data;
    std::unique_ptr<TextFolder> folder;
};

QTEST_APPLESS_MAIN(TestTextFolder)
#include "test_textfolder.moc"
