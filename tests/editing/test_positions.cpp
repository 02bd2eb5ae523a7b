#include "editingtesting.h"
#include "mainwindow/FormMain.h"
#include "startup/FormIni.h"
#include "startup/Program.h"

#include <QTest>

using namespace editingtesting;

// btnPosicao: config.txt rewritten whole from the window's geometry and the
// values in force since start-up.
class TestPositions : public QObject {
    Q_OBJECT
private slots:
    void init() { freshDataFolder(); }

    void geometry_data();
    void geometry();
    void lastTextLine_data();
    void lastTextLine();
    void valuesInForceNotSavedSettings();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
};

void TestPositions::geometry_data() {
    QTest::addColumn<QPoint>("iniAt");
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<QByteArray>("line1");
    QTest::addColumn<QByteArray>("line8");
    const QPoint stays(-1, -1);
    QTest::newRow("widened to 400 px, moved, start-up window never shown")
        << stays << QPoint(3000, 1500) << 6000 << QByteArray("400")
        << QByteArray("1005|1005|3000|1500");
    QTest::newRow("start-up window moved")
        << QPoint(1500, 2250) << QPoint(3000, 1500) << 6000 << QByteArray("400")
        << QByteArray("1500|2250|3000|1500");
    QTest::newRow("narrower than the base width")
        << stays << QPoint(4500, 600) << 3000 << QByteArray("294")
        << QByteArray("1005|1005|4500|600");
}

void TestPositions::geometry() {
    QFETCH(QPoint, iniAt);
    QFETCH(QPoint, mainAt);
    QFETCH(int, widthTwips);
    QFETCH(QByteArray, line1);
    QFETCH(QByteArray, line8);
    // Whole pixels: a position between two pixels reads back as the nearer one.
    writeConfig({{8, QStringLiteral("1005|1005|1005|1005")}});
    Program p;
    p.start();
    FormMain &m = p.main();
    MessageBoxes boxes;
    if (iniAt.x() >= 0)
        p.ini().moveTwips(iniAt.x(), iniAt.y());
    m.placeWindow(QPointF(mainAt), widthTwips);
    QTest::mouseClick(m.btnPosicao, Qt::LeftButton);

    QCOMPARE(fileBytes(config::configPath()),
             line1 + "\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n" + line8 + "\r\n*\r\n");
    QCOMPARE(m.state.lblPosLeft, QString::number(mainAt.x()));
    QVERIFY(boxes.texts.isEmpty());
    QVERIFY(m.lblSaving->isVisible());
    QVERIFY(m.tmrSaving.isActive());
}

void TestPositions::lastTextLine_data() {
    QTest::addColumn<QString>("configLine9");
    QTest::addColumn<QString>("openNameLater");
    QTest::addColumn<QByteArray>("line9");
    QTest::newRow("switch off, no text") << "*" << QString() << QByteArray("*");
    QTest::newRow("switch on, text open") << "notas.txt" << QString() << QByteArray("notas.txt");
    // A new blank text puts "*" into lblSave: the switch reads back as off.
    QTest::newRow("switch on, no text open") << "notas.txt"
                                             << "*" << QByteArray("*");
    QTest::newRow("switch off, text saved since") << "*"
                                                  << "outra.txt" << QByteArray("*");
}

void TestPositions::lastTextLine() {
    QFETCH(QString, configLine9);
    QFETCH(QString, openNameLater);
    QFETCH(QByteArray, line9);
    writeConfig({{9, configLine9}});
    Program p;
    p.start();
    FormMain &m = p.main();
    if (!openNameLater.isNull())
        m.state.lblSave = openNameLater;
    QTest::mouseClick(m.btnPosicao, Qt::LeftButton);
    const QList<QByteArray> lines = fileBytes(config::configPath()).split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.value(8), line9 + "\r");
    QCOMPARE(lines.value(9), QByteArray());
}

void TestPositions::valuesInForceNotSavedSettings() {
    writeConfig({{2, QStringLiteral("150")},
                 {3, QStringLiteral("300")},
                 {4, QStringLiteral("50")},
                 {5, QStringLiteral("3")},
                 {6, QStringLiteral("1")},
                 {7, QStringLiteral("Verdana")}});
    Program p;
    p.start();
    FormMain &m = p.main();
    // The settings window rewrote the file since start-up.
    writeConfig({{4, QStringLiteral("70")}, {7, QStringLiteral("Georgia")}});
    m.placeWindow(QPointF(1500, 1500), 4410);
    QTest::mouseClick(m.btnPosicao, Qt::LeftButton);
    QCOMPARE(fileBytes(config::configPath()),
             QByteArray("294\r\n150\r\n300\r\n50\r\n3\r\n1\r\nVerdana\r\n") +
                 p.currentPositionsLine().toUtf8() + "\r\n*\r\n");
}

void TestPositions::failedWriteIsReported_data() {
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("read-only config.txt") << false;
    QTest::newRow("folder named config.txt") << true;
}

void TestPositions::failedWriteIsReported() {
    QFETCH(bool, folderInTheWay);
    writeConfig({});
    Program p;
    p.start();
    FormMain &m = p.main();
    const QString path = config::configPath();
    const QByteArray before = fileBytes(path);
    if (folderInTheWay) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    }
    MessageBoxes boxes;
    m.placeWindow(QPointF(3000, 1500), 6000);
    QTest::mouseClick(m.btnPosicao, Qt::LeftButton);

    QCOMPARE(boxes.texts, QStringList{QStringLiteral("Não foi possível salvar o arquivo ") +
                                      platform::displayPath(path)});
    QCOMPARE(boxes.titles, QStringList{QStringLiteral("Corvale Scrivulets")});
    QCOMPARE(boxes.buttons.value(0), QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!m.lblSaving->isVisible());
    QVERIFY(!m.tmrSaving.isActive());
    if (!folderInTheWay) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(fileBytes(path), before);
    }
}

QTEST_MAIN(TestPositions)
#include "test_positions.moc"
