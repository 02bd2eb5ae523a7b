#include "mainwindow/FormMain.h"
#include "sidetesting.h"
#include "sidewindows/FormConfig.h"
#include "startup/FormIni.h"
#include "startup/Program.h"

#include <QClipboard>

using namespace sidetesting;

// The settings window: filled from the running main window, the digits-only
// boxes, and config.txt as "Salvar" writes it.
class TestFormConfig : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fillsFromTheMainWindow();
    void numberBoxesTakeOnlyDigits_data();
    void numberBoxesTakeOnlyDigits();
    void savesTheNineLines();
    void lastTextLine_data();
    void lastTextLine();
    void chkLastOutlivesTheWindow();
    void emptyBoxIsRefused_data();
    void emptyBoxIsRefused();
    void failedWriteIsReported();
    void openingAgainRefills();

private:
    static FormConfig *openConfig(Program &p);
    static void retype(QLineEdit *box, const QString &text);
};

void TestFormConfig::init() {
    resetAppFolder();
}

FormConfig *TestFormConfig::openConfig(Program &p) {
    click(p.main().btnConfig);
    return p.configWindow();
}

void TestFormConfig::retype(QLineEdit *box, const QString &text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void TestFormConfig::fillsFromTheMainWindow() {
    writeBytes(configFile(), configLines({"300", "150", "400", "80", "3", "2", "Verdana",
                                          "1000|1000|1000|1000", "*"}));
    Program p;
    p.start();
    FormConfig *w = openConfig(p);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->Label3->text(), "Configuração");
    QCOMPARE(w->txtLargura->text(), "300");
    QCOMPARE(w->txtAlturaMin->text(), "150");
    QCOMPARE(w->txtAlturaMax->text(), "400");
    QCOMPARE(w->txtTransparencia->text(), "80");
    QVERIFY(w->OptAlignDir->isChecked());
    QVERIFY(w->optIniNao->isChecked());
    QCOMPARE(w->Combo1->currentText(), "Verdana");
    QVERIFY(!w->Combo1->isEditable());
    QStringList fonts;
    for (int i = 0; i < w->Combo1->count(); ++i)
        fonts << w->Combo1->itemText(i);
    QCOMPARE(fonts,
             QStringList({"Arial", "Georgia", "MS Sans Serif", "Times New Roman", "Verdana"}));
    QVERIFY(!w->chkLast->isChecked());

    // After widening the box shows the width the window has now.
    p.main().setWidthTwips(6000);
    w = openConfig(p);
    QCOMPARE(w->txtLargura->text(), "400");
}

void TestFormConfig::numberBoxesTakeOnlyDigits_data() {
    QTest::addColumn<int>("box");
    QTest::newRow("txtLargura") << 0;
    QTest::newRow("txtAlturaMin") << 1;
    QTest::newRow("txtAlturaMax") << 2;
    QTest::newRow("txtTransparencia") << 3;
}

void TestFormConfig::numberBoxesTakeOnlyDigits() {
    QFETCH(int, box);
    Program p;
    p.start();
    FormConfig *w = openConfig(p);
    QLineEdit *boxes[] = {w->txtLargura, w->txtAlturaMin, w->txtAlturaMax, w->txtTransparencia};
    QLineEdit *b = boxes[box];
    b->clear();
    QTest::keyClicks(b, "1a-.,2 3");
    QCOMPARE(b->text(), "123");
    QTest::keyClick(b, Qt::Key_Backspace);
    QCOMPARE(b->text(), "12");
    QGuiApplication::clipboard()->setText("99");
    QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(b->text(), "12");
    QTest::keyClick(b, Qt::Key_Left);
    QTest::keyClick(b, Qt::Key_Delete);
    QCOMPARE(b->text(), "1");
}

void TestFormConfig::savesTheNineLines() {
    Program p;
    p.start();
    FormConfig *w = openConfig(p);
    QCOMPARE(w->txtLargura->text(), "294");
    p.main().move(400, 100); // 6000, 1500 twips
    retype(w->txtLargura, "300");
    retype(w->txtAlturaMin, "150");
    retype(w->txtAlturaMax, "400");
    retype(w->txtTransparencia, "80");
    click(w->OptAlignCenter);
    click(w->optIniNao);
    w->Combo1->setCurrentIndex(w->Combo1->findText("Verdana"));
    QVERIFY(!w->chkLast->isChecked());
    click(w->btnSave);
    QCOMPARE(
        readBytes(configFile()),
        QByteArray("300\r\n150\r\n400\r\n80\r\n2\r\n2\r\nVerdana\r\n1005|1005|6000|1500\r\n*\r\n"));
    QVERIFY(!p.configWindow());
    // Saved settings wait for the next start.
    QCOMPARE(p.main().state.lblAlignValue, "1");
    QCOMPARE(p.main().state.lblFont, "Arial");
}

void TestFormConfig::lastTextLine_data() {
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QByteArray>("line9");
    QTest::newRow("checked, text open") << true << "notas.txt" << QByteArray("notas.txt");
    QTest::newRow("checked, no text") << true << "*" << QByteArray("*");
    QTest::newRow("unchecked") << false << "notas.txt" << QByteArray("*");
}

void TestFormConfig::lastTextLine() {
    QFETCH(bool, checked);
    QFETCH(QString, open);
    QFETCH(QByteArray, line9);
    Program p;
    p.start();
    p.main().state.lblSave = open;
    FormConfig *w = openConfig(p);
    if (w->chkLast->isChecked() != checked)
        click(w->chkLast);
    retype(w->txtLargura, "100"); // written as typed; the limit is the reader's
    click(w->btnSave);
    const QList<QByteArray> lines = readBytes(configFile()).split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], QByteArray("100\r"));
    QCOMPARE(lines[8], line9 + "\r");
}

void TestFormConfig::chkLastOutlivesTheWindow() {
    writeBytes(configFile(), configLines({"294", "140", "280", "90", "1", "2", "Arial",
                                          "1000|1000|1000|1000", "notas.txt"}));
    Program p;
    p.start();
    FormConfig *w = openConfig(p);
    QVERIFY(w->chkLast->isChecked());
    click(w->chkLast);
    QVERIFY(!p.reopenLastText);
    click(w->btnClose); // not saved, and still the switch for the run
    w = openConfig(p);
    QVERIFY(!w->chkLast->isChecked());
    click(w->chkLast);
    QVERIFY(p.reopenLastText);
    QCOMPARE(p.lastTextLine(), "notas.txt");
}

void TestFormConfig::emptyBoxIsRefused_data() {
    numberBoxesTakeOnlyDigits_data();
}

void TestFormConfig::emptyBoxIsRefused() {
    QFETCH(int, box);
    Program p;
    p.start();
    const QByteArray before = readBytes(configFile());
    FormConfig *w = openConfig(p);
    QLineEdit *boxes[] = {w->txtLargura, w->txtAlturaMin, w->txtAlturaMax, w->txtTransparencia};
    retype(boxes[box], "");
    click(w->btnSave);
    QCOMPARE(p.configWindow(), w);
    QCOMPARE(w->lblAviso->text(), "Nenhum campo pode ficar vazio!");
    QVERIFY(w->lblAviso->isVisible());
    QCOMPARE(w->Timer1->interval(), 2000);
    QCOMPARE(readBytes(configFile()), before);
}

void TestFormConfig::failedWriteIsReported() {
    Program p;
    p.start();
    const QByteArray before = readBytes(configFile());
    QFile::setPermissions(configFile(), QFile::ReadOwner);
    FormConfig *w = openConfig(p);
    retype(w->txtTransparencia, "50");
    click(w->btnSave);
    QCOMPARE(p.configWindow(), w);
    QCOMPARE(w->lblAviso->text(), "Não foi possível salvar a configuração!");
    QCOMPARE(w->Timer1->interval(), 5000);
    QCOMPARE(readBytes(configFile()), before);
}

void TestFormConfig::openingAgainRefills() {
    Program p;
    p.start();
    FormConfig *w = openConfig(p);
    retype(w->txtAlturaMin, "999");
    click(w->OptAlignDir);
    QCOMPARE(openConfig(p), w);
    QCOMPARE(w->txtAlturaMin->text(), "140");
    QVERIFY(w->OptAlignEsq->isChecked());
}

QTEST_MAIN(TestFormConfig)
#include "test_formconfig.moc"
