#include "platform/files.h"
#include "store/textfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestTextFolder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void makesNames_data();
    void makesNames();
    void splitsNames_data();
    void splitsNames();
    void readsFiles_data();
    void readsFiles();
    void savingAnOpenedTextKeepsItsBytes_data();
    void savingAnOpenedTextKeepsItsBytes();
    void encodings_data();
    void encodings();
    void namesNeverLeaveTheFolder_data();
    void namesNeverLeaveTheFolder();
    void listsEntries();
    void nameCheck();
    void readOnlyFileStaysAndWriteFails();
    void missingAndFolderEntriesReadAsNothing();

private:
    static void put(const QString &name, const QByteArray &bytes);
    static QByteArray bytesOf(const QString &name);
};

void TestTextFolder::put(const QString &name, const QByteArray &bytes) {
    QFile f(TextFolderPath() + u'/' + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray TestTextFolder::bytesOf(const QString &name) {
    QFile f(TextFolderPath() + u'/' + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void TestTextFolder::init() {
    QDir(platform::appFolderPath()).removeRecursively();
    QVERIFY(platform::ensureAppFolder());
    QVERIFY(!QFileInfo::exists(TextFolderPath()));
    QVERIFY(EnsureTextFolder());
}

void TestTextFolder::makesNames_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("name");
    QTest::newRow("default extension") << "  notas "
                                       << ""
                                       << "notas.txt";
    QTest::newRow("trimmed extension") << "  notas "
                                       << " md "
                                       << "notas.md";
    QTest::newRow("dot kept") << "notas"
                              << ".md"
                              << "notas..md";
    QTest::newRow("title dot") << "."
                               << ""
                               << "..txt";
    QTest::newRow("blank extension") << "a"
                                     << "   "
                                     << "a.txt";
}

void TestTextFolder::makesNames() {
    QFETCH(QString, title);
    QFETCH(QString, ext);
    QFETCH(QString, name);
    QCOMPARE(MakeTextFileName(title, ext), name);
}

void TestTextFolder::splitsNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ext");
    QTest::newRow("plain") << "notas.txt"
                           << "notas"
                           << "txt";
    QTest::newRow("last dot") << "a.b.txt"
                              << "a.b"
                              << "txt";
    QTest::newRow("trailing dot") << "abc."
                                  << "abc"
                                  << "";
    QTest::newRow("no title") << ".txt"
                              << ""
                              << "txt";
    QTest::newRow("no dot") << "leia-me"
                            << "leia-me"
                            << "";
}

void TestTextFolder::splitsNames() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, ext);
    const TextFileName split = SplitTextFileName(name);
    QCOMPARE(split.title, title);
    QCOMPARE(split.extension, ext);
}

void TestTextFolder::readsFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("CR LF") << QByteArray("abc\r\ndef\r\n") << "abc\r\ndef\r\n";
    QTest::newRow("no final break") << QByteArray("abc\r\ndef") << "abc\r\ndef\r\n";
    QTest::newRow("lone CR ends a line") << QByteArray("abc\rdef") << "abc\r\ndef\r\n";
    QTest::newRow("lone LF stays inside") << QByteArray("a\nb\nc") << "a\nb\nc\r\n";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("only a break") << QByteArray("\r\n") << "\r\n";
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << "\r\n\r\nx\r\n";
}

void TestTextFolder::readsFiles() {
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    put("t.txt", file);
    QCOMPARE(ReadTextFile("t.txt").value_or("<none>"), text);
}

void TestTextFolder::savingAnOpenedTextKeepsItsBytes_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("afterSave");
    QTest::newRow("abc") << QByteArray("abc\r\n") << QByteArray("abc\r\n");
    QTest::newRow("no final break gains one") << QByteArray("abc") << QByteArray("abc\r\n");
    QTest::newRow("empty line at the end")
        << QByteArray("abc\r\n\r\n") << QByteArray("abc\r\n\r\n");
    QTest::newRow("only a break") << QByteArray("\r\n") << QByteArray("\r\n");
}

void TestTextFolder::savingAnOpenedTextKeepsItsBytes() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, afterSave);
    put("t.txt", file);
    for (int round = 0; round < 3; ++round) {
        QVERIFY(WriteTextFile("t.txt", *ReadTextFile("t.txt")));
        QCOMPARE(bytesOf("t.txt"), afterSave);
    }
}

void TestTextFolder::encodings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << "abc" << QByteArray("abc\r\n");
    QTest::newRow("Portuguese in Windows-1252") << "Atenção: €5 · ok"
                                                << QByteArray("Aten\xe7\xe3o: \x80"
                                                              "5 \xb7 ok\r\n");
    QTest::newRow("outside Windows-1252: UTF-8 with BOM")
        << "Привет ✓" << QByteArray("\xEF\xBB\xBF") + QString("Привет ✓\r\n").toUtf8();
    QTest::newRow("empty text") << "" << QByteArray("\r\n");
    QTest::newRow("Windows-1252 that reads as UTF-8 is written as UTF-8")
        << "Ã©" << QByteArray("\xEF\xBB\xBF\xC3\x83\xC2\xA9\r\n");
    QTest::newRow("a text that starts with a byte-order mark of its own")
        << QString(QChar(0xFEFF)) + "x" << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\r\n");
    QTest::newRow("a text that starts like a byte-order mark")
        << "ï»¿x" << QByteArray("\xEF\xBB\xBF") + QString("ï»¿x\r\n").toUtf8();
}

void TestTextFolder::encodings() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QVERIFY(WriteTextFile("e.txt", text));
    QCOMPARE(bytesOf("e.txt"), bytes);
    const QString back = text.isEmpty() ? "\r\n" : text + "\r\n";
    QCOMPARE(ReadTextFile("e.txt").value_or("<none>"), back);
}

void TestTextFolder::namesNeverLeaveTheFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << "../config.txt";
    QTest::newRow("backslash") << "..\\config.txt";
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("empty") << "";
}

void TestTextFolder::namesNeverLeaveTheFolder() {
    QFETCH(QString, name);
    QFile outside(platform::appFolderPath() + "/config.txt");
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.write("keep\r\n");
    outside.close();
    QVERIFY(!ReadTextFile(name));
    QVERIFY(!WriteTextFile(name, "x"));
    QVERIFY(!TextFileExists(name));
    QVERIFY(outside.open(QIODevice::ReadOnly));
    QCOMPARE(outside.readAll(), QByteArray("keep\r\n"));
}

void TestTextFolder::listsEntries() {
    put("b.txt", "b");
    put("A.txt", "a");
    put(".hidden", "h");
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    QStringList names = ListTextFolder();
    names.sort();
    QCOMPARE(names, (QStringList{"A.txt", "b.txt", "velhos"}));
}

void TestTextFolder::nameCheck() {
    put("notas.txt", "x");
    QVERIFY(IsTextNameTaken("notas.txt", "*"));
    QVERIFY(!IsTextNameTaken("notas.txt", "notas.txt"));
    QVERIFY(!IsTextNameTaken("Notas.txt", "*"));
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    QVERIFY(IsTextNameTaken("velhos", "*"));
}

void TestTextFolder::readOnlyFileStaysAndWriteFails() {
    put("ro.txt", "old\r\n");
    QFile::setPermissions(TextFolderPath() + "/ro.txt", QFile::ReadOwner);
    QVERIFY(!WriteTextFile("ro.txt", "new"));
    QCOMPARE(bytesOf("ro.txt"), QByteArray("old\r\n"));
}

void TestTextFolder::missingAndFolderEntriesReadAsNothing() {
    QVERIFY(!ReadTextFile("absent.txt"));
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    QVERIFY(!ReadTextFile("velhos"));
    QVERIFY(!TextFileExists("velhos"));
    QVERIFY(!WriteTextFile("velhos", "x"));
    QVERIFY(QFileInfo(TextFolderPath() + "/velhos").isDir());
}

QTEST_APPLESS_MAIN(TestTextFolder)
#include "test_textfolder.moc"
