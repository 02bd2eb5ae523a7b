#include "mainwindow/FormMain.h"
#include "platform/files.h"
#include "startup/FormIni.h"
#include "startup/Program.h"
#include "store/textfolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

// Start-up on the offscreen platform: config.txt in, windows, fields and text out.
class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstRunWritesDefaultsAndShowsTheStrip();
    void configuredStart_data();
    void configuredStart();
    void reopensTheLastText_data();
    void reopensTheLastText();
    void minimizedStartAndExpand();
    void unreadableConfigStartsWithReplacements();
    void typingGrowsAndShrinksTheWindow();
    void btnTopSwitchesBackAndForth();

private:
    static void writeConfig(const QByteArray &bytes);
    static QByteArray lines(const QStringList &nine);
};

void TestStartup::init() {
    QDir(platform::appFolderPath()).removeRecursively();
    QVERIFY(platform::makeFolder(platform::appFolderPath()));
}

void TestStartup::writeConfig(const QByteArray &bytes) {
    QFile f(platform::appFolderPath() + "/config.txt");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray TestStartup::lines(const QStringList &nine) {
    return (nine.join("\r\n") + "\r\n").toLatin1();
}

void TestStartup::firstRunWritesDefaultsAndShowsTheStrip() {
    QDir(platform::appFolderPath()).removeRecursively();
    Program p;
    p.start();
    QFile f(platform::appFolderPath() + "/config.txt");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(
        f.readAll(),
        QByteArray("294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n"));
    FormMain &m = p.main();
    QVERIFY(m.isVisible());
    QVERIFY(!p.ini().isVisible());
    QCOMPARE(m.width(), 294);
    QCOMPARE(m.pos(), QPoint(67, 67));
    QCOMPARE(m.Text1->height(), 140);
    QCOMPARE(m.height(), 140 + 85); // 1270 twips
    QCOMPARE(m.Text1->width(), 294 - 16);
    QCOMPARE(m.windowOpacity(), 230 / 255.0);
    QCOMPARE(m.state.lblResize, "4410");
    QCOMPARE(m.state.lblWidth, "4410");
    QCOMPARE(m.state.lblSave, "*");
    QCOMPARE(m.state.lblCheckTop, "0");
    QCOMPARE(m.state.lblAlignValue, "1");
    QCOMPARE(m.state.lblIniLeftMax, "1000");
    QVERIFY(!p.reopenLastText);
    QVERIFY(m.Text1->text().isEmpty());
    QCOMPARE(m.Text1->font().family(), "Arial");
    QCOMPARE(m.Text1->font().pointSizeF(), 11.25);
    QVERIFY(m.windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TestStartup::configuredStart_data() {
    QTest::addColumn<QStringList>("config");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<QPoint>("iniAt");
    QTest::addColumn<double>("opacity");
    QTest::newRow("500 wide, Verdana")
        << QStringList{"500", "140", "280", "90", "1", "2", "Verdana", "1500|3000|6000|1500", "*"}
        << 500 << "Verdana" << QPoint(400, 100) << QPoint(100, 200) << 230 / 255.0;
    QTest::newRow("lower-case font gives Arial, only FormIni moves")
        << QStringList{"200", "140", "280", "30", "1", "2", "verdana", "1500|1500", "*"} << 294
        << "Arial" << QPoint(-1, -1) << QPoint(100, 100) << 76 / 255.0;
    QTest::newRow("LF-only file is one value") << QStringList{"400\n140\n280\n50"} << 294 << "Arial"
                                               << QPoint(-1, -1) << QPoint(-1, -1) << 1.0;
}

void TestStartup::configuredStart() {
    QFETCH(QStringList, config);
    QFETCH(int, width);
    QFETCH(QString, font);
    QFETCH(QPoint, mainAt);
    QFETCH(QPoint, iniAt);
    QFETCH(double, opacity);
    writeConfig(lines(config));
    Program p;
    p.start();
    FormMain &m = p.main();
    QCOMPARE(m.width(), width);
    QCOMPARE(m.Text1->width(), width - 16);
    QCOMPARE(m.Text1->font().family(), font);
    if (mainAt.x() >= 0)
        QCOMPARE(m.pos(), mainAt);
    if (iniAt.x() >= 0)
        QCOMPARE(p.ini().pos(), iniAt);
    QCOMPARE(m.windowOpacity(), opacity);
}

void TestStartup::reopensTheLastText_data() {
    QTest::addColumn<QString>("line9");
    QTest::addColumn<QByteArray>("file"); // the text folder's notas.txt, empty for none
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lblSave");
    QTest::addColumn<bool>("reopen");
    QTest::newRow("existing text") << "notas.txt" << QByteArray("abc\r\ndef") << "abc\r\ndef\r\n"
                                   << "notas.txt" << true;
    QTest::newRow("missing text") << "outra.txt" << QByteArray("x") << ""
                                  << "outra.txt" << true;
    QTest::newRow("star") << "*" << QByteArray("x") << ""
                          << "*" << false;
    QTest::newRow("name leading out: no name at all") << "../config.txt" << QByteArray("x") << ""
                                                      << "" << false;
}

void TestStartup::reopensTheLastText() {
    QFETCH(QString, line9);
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QFETCH(QString, lblSave);
    QFETCH(bool, reopen);
    writeConfig(
        lines({"294", "140", "280", "90", "1", "2", "Arial", "1000|1000|1000|1000", line9}));
    QVERIFY(EnsureTextFolder());
    QFile f(TextFolderPath() + "/notas.txt");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    Program p;
    p.start();
    QCOMPARE(p.main().Text1->text(), text);
    QCOMPARE(p.main().state.lblSave, lblSave);
    QCOMPARE(p.reopenLastText, reopen);
}

void TestStartup::minimizedStartAndExpand() {
    writeConfig(lines({"400", "140", "280", "90", "1", "1", "Arial", "1500|1500|3000|3000", "*"}));
    Program p;
    p.start();
    QVERIFY(p.ini().isVisible());
    QVERIFY(!p.main().isVisible());
    QCOMPARE(p.ini().size(), QSize(56, 56));
    QCOMPARE(p.ini().pos(), QPoint(100, 100));
    QCOMPARE(p.ini().btnShow->geometry(), QRect(1, 26, 54, 24));
    QCOMPARE(p.ini().btnShow->toolTip(), " Expandir ");
    QCOMPARE(p.main().width(), 400); // already sized while hidden
    QTest::mouseClick(p.ini().btnShow, Qt::LeftButton);
    QVERIFY(!p.ini().isVisible());
    QVERIFY(p.main().isVisible());
    QCOMPARE(p.main().width(), 400);
}

void TestStartup::unreadableConfigStartsWithReplacements() {
    QVERIFY(QDir(platform::appFolderPath()).mkdir("config.txt"));
    Program p;
    p.start();
    const MainWindowState &s = p.main().state;
    QCOMPARE(s.lblResize, "4410");
    QCOMPARE(s.lblTxtMin, "140");
    QCOMPARE(s.lblTransparencia, "100");
    QCOMPARE(s.lblAlignValue, "2");
    QCOMPARE(s.lblSave, ""); // line 9 missing
    QVERIFY(!p.reopenLastText);
    QVERIFY(QFileInfo(platform::appFolderPath() + "/config.txt").isDir());
}

void TestStartup::typingGrowsAndShrinksTheWindow() {
    Program p;
    p.start();
    FormMain &m = p.main();
    const int minHeight = m.height();
    // Seven lines and the empty one after the last break: eight, 9 x 246 = 2214 twips.
    m.Text1->setText(QString("linha\r\n").repeated(7));
    QCOMPARE(m.Text1->height(), 148);
    QCOMPARE(m.height(), 148 + 85);
    m.Text1->setText(QString("linha\r\n").repeated(6));
    QCOMPARE(m.Text1->height(), 140);
    QCOMPARE(m.height(), minHeight);
    m.Text1->setText(QString("linha\r\n").repeated(20));
    QCOMPARE(m.Text1->height(), 280);
    QCOMPARE(m.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    m.Text1->setText(QString("linha\r\n").repeated(15));
    QCOMPARE(m.Text1->height(), int(std::nearbyint(17 * 246 / 15.0)));
    QCOMPARE(m.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(m.height(), m.Text1->height() + 85);
    // A long line wraps and counts as several.
    m.Text1->setText(QString("palavra ").repeated(120));
    QVERIFY(m.Text1->displayedLineCount() > 8);
    QVERIFY(m.Text1->height() > 140);
}

void TestStartup::btnTopSwitchesBackAndForth() {
    Program p;
    p.start();
    FormMain &m = p.main();
    QCOMPARE(m.btnTop->toolTip(), " Manter na frente ");
    QTest::mouseClick(m.btnTop, Qt::LeftButton);
    QCOMPARE(m.state.lblCheckTop, "1");
    QCOMPARE(m.btnTop->toolTip(), " Desfazer manter na frente ");
    QCOMPARE(m.btnTop->picture(), ":/icons/top_on.svg");
    QVERIFY(m.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::mouseClick(m.btnTop, Qt::LeftButton);
    QCOMPARE(m.state.lblCheckTop, "0");
    QCOMPARE(m.btnTop->toolTip(), " Manter na frente ");
    QCOMPARE(m.btnTop->picture(), ":/icons/top_off.svg");
    QVERIFY(!m.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
