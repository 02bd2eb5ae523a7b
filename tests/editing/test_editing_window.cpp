#include "editingtesting.h"
#include "mainwindow/FormMain.h"
#include "sidewindows/SideWindow.h"
#include "startup/Program.h"
#include "store/FormSave.h"
#include "store/textfolder.h"

#include <QSignalSpy>
#include <QTest>

using namespace editingtesting;

namespace {

const QString Bullet = QStringLiteral("\u00B7 ");

} // namespace

class TestEditingWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { freshDataFolder(); }

    void quickSaveWritesTheOpenText_data();
    void quickSaveWritesTheOpenText();
    void quickSaveOfTypedText();
    void quickSaveWithoutOpenText_data();
    void quickSaveWithoutOpenText();
    void quickSaveCreatesMissingFolder();
    void quickSaveFailureIsReported_data();
    void quickSaveFailureIsReported();
    void badgeRunsItsCourse();
    void selectAll_data();
    void selectAll();
    void bullet_data();
    void bullet();
    void typingRefitsTheWindow();
};

void TestEditingWindow::quickSaveWritesTheOpenText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("one line") << "abc" << QByteArray("abc\r\n");
    QTest::newRow("empty text") << "" << QByteArray("\r\n");
    QTest::newRow("two lines") << "abc\r\ndef" << QByteArray("abc\r\ndef\r\n");
    QTest::newRow("bullet and accent in the file's code page")
        << Bullet + QStringLiteral("café") << QByteArray("\xB7 caf\xE9\r\n");
}

void TestEditingWindow::quickSaveWritesTheOpenText() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    writeConfig({{9, QStringLiteral("notas.txt")}});
    writeBytes(textPath(QStringLiteral("notas.txt")), "antigo\r\nmais antigo\r\n");
    Program p;
    p.start();
    FormMain &m = p.main();
    QSignalSpy saveWindow(&m, &FormMain::saveRequested);
    MessageBoxes boxes;
    m.Text1->setText(text);

    // Twice in a row: the file is replaced, never appended to.
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fileBytes(textPath(QStringLiteral("notas.txt"))), bytes);
    }
    QCOMPARE(m.Text1->text(), text);
    QCOMPARE(m.state.lblSave, QStringLiteral("notas.txt"));
    QCOMPARE(saveWindow.count(), 0);
    QVERIFY(boxes.texts.isEmpty());
    QVERIFY(m.lblSaving->isVisible());
    QVERIFY(m.tmrSaving.isActive());
}

void TestEditingWindow::quickSaveOfTypedText() {
    writeConfig({{9, QStringLiteral("notas.txt")}});
    writeBytes(textPath(QStringLiteral("notas.txt")), "");
    Program p;
    p.start();
    FormMain &m = p.main();
    QTest::keyClicks(m.Text1, QStringLiteral("abc"));
    QTest::keyClick(m.Text1, Qt::Key_Return);
    QTest::keyClicks(m.Text1, QStringLiteral("def"));
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    // The key's character never lands in the text.
    QCOMPARE(m.Text1->text(), QStringLiteral("abc\r\ndef"));
    QCOMPARE(fileBytes(textPath(QStringLiteral("notas.txt"))), QByteArray("abc\r\ndef\r\n"));
}

void TestEditingWindow::quickSaveWithoutOpenText_data() {
    QTest::addColumn<int>("configLines");
    QTest::addColumn<QString>("openName");
    QTest::newRow("no open text") << 9 << "*";
    // Eight lines: the ninth value is the empty one.
    QTest::newRow("empty last line of config.txt") << 8 << "";
}

void TestEditingWindow::quickSaveWithoutOpenText() {
    QFETCH(int, configLines);
    QFETCH(QString, openName);
    writeConfig({}, configLines);
    Program p;
    p.start();
    FormMain &m = p.main();
    QCOMPARE(m.state.lblSave, openName);
    QSignalSpy saveWindow(&m, &FormMain::saveRequested);
    MessageBoxes boxes;
    m.Text1->setText(QStringLiteral("abc"));
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saveWindow.count(), 1);
    QVERIFY(p.saveWindow() && p.saveWindow()->isVisible());
    QCOMPARE(ListTextFolder(), QStringList());
    QCOMPARE(m.Text1->text(), QStringLiteral("abc"));
    QVERIFY(!m.lblSaving->isVisible());
    QVERIFY(boxes.texts.isEmpty());
}

void TestEditingWindow::quickSaveCreatesMissingFolder() {
    writeConfig({{9, QStringLiteral("notas.txt")}});
    Program p;
    p.start();
    FormMain &m = p.main();
    QVERIFY(!QFileInfo::exists(TextFolderPath()));
    QTest::keyClicks(m.Text1, QStringLiteral("abc"));
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fileBytes(textPath(QStringLiteral("notas.txt"))), QByteArray("abc\r\n"));
    QVERIFY(m.lblSaving->isVisible());
}

void TestEditingWindow::quickSaveFailureIsReported_data() {
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("read-only file") << false;
    QTest::newRow("folder of that name") << true;
}

void TestEditingWindow::quickSaveFailureIsReported() {
    QFETCH(bool, folderInTheWay);
    writeConfig({{9, QStringLiteral("notas.txt")}});
    const QString path = textPath(QStringLiteral("notas.txt"));
    if (folderInTheWay) {
        QVERIFY(QDir().mkpath(path));
    } else {
        writeBytes(path, "antigo\r\n");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    }
    Program p;
    p.start();
    FormMain &m = p.main();
    MessageBoxes boxes;
    m.Text1->setText(QStringLiteral("novo"));
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(boxes.texts, QStringList{QStringLiteral("Não foi possível salvar o arquivo ") +
                                      TextFilePath(QStringLiteral("notas.txt"))});
    QCOMPARE(boxes.titles, QStringList{QStringLiteral("Corvale Scrivulets")});
    QCOMPARE(boxes.buttons.value(0), QMessageBox::StandardButtons(QMessageBox::Ok));
    // Not celebrated: no badge; the text and the open name stay.
    QVERIFY(!m.lblSaving->isVisible());
    QVERIFY(!m.tmrSaving.isActive());
    QCOMPARE(m.Text1->text(), QStringLiteral("novo"));
    QCOMPARE(m.state.lblSave, QStringLiteral("notas.txt"));
    if (!folderInTheWay) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(fileBytes(path), QByteArray("antigo\r\n"));
    }
}

void TestEditingWindow::badgeRunsItsCourse() {
    writeConfig({{9, QStringLiteral("notas.txt")}});
    Program p;
    p.start();
    FormMain &m = p.main();
    QVERIFY(!m.lblSaving->isVisible());
    QCOMPARE(m.lblSaving->width(), 10);
    QCOMPARE(m.tmrSaving.interval(), 50);

    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m.lblSaving->isVisible());
    QVERIFY(m.tmrSaving.isActive());
    m.FormMain_tmrSaving_Timer();
    QCOMPARE(m.lblSaving->width(), 20); // 300 twips
    QCOMPARE(m.state.lblTmrSaving, QStringLiteral("2"));

    // A second save while the badge runs lets the run go on from its step.
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m.state.lblTmrSaving, QStringLiteral("2"));
    m.FormMain_tmrSaving_Timer();
    QCOMPARE(m.lblSaving->width(), 68); // 1025 twips
    m.FormMain_tmrSaving_Timer();
    QCOMPARE(m.lblSaving->width(), 123); // 1850 twips
    QVERIFY(m.lblSaving->isVisible());
    QVERIFY(m.tmrSaving.isActive());

    m.FormMain_tmrSaving_Timer();
    QVERIFY(!m.lblSaving->isVisible());
    QVERIFY(!m.tmrSaving.isActive());
    QCOMPARE(m.lblSaving->width(), 10); // 150 twips
    QCOMPARE(m.state.lblTmrSaving, QStringLiteral("1"));
}

void TestEditingWindow::selectAll_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("selects");
    QTest::newRow("Ctrl+A") << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+Shift+A") << (Qt::ControlModifier | Qt::ShiftModifier) << false;
}

void TestEditingWindow::selectAll() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, selects);
    writeConfig({});
    Program p;
    p.start();
    FormMain &m = p.main();
    const QString text = QStringLiteral("abc\r\ndef");
    m.Text1->setText(text);
    m.Text1->setSelection(2, 0);
    QTest::keyClick(m.Text1, Qt::Key_A, modifiers);
    QCOMPARE(m.Text1->text(), text);
    QCOMPARE(m.Text1->selStart(), selects ? 0 : 2);
    QCOMPARE(m.Text1->selLength(), selects ? 8 : 0);
}

void TestEditingWindow::bullet_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    // The rule's cases are in the rules test; these go through the text box's
    // own positions (CR LF counted) and its selection.
    QTest::newRow("start of second line")
        << "abc\r\ndef" << 5 << 0 << "abc\r\n" + Bullet + "def" << 7;
    QTest::newRow("second and third letters selected")
        << "abcd" << 1 << 2 << "a\r\n" + Bullet + "bcd" << 5;
    QTest::newRow("end of the second line")
        << "abc\r\ndef" << 8 << 0 << "abc\r\ndef\r\n" + Bullet << 12;
}

void TestEditingWindow::bullet() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    writeConfig({});
    Program p;
    p.start();
    FormMain &m = p.main();
    m.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m));
    m.Text1->setFocus();
    QVERIFY(m.Text1->hasFocus());
    m.Text1->setText(text);
    m.Text1->setSelection(selStart, selLength);
    QTest::mouseClick(m.btnIdent, Qt::LeftButton);
    QCOMPARE(m.Text1->text(), expected);
    QCOMPARE(m.Text1->selStart(), caret);
    QCOMPARE(m.Text1->selLength(), 0);
    // The button takes no focus: the user types on after the bullet.
    QVERIFY(m.Text1->hasFocus());
}

void TestEditingWindow::typingRefitsTheWindow() {
    writeConfig({});
    Program p;
    p.start();
    FormMain &m = p.main();
    // Heights 140 and 280 px: an empty box takes the minimum, 2100 + 1270 twips.
    QCOMPARE(m.height(), 140 + 85);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(m.Text1, Qt::Key_Return);
    // Eight lines: 9 x 246 = 2214 twips, 148 px.
    QCOMPARE(m.Text1->height(), 148);
    QCOMPARE(m.height(), 148 + 85);
    QTest::keyClick(m.Text1, Qt::Key_Backspace);
    QCOMPARE(m.height(), 140 + 85);
}

QTEST_MAIN(TestEditingWindow)
#include "test_editing_window.moc"
