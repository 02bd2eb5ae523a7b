#include "sidewindows/siderules.h"

#include <QTest>

// Placement beside the main window and the settings window's key filter.
class TestSideRules : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void limitaValor_data();
    void limitaValor();
};

void TestSideRules::placement_data() {
    QTest::addColumn<double>("align");
    QTest::addColumn<QRectF>("mainWindow");
    QTest::addColumn<QPointF>("expected");
    const QRectF m(6000, 1500, 4410, 2205);
    QTest::newRow("1 left") << 1.0 << m << QPointF(1530, 1500);
    QTest::newRow("2 centre, half a twip") << 2.0 << m << QPointF(6000, 367.5);
    QTest::newRow("3 right") << 3.0 << m << QPointF(10470, 1500);
    QTest::newRow("4 is right") << 4.0 << m << QPointF(10470, 1500);
    QTest::newRow("0 is right") << 0.0 << m << QPointF(10470, 1500);
    QTest::newRow("1.5 is right") << 1.5 << m << QPointF(10470, 1500);
    QTest::newRow("left edge: off screen")
        << 1.0 << QRectF(1005, 1005, 4410, 3375) << QPointF(-3465, 1005);
    QTest::newRow("centre over a wide window")
        << 2.0 << QRectF(0, 0, 28800, 3375) << QPointF(12195, -547.5);
    // Single precision: at this size the half twip no longer exists.
    QTest::newRow("centre, single precision")
        << 2.0 << QRectF(16777216, 0, 4411, 4470) << QPointF(16777216, 0);
}

void TestSideRules::placement() {
    QFETCH(double, align);
    QFETCH(QRectF, mainWindow);
    QFETCH(QPointF, expected);
    const QPointF at =
        placeSideWindow(align, mainWindow, QSizeF(SideWindowWidthTwips, SideWindowHeightTwips));
    QCOMPARE(at.x(), expected.x());
    QCOMPARE(at.y(), expected.y());
}

void TestSideRules::limitaValor_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("kept");
    QTest::newRow("backspace") << 8 << 8;
    QTest::newRow("0") << int('0') << int('0');
    QTest::newRow("9") << int('9') << int('9');
    QTest::newRow("letter") << int('a') << 0;
    QTest::newRow("minus") << int('-') << 0;
    QTest::newRow("point") << int('.') << 0;
    QTest::newRow("comma") << int(',') << 0;
    QTest::newRow("blank") << int(' ') << 0;
    QTest::newRow("Enter") << 13 << 0;
    QTest::newRow("Ctrl+C") << 3 << 0;
    QTest::newRow("Ctrl+V") << 22 << 0;
    QTest::newRow("Ctrl+X") << 24 << 0;
    QTest::newRow("Ctrl+Z") << 26 << 0;
    QTest::newRow("superscript two") << 0xB2 << 0;
    QTest::newRow("Arabic-Indic digit") << 0x0661 << 0;
}

void TestSideRules::limitaValor() {
    QFETCH(int, key);
    QFETCH(int, kept);
    QCOMPARE(LimitaValor(key), kept);
}

QTEST_APPLESS_MAIN(TestSideRules)
#include "test_siderules.moc"
