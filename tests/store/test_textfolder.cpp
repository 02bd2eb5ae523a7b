#include "platform/files.h"
#include "startup/config.h"
#include "store/textfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    void readOnlyIsLeftAlone_data();
    void readOnlyIsLeftAlone();
    void missingAndFolderEntriesReadAsNothing();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void linksNeverLeadOut_data();
    void linksNeverLeadOut();
    void namesThatAreNotUtf8();
    void deletedTextsGoToTheTrash();

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
    QVERIFY(platform::makeFolder(platform::appFolderPath()));
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
    QTest::newRow("lone LF ends a line") << QByteArray("a\nb\nc\n") << "a\r\nb\r\nc\r\n";
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
    QTest::newRow("LF line ends gain no line")
        << QByteArray("a\nb\nc\n") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("a byte-order mark before bytes that are not UTF-8") << QByteArray("\xEF\xBB\xBF"
                                                                                     "caf\xE9\r\n")
                                                                       << QByteArray("\xEF\xBB\xBF"
                                                                                     "caf\xE9\r\n");
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
    put(".segredo.txt", "h");
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    QStringList names = ListTextFolder();
    names.sort();
    QCOMPARE(names, (QStringList{".segredo.txt", "A.txt", "b.txt", "velhos"}));
}

void TestTextFolder::nameCheck() {
    put("notas.txt", "x");
    QVERIFY(IsTextNameTaken("notas.txt", "*"));
    QVERIFY(!IsTextNameTaken("notas.txt", "notas.txt"));
    QVERIFY(!IsTextNameTaken("Notas.txt", "*"));
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    QVERIFY(IsTextNameTaken("velhos", "*"));
    // What is on the disk counts, shown in the list or not.
    put(".segredo.txt", "x");
    QVERIFY(IsTextNameTaken(".segredo.txt", "*"));
    QVERIFY(QFile::link("/nowhere/at/all", TextFolderPath() + "/quebrado.txt"));
    QVERIFY(IsTextNameTaken("quebrado.txt", "*"));
}

void TestTextFolder::readOnlyIsLeftAlone_data() {
    QTest::addColumn<bool>("folderReadOnly");
    QTest::newRow("read-only text") << false;
    QTest::newRow("read-only folder") << true;
}

void TestTextFolder::readOnlyIsLeftAlone() {
    QFETCH(bool, folderReadOnly);
    put("ro.txt", "old\r\n");
    const QString path = folderReadOnly ? TextFolderPath() : TextFolderPath() + "/ro.txt";
    const QFile::Permissions before = QFile::permissions(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    const bool wrote = WriteTextFile("ro.txt", "new");
    const bool renamed = RenameTextFile("ro.txt", "outro.txt");
    const bool deleted = DeleteTextFile("ro.txt");
    QFile::setPermissions(path, before);
    QVERIFY(!wrote);
    QVERIFY(!renamed);
    QVERIFY(!deleted);
    QCOMPARE(bytesOf("ro.txt"), QByteArray("old\r\n"));
    QCOMPARE(ListTextFolder(), QStringList{"ro.txt"});
}
void TestTextFolder::missingAndFolderEntriesReadAsNothing() {
    QVERIFY(!ReadTextFile("absent.txt"));
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    QVERIFY(!ReadTextFile("velhos"));
    QVERIFY(!TextFileExists("velhos"));
    QVERIFY(!WriteTextFile("velhos", "x"));
    QVERIFY(QFileInfo(TextFolderPath() + "/velhos").isDir());
}

void TestTextFolder::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<bool>("config");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit"); // bytes a file may reach before the disk is "full"
    QTest::newRow("a short text") << false << 40 << 16;
    QTest::newRow("a long text") << false << 200000 << 100000;
    QTest::newRow("config.txt") << true << 60 << 10;
}

// The disk fills up in a child process: a limit on the size of the files it
// writes, its signal ignored, makes every write past it fail as a full disk does.
void TestTextFolder::fullDiskKeepsTheOldFile() {
    QFETCH(bool, config);
    QFETCH(int, size);
    QFETCH(int, limit);
    const QString path = config ? config::configPath() : TextFolderPath() + "/notas.txt";
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old\r\n");
    old.close();
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{rlim_t(limit), rlim_t(limit)};
        setrlimit(RLIMIT_FSIZE, &rl);
        std::array<QString, config::LineCount> lines = config::defaultLines();
        lines[8] = QString(size, u'x');
        const bool written =
            config ? config::writeConfig(lines) : WriteTextFile("notas.txt", QString(size, u'x'));
        _exit(written ? 1 : 0);
    }
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the write reported success");
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old\r\n"));
    const QDir folder = QFileInfo(path).dir();
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden).filter(".tmp"), QStringList());
}

void TestTextFolder::linksNeverLeadOut_data() {
    QTest::addColumn<QString>("target"); // where the link leads, from the text folder
    QTest::addColumn<bool>("inside");
    QTest::newRow("a file outside") << "../fora.txt" << false;
    QTest::newRow("nowhere") << "../nada.txt" << false;
    QTest::newRow("a text of the folder") << "notas.txt" << true;
}

void TestTextFolder::linksNeverLeadOut() {
    QFETCH(QString, target);
    QFETCH(bool, inside);
    put("notas.txt", "dentro\r\n");
    if (target != "../nada.txt")
        put("../fora.txt", "fora\r\n");
    QVERIFY(QFile::link(target, TextFolderPath() + "/elo.txt"));
    QCOMPARE(ListTextFolder().contains("elo.txt"), inside);
    QCOMPARE(TextFileExists("elo.txt"), inside);
    QCOMPARE(ReadTextFile("elo.txt").has_value(), inside);
    QCOMPARE(WriteTextFile("elo.txt", "novo"), inside);
    QVERIFY(IsTextNameTaken("elo.txt", "*"));
    QCOMPARE(bytesOf("../fora.txt"), target == "../nada.txt" ? QByteArray("<none>") : "fora\r\n");
    QCOMPARE(bytesOf("notas.txt"), inside ? "novo\r\n" : "dentro\r\n");
}

void TestTextFolder::namesThatAreNotUtf8() {
    // A name made elsewhere, with a Latin-1 byte and a save's leftover beside it.
    const QByteArray folder = QFile::encodeName(TextFolderPath());
    for (const QByteArray &name : {QByteArray("/caf\xE9.txt"), QByteArray("/ ~k2j9.tmp")}) {
        FILE *f = fopen(folder + name, "wb");
        QVERIFY(f);
        fputs("abc\r\n", f);
        fclose(f);
    }
    const QStringList names = ListTextFolder();
    QCOMPARE(names.size(), 1);
    const QString name = names.first();
    QCOMPARE(DisplayTextName(name), QString("caf\uFFFD.txt"));
    QCOMPARE(ReadTextFile(name).value_or("<none>"), "abc\r\n");
    QVERIFY(WriteTextFile(name, "novo"));
    QVERIFY(RenameTextFile(name, "café.txt"));
    QCOMPARE(bytesOf("café.txt"), QByteArray("novo\r\n"));
}

void TestTextFolder::deletedTextsGoToTheTrash() {
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash";
    QDir(trash).removeRecursively();
    put("notas.txt", "abc\r\n");
    QVERIFY(DeleteTextFile("notas.txt"));
    QVERIFY(ListTextFolder().isEmpty());
    QFile trashed(trash + "/files/notas.txt");
    QVERIFY(trashed.open(QIODevice::ReadOnly));
    QCOMPARE(trashed.readAll(), QByteArray("abc\r\n"));
}

QTEST_APPLESS_MAIN(TestTextFolder)
#include "test_textfolder.moc"
