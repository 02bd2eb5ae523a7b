#include "mainwindow/FormMain.h"
#include "sidewindows/sidetesting.h"
#include "startup/Program.h"
#include "store/FormSave.h"
#include "store/textfolder.h"

#include <QPointer>

using namespace sidetesting;

// The save window driven as a user drives it: keys into its boxes, clicks on
// its buttons; then the files, the open-text name and the notices.
class TestFormSave : public QObject {
    Q_OBJECT
private slots:
    void init();
    void newTextIsSavedUnderItsTitle();
    void prefill_data();
    void prefill();
    void savingTheOpenTextOverwritesIt();
    void refusals_data();
    void refusals();
    void typedForbiddenCharacterIsDropped();
    void onlyTheTitleBoxEnablesRename();
    void dotTitleAndDotExtension();
    void renameGivesTheFileTheNewName();
    void renameWithoutAFileOnlyCloses();
    void failedRenameIsReported();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void newBlankText();
    void openingAgainKeepsWhatWasTyped();

private:
    static FormSave *openSave(Program &p);
    static void putFile(const QString &name, const QByteArray &bytes);
    static QByteArray fileBytes(const QString &name);
};

void TestFormSave::init() {
    resetAppFolder();
}

FormSave *TestFormSave::openSave(Program &p) {
    click(p.main().btnSave);
    return p.saveWindow();
}

void TestFormSave::putFile(const QString &name, const QByteArray &bytes) {
    QVERIFY(EnsureTextFolder());
    writeBytes(TextFolderPath() + "/" + name, bytes);
}

QByteArray TestFormSave::fileBytes(const QString &name) {
    return readBytes(TextFolderPath() + "/" + name);
}

void TestFormSave::newTextIsSavedUnderItsTitle() {
    Program p;
    p.start();
    FormMain &m = p.main();
    QTest::keyClicks(m.Text1, "abc");
    FormSave *w = openSave(p);
    QVERIFY(w);
    QCOMPARE(w->txtFileName->text(), "");
    QCOMPARE(w->txtExtensao->text(), "");
    QVERIFY(!w->btnRename->isEnabled());
    QCOMPARE(w->Label1->text(), "Salvando arquivo");

    QTest::keyClicks(w->txtFileName, "lista");
    click(w->btnSave);
    QCOMPARE(fileBytes("lista.txt"), QByteArray("abc\r\n"));
    QCOMPARE(m.state.lblSave, "lista.txt");
    QVERIFY(!p.saveWindow());
}

void TestFormSave::prefill_data() {
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("extension");
    QTest::newRow("no file") << "*"
                             << ""
                             << "";
    QTest::newRow("notas.txt") << "notas.txt"
                               << "notas"
                               << "txt";
    QTest::newRow("last dot splits") << "a.b.md"
                                     << "a.b"
                                     << "md";
    QTest::newRow("no dot") << "leia-me"
                            << "leia-me"
                            << "";
}

void TestFormSave::prefill() {
    QFETCH(QString, open);
    QFETCH(QString, title);
    QFETCH(QString, extension);
    Program p;
    p.start();
    p.main().state.lblSave = open;
    FormSave *w = openSave(p);
    QCOMPARE(w->txtFileName->text(), title);
    QCOMPARE(w->txtExtensao->text(), extension);
    QVERIFY(!w->btnRename->isEnabled());
}

void TestFormSave::savingTheOpenTextOverwritesIt() {
    putFile("notas.txt", "velho\r\n");
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "novo");
    FormSave *w = openSave(p);
    click(w->btnSave);
    QCOMPARE(fileBytes("notas.txt"), QByteArray("novo\r\n"));
    QCOMPARE(m.state.lblSave, "notas.txt");
    QVERIFY(!p.saveWindow());
}

void TestFormSave::refusals_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("pastedTitle");
    QTest::addColumn<QString>("pastedExtension");
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("interval");
    const QString empty = "O título não pode ficar vazio!";
    const QString taken = "Este nome já existe!";
    const QString forbidden = "Estes caracteres não são permitidos: \\ / * : ? \" <> |";
    // The open text is notas.txt; outra.txt exists too.
    QTest::newRow("Salvar, spaces only") << "  "
                                         << ""
                                         << "" << false << empty << 2000;
    QTest::newRow("Salvar como, spaces only") << "  "
                                              << ""
                                              << "" << true << empty << 2000;
    QTest::newRow("Salvar como, a dot") << "."
                                        << ""
                                        << "" << true << empty << 2000;
    QTest::newRow("Salvar, name taken") << "outra"
                                        << ""
                                        << "" << false << taken << 2000;
    QTest::newRow("Salvar como, name taken") << "outra"
                                             << ""
                                             << "" << true << taken << 2000;
    QTest::newRow("Salvar, pasted slash") << ""
                                          << "../fora"
                                          << "" << false << forbidden << 5000;
    QTest::newRow("Salvar como, pasted slash") << ""
                                               << "../fora"
                                               << "" << true << forbidden << 5000;
    QTest::newRow("Salvar, extension with a path") << "x"
                                                   << ""
                                                   << "txt/../../x" << false << forbidden << 5000;
    QTest::newRow("Salvar como, pasted tab") << ""
                                             << "a\tb"
                                             << "" << true << forbidden << 5000;
}

void TestFormSave::refusals() {
    QFETCH(QString, title);
    QFETCH(QString, pastedTitle);
    QFETCH(QString, pastedExtension);
    QFETCH(bool, rename);
    QFETCH(QString, notice);
    QFETCH(int, interval);
    putFile("notas.txt", "n\r\n");
    putFile("outra.txt", "o\r\n");
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "texto");
    FormSave *w = openSave(p);
    w->txtFileName->clear();
    QTest::keyClicks(w->txtFileName, title);
    w->txtFileName->insert(pastedTitle); // as a paste puts it
    if (!pastedExtension.isEmpty()) {
        w->txtExtensao->clear();
        w->txtExtensao->insert(pastedExtension);
    }
    w->btnRename->setEnabled(true);
    click(rename ? w->btnRename : w->btnSave);

    QCOMPARE(p.saveWindow(), w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->lblAviso->text(), notice);
    QVERIFY(w->lblAviso->isVisible());
    QCOMPARE(w->Timer1->interval(), interval);
    QCOMPARE(m.state.lblSave, "notas.txt");
    QStringList names = ListTextFolder();
    names.sort();
    QCOMPARE(names, QStringList({"notas.txt", "outra.txt"}));
    QCOMPARE(fileBytes("notas.txt"), QByteArray("n\r\n"));
    QCOMPARE(fileBytes("outra.txt"), QByteArray("o\r\n"));
    QVERIFY(!QFile::exists(platform::appFolderPath() + "/fora.txt"));
}

void TestFormSave::typedForbiddenCharacterIsDropped() {
    Program p;
    p.start();
    p.main().state.lblSave = "notas.txt";
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtFileName, "?");
    QCOMPARE(w->txtFileName->text(), "notas");
    QVERIFY(!w->btnRename->isEnabled());
    QCOMPARE(w->lblAviso->text(), "Estes caracteres não são permitidos: \\ / * : ? \" <> |");
    QCOMPARE(w->Timer1->interval(), 5000);

    QTest::keyClicks(w->txtFileName, "a|b");
    QCOMPARE(w->txtFileName->text(), "notasab");
    QVERIFY(w->btnRename->isEnabled());
    w->Timer1_Timer();
    QVERIFY(w->lblAviso->isHidden());
}

void TestFormSave::onlyTheTitleBoxEnablesRename() {
    Program p;
    p.start();
    p.main().state.lblSave = "notas.txt";
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtExtensao, "md");
    QVERIFY(!w->btnRename->isEnabled());
    QTest::keyClick(w->txtFileName, Qt::Key_Backspace);
    QVERIFY(w->btnRename->isEnabled());
    QCOMPARE(w->txtFileName->text(), "nota");
}

void TestFormSave::dotTitleAndDotExtension() {
    Program p;
    p.start();
    QTest::keyClicks(p.main().Text1, "x");
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtFileName, ".");
    click(w->btnSave);
    QCOMPARE(fileBytes("..txt"), QByteArray("x\r\n"));
    QCOMPARE(p.main().state.lblSave, "..txt");

    p.main().state.lblSave = "*";
    w = openSave(p);
    QTest::keyClicks(w->txtFileName, "a");
    QTest::keyClicks(w->txtExtensao, ".");
    click(w->btnSave);
    QCOMPARE(fileBytes("a.."), QByteArray("x\r\n"));
}

void TestFormSave::renameGivesTheFileTheNewName() {
    putFile("notas.txt", "salvo\r\n");
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "por salvar");
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtFileName, "x");
    QVERIFY(w->btnRename->isEnabled());
    click(w->btnRename);
    QVERIFY(!p.saveWindow());
    QCOMPARE(m.state.lblSave, "notasx.txt");
    QVERIFY(!QFile::exists(TextFolderPath() + "/notas.txt"));
    QCOMPARE(fileBytes("notasx.txt"), QByteArray("salvo\r\n"));
    QCOMPARE(m.Text1->text(), "por salvar");
}

void TestFormSave::renameWithoutAFileOnlyCloses() {
    putFile("*", "not the open text\r\n");
    Program p;
    p.start();
    FormMain &m = p.main();
    QCOMPARE(m.state.lblSave, "*");
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtFileName, "novo");
    click(w->btnRename);
    QVERIFY(!p.saveWindow());
    QCOMPARE(m.state.lblSave, "*");
    QCOMPARE(fileBytes("*"), QByteArray("not the open text\r\n"));
    QVERIFY(!QFile::exists(TextFolderPath() + "/novo.txt"));
}

void TestFormSave::failedRenameIsReported() {
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "sumiu.txt"; // removed by another program meanwhile
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtFileName, "2");
    click(w->btnRename);
    QCOMPARE(p.saveWindow(), w);
    QCOMPARE(w->lblAviso->text(), "Não foi possível renomear o arquivo!");
    QCOMPARE(w->Timer1->interval(), 5000);
    QCOMPARE(m.state.lblSave, "sumiu.txt");
}

void TestFormSave::failedSaveIsReported_data() {
    QTest::addColumn<bool>("folderIsAFile");
    QTest::newRow("the folder cannot be made") << true;
    QTest::newRow("the file is read-only") << false;
}

void TestFormSave::failedSaveIsReported() {
    QFETCH(bool, folderIsAFile);
    if (folderIsAFile) {
        writeBytes(TextFolderPath(), "a file in the folder's place");
    } else {
        putFile("notas.txt", "salvo\r\n");
        QFile::setPermissions(TextFolderPath() + "/notas.txt", QFile::ReadOwner);
    }
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "novo");
    FormSave *w = openSave(p);
    click(w->btnSave);
    QCOMPARE(p.saveWindow(), w);
    QCOMPARE(w->lblAviso->text(), "Não foi possível salvar o texto!");
    QCOMPARE(w->Timer1->interval(), 5000);
    QCOMPARE(m.state.lblSave, "notas.txt");
    if (!folderIsAFile)
        QCOMPARE(fileBytes("notas.txt"), QByteArray("salvo\r\n"));
}

void TestFormSave::newBlankText() {
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "por salvar");
    FormSave *w = openSave(p);
    click(w->btnNew);
    QCOMPARE(m.Text1->text(), "");
    QCOMPARE(m.state.lblSave, "*");
    QVERIFY(!p.saveWindow());
}

void TestFormSave::openingAgainKeepsWhatWasTyped() {
    Program p;
    p.start();
    FormSave *w = openSave(p);
    QTest::keyClicks(w->txtFileName, "meio");
    QCOMPARE(openSave(p), w);
    QCOMPARE(w->txtFileName->text(), "meio");
    QVERIFY(w->btnRename->isEnabled());
}

QTEST_MAIN(TestFormSave)
#include "test_formsave.moc"
