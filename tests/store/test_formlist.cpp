#include "mainwindow/FormMain.h"
#include "sidewindows/sidetesting.h"
#include "startup/Program.h"
#include "store/FormList.h"
#include "store/textfolder.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

using namespace sidetesting;

// The list window: the sorted listing, opening by double-click and by Enter
// with their different answers, config.txt as it records the opened text,
// and "Deletar".
class TestFormList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listsSorted_data();
    void listsSorted();
    void missingFolderIsCreated();
    void enterWithoutSelection();
    void doubleClickOpensAndRecords_data();
    void doubleClickOpensAndRecords();
    void enterOpensAndLeavesTheNotice();
    void missingFileByEnter();
    void missingFileByDoubleClick_data();
    void missingFileByDoubleClick();
    void unreadableFileChangesNothing();
    void doubleClickBesideTheItems();
    void deleteRemovesOnlyTheFile();
    void deleteWithNothingSelected();

private:
    struct Box {
        bool seen = false;
        QString text, title;
        QMessageBox::StandardButtons buttons;
    };
    // Answers the next message box with OK and notes what it said.
    static std::shared_ptr<Box> answerMessageBox();
    static FormList *openList(Program &p);
    static void putFile(const QString &name, const QByteArray &bytes);
    static QStringList shown(const FormList *w);
    static QPoint itemCentre(FormList *w, const QString &name);
    static void select(FormList *w, const QString &name);
    static void doubleClick(FormList *w, const QString &name);
};

void TestFormList::init() {
    resetAppFolder();
}

std::shared_ptr<TestFormList::Box> TestFormList::answerMessageBox() {
    auto box = std::make_shared<Box>();
    QTimer::singleShot(0, qApp, [box] {
        auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!m)
            return;
        box->seen = true;
        box->text = m->text();
        box->title = m->windowTitle();
        box->buttons = m->standardButtons();
        m->button(QMessageBox::Ok)->click();
    });
    return box;
}

FormList *TestFormList::openList(Program &p) {
    click(p.main().btnList);
    return p.listWindow();
}

void TestFormList::putFile(const QString &name, const QByteArray &bytes) {
    QVERIFY(EnsureTextFolder());
    writeBytes(TextFolderPath() + "/" + name, bytes);
}

QStringList TestFormList::shown(const FormList *w) {
    QStringList names;
    for (int i = 0; i < w->List1->count(); ++i)
        names << w->List1->item(i)->text();
    return names;
}

QPoint TestFormList::itemCentre(FormList *w, const QString &name) {
    const QList<QListWidgetItem *> items = w->List1->findItems(name, Qt::MatchExactly);
    return items.isEmpty() ? QPoint() : w->List1->visualItemRect(items.first()).center();
}

void TestFormList::select(FormList *w, const QString &name) {
    QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, itemCentre(w, name));
}

void TestFormList::doubleClick(FormList *w, const QString &name) {
    // QTest's widget double-click is the second press alone; the first click
    // comes before it, as from a hand.
    const QPoint at = itemCentre(w, name);
    QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, at);
}

void TestFormList::listsSorted_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("sub-folder among files")
        << QStringList{"b.txt", "A.txt", "velhos/"} << QStringList{"A.txt", "b.txt", "velhos"};
    QTest::newRow("case left aside")
        << QStringList{"B.txt", "a.txt", "C.md"} << QStringList{"a.txt", "B.txt", "C.md"};
    QTest::newRow("names starting with a dot shown")
        << QStringList{".segredo.txt", "z.txt"} << QStringList{".segredo.txt", "z.txt"};
}

void TestFormList::listsSorted() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    QVERIFY(EnsureTextFolder());
    for (const QString &f : files) {
        if (f.endsWith('/'))
            QVERIFY(QDir(TextFolderPath()).mkdir(f.chopped(1)));
        else
            putFile(f, "x");
    }
    Program p;
    p.start();
    FormList *w = openList(p);
    QVERIFY(w && w->isVisible());
    QCOMPARE(shown(w), listed);
    QCOMPARE(w->Label3->text(), "Listando arquivos");
    QVERIFY(w->Check1->isChecked());
}

void TestFormList::missingFolderIsCreated() {
    Program p;
    p.start();
    QVERIFY(!QFileInfo::exists(TextFolderPath()));
    FormList *w = openList(p);
    QVERIFY(QFileInfo(TextFolderPath()).isDir());
    QCOMPARE(w->List1->count(), 0);
}

void TestFormList::enterWithoutSelection() {
    putFile("notas.txt", "abc\r\n");
    Program p;
    p.start();
    FormList *w = openList(p);
    QTest::keyClick(w->List1, Qt::Key_Return);
    QCOMPARE(w->lblAviso->text(), "É preciso selecionar um item!");
    QCOMPARE(p.listWindow(), w);
    QCOMPARE(p.main().state.lblSave, "*");
}

void TestFormList::doubleClickOpensAndRecords_data() {
    QTest::addColumn<bool>("reopen");
    QTest::addColumn<QByteArray>("line9");
    QTest::newRow("chkLast ticked") << true << QByteArray("notas.txt");
    QTest::newRow("chkLast clear") << false << QByteArray("*");
}

void TestFormList::doubleClickOpensAndRecords() {
    QFETCH(bool, reopen);
    QFETCH(QByteArray, line9);
    // Line 1 of 400 px: the list window writes the configured start width back.
    writeBytes(configFile(), configLines({"400", "150", "300", "80", "3", "2", "Georgia",
                                          "1005|1010|2000|3000", "*"}));
    putFile("notas.txt", "abc\r\n");
    Program p;
    p.start();
    p.reopenLastText = reopen;
    p.main().setWidthTwips(9000); // widened since: not what line 1 records
    FormList *w = openList(p);
    doubleClick(w, "notas.txt");
    FormMain &m = p.main();
    QCOMPARE(m.Text1->text(), "abc\r\n");
    QCOMPARE(m.state.lblSave, "notas.txt");
    QCOMPARE(readBytes(configFile()),
             "400\r\n150\r\n300\r\n80\r\n3\r\n2\r\nGeorgia\r\n1005|1010|2000|3000\r\n" + line9 +
                 "\r\n");
    QVERIFY(!p.listWindow());
}

void TestFormList::enterOpensAndLeavesTheNotice() {
    putFile("notas.txt", "linha 1\r\nlinha 2");
    Program p;
    p.start();
    FormList *w = openList(p);
    QTest::mouseClick(w->Check1, Qt::LeftButton);
    QVERIFY(!w->Check1->isChecked());
    QTest::keyClick(w->List1, Qt::Key_Return);
    QCOMPARE(w->lblAviso->text(), "É preciso selecionar um item!");
    select(w, "notas.txt");
    QTest::keyClick(w->List1, Qt::Key_Return);
    QCOMPARE(p.main().Text1->text(), "linha 1\r\nlinha 2\r\n");
    QCOMPARE(p.main().state.lblSave, "notas.txt");
    QCOMPARE(p.listWindow(), w);
    QCOMPARE(w->lblAviso->text(), "É preciso selecionar um item!");
}

void TestFormList::missingFileByEnter() {
    putFile("sumiu.txt", "x\r\n");
    Program p;
    p.start();
    QTest::keyClicks(p.main().Text1, "meu texto");
    const QByteArray config = readBytes(configFile());
    FormList *w = openList(p);
    QVERIFY(QFile::remove(TextFolderPath() + "/sumiu.txt")); // by another program
    select(w, "sumiu.txt");
    QTest::keyClick(w->List1, Qt::Key_Enter);
    QCOMPARE(w->lblAviso->text(), "este arquivo " + TextFilePath("sumiu.txt") + " não existe");
    QCOMPARE(p.listWindow(), w);
    QCOMPARE(p.main().Text1->text(), "meu texto");
    QCOMPARE(p.main().state.lblSave, "*");
    QCOMPARE(readBytes(configFile()), config);
}

void TestFormList::missingFileByDoubleClick_data() {
    QTest::addColumn<bool>("check1");
    QTest::newRow("Check1 ticked: closes after the message") << true;
    QTest::newRow("Check1 clear: stays") << false;
}

void TestFormList::missingFileByDoubleClick() {
    QFETCH(bool, check1);
    QVERIFY(EnsureTextFolder());
    QVERIFY(QDir(TextFolderPath()).mkdir("velhos"));
    Program p;
    p.start();
    FormList *w = openList(p);
    w->Check1->setChecked(check1);
    w->lblAviso->setText("antes");
    const auto box = answerMessageBox();
    doubleClick(w, "velhos");
    QVERIFY(box->seen);
    QCOMPARE(box->text, "este arquivo " + TextFilePath("velhos") + " não existe");
    QCOMPARE(box->title, "Corvale Scrivulets");
    QCOMPARE(box->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(p.main().state.lblSave, "*");
    QCOMPARE(bool(p.listWindow()), !check1);
    if (!check1)
        QCOMPARE(w->lblAviso->text(), "");
}

void TestFormList::unreadableFileChangesNothing() {
    // A plain file of the folder whose reading fails whoever reads it, root
    // included: the text folder is the process's own /proc entry.
    QVERIFY(QDir(TextFolderPath()).removeRecursively());
    QVERIFY(QFile::link("/proc/self", TextFolderPath()));
    QVERIFY(TextFileExists("mem"));
    QVERIFY(!ReadTextFile("mem"));
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "meu texto");
    const QByteArray config = readBytes(configFile());
    const QString message = "Não foi possível abrir o arquivo " + TextFilePath("mem");

    FormList *w = openList(p);
    select(w, "mem");
    QTest::keyClick(w->List1, Qt::Key_Return);
    QCOMPARE(w->lblAviso->text(), message);
    QCOMPARE(p.listWindow(), w);

    const auto box = answerMessageBox();
    doubleClick(w, "mem");
    QVERIFY(box->seen);
    QCOMPARE(box->text, message);
    QCOMPARE(m.Text1->text(), "meu texto");
    QCOMPARE(m.state.lblSave, "notas.txt");
    QCOMPARE(readBytes(configFile()), config);
}

void TestFormList::doubleClickBesideTheItems() {
    putFile("notas.txt", "abc\r\n");
    Program p;
    p.start();
    FormList *w = openList(p);
    const QPoint below = w->List1->viewport()->rect().bottomLeft() + QPoint(5, -5);
    QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(p.listWindow(), w);
    QCOMPARE(p.main().state.lblSave, "*");
}

void TestFormList::deleteRemovesOnlyTheFile() {
    putFile("notas.txt", "abc\r\n");
    putFile("outra.txt", "x\r\n");
    Program p;
    p.start();
    FormMain &m = p.main();
    m.state.lblSave = "notas.txt";
    QTest::keyClicks(m.Text1, "abc");
    FormList *w = openList(p);
    w->lblAviso->setText("fica");
    select(w, "notas.txt");
    click(w->btnDel);
    QVERIFY(!QFile::exists(TextFolderPath() + "/notas.txt"));
    QCOMPARE(shown(w), QStringList{"outra.txt"});
    QCOMPARE(m.state.lblSave, "notas.txt");
    QCOMPARE(m.Text1->text(), "abc");
    QCOMPARE(w->lblAviso->text(), "fica");
}

void TestFormList::deleteWithNothingSelected() {
    putFile("notas.txt", "abc\r\n");
    Program p;
    p.start();
    FormList *w = openList(p);
    putFile("nova.txt", "saved elsewhere meanwhile");
    click(w->btnDel);
    QCOMPARE(shown(w), QStringList({"notas.txt", "nova.txt"}));
}

QTEST_MAIN(TestFormList)
#include "test_formlist.moc"
