#include "core/screens.h"
#include "core/siderules.h"
#include "support/rows.h"

#include <QTest>

using namespace core;
using support::row;

Q_DECLARE_METATYPE(core::Align)

// Where side windows and the two main windows go, and what the settings
// window's number boxes keep.
class TestSideRules : public QObject {
    Q_OBJECT
private slots:
    void placement_data() {
        QTest::addColumn<Align>("align");
        QTest::addColumn<QRectF>("strip");
        QTest::addColumn<QPointF>("expected");
        const QRectF m(6000, 1500, 4410, 2205);
        row("left", Align::Left, m, QPointF(1530, 1500));
        row("centre, half a twip", Align::Centre, m, QPointF(6000, 367.5));
        row("right", Align::Right, m, QPointF(10470, 1500));
        row("left edge: off screen", Align::Left, QRectF(1005, 1005, 4410, 3375),
            QPointF(-3465, 1005));
        row("centre over a wide window", Align::Centre, QRectF(0, 0, 28800, 3375),
            QPointF(12195, -547.5));
        // Single precision: at this size the half twip no longer exists.
        row("centre, single precision", Align::Centre, QRectF(16777216, 0, 4411, 4470),
            QPointF(16777216, 0));
    }

    void placement() {
        QFETCH(Align, align);
        QFETCH(QRectF, strip);
        QTEST(placeSideWindow(align, strip, QSizeF(SideWindowWidthTwips, SideWindowHeightTwips)),
              "expected");
    }

    void placementOnScreen_data() {
        QTest::addColumn<Align>("align");
        QTest::addColumn<QRectF>("strip");
        QTest::addColumn<QPointF>("expected");
        // A screen of 1024 x 768 pixels; side windows are 4410 x 4470 twips.
        const QRectF middle(5000, 3000, 4410, 3375);
        row("left fits: left", Align::Left, middle, QPointF(530, 3000));
        row("right fits: right", Align::Right, middle, QPointF(9470, 3000));
        row("centre fits: centre", Align::Centre, middle, QPointF(5000, 2452.5));
        const QRectF nearLeft(1005, 1005, 4410, 3375);
        row("left does not fit: right", Align::Left, nearLeft, QPointF(5475, 1005));
        row("right fits: stays right", Align::Right, nearLeft, QPointF(5475, 1005));
        const QRectF nearRight(10000, 1005, 4410, 3375);
        row("right does not fit: left", Align::Right, nearRight, QPointF(5530, 1005));
        const QRectF wide(300, 3000, 14500, 3375);
        row("neither fits: moved inside, left edge", Align::Left, wide, QPointF(0, 3000));
        row("neither fits: moved inside, right edge", Align::Right, wide,
            QPointF(15360 - 4410, 3000));
        row("centre off the bottom: moved up", Align::Centre, QRectF(6000, 10000, 4410, 3375),
            QPointF(6000, 11520 - 4470));
    }

    void placementOnScreen() {
        QFETCH(Align, align);
        QFETCH(QRectF, strip);
        QTEST(placeSideWindowOnScreen(align, strip,
                                      QSizeF(SideWindowWidthTwips, SideWindowHeightTwips),
                                      QRectF(0, 0, 15360, 11520)),
              "expected");
    }

    void reachablePlace_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("expected");
        // Two screens side by side: 1920 x 1080 and, right of it, 1280 x 1024.
        row("on a screen: stays", QRect(100, 100, 294, 225), QRect(100, 100, 294, 225));
        row("across both screens: stays", QRect(1800, 500, 294, 225), QRect(1800, 500, 294, 225));
        row("24 px showing at the left: stays", QRect(-270, 100, 294, 225),
            QRect(-270, 100, 294, 225));
        row("23 px showing: to the nearest screen", QRect(-271, 100, 294, 225),
            QRect(0, 100, 294, 225));
        row("below the second screen's bottom: up into it", QRect(2500, 1050, 294, 225),
            QRect(2500, 1024 - 225, 294, 225));
        row("far off: the nearest screen's corner", QRect(-32768, 32767, 56, 56),
            QRect(0, 1080 - 56, 56, 56));
        row("beyond the right screen", QRect(5000, 300, 294, 225),
            QRect(3200 - 294, 300, 294, 225));
    }

    void reachablePlace() {
        QFETCH(QRect, window);
        QTEST(core::reachablePlace(window, {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}),
              "expected");
    }

    void typedKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("kept");
        row("backspace", 8, 8);
        row("0", int('0'), int('0'));
        row("9", int('9'), int('9'));
        row("letter", int('a'), 0);
        row("minus", int('-'), 0);
        row("point", int('.'), 0);
        row("comma", int(','), 0);
        row("blank", int(' '), 0);
        row("Enter", 13, 0);
        row("Ctrl+C", 3, 0);
        row("Ctrl+V", 22, 0);
        row("Ctrl+X", 24, 0);
        row("Ctrl+Z", 26, 0);
        row("superscript two", 0xB2, 0);
        row("Arabic-Indic digit", 0x0661, 0);
    }

    void typedKeys() {
        QFETCH(int, key);
        QTEST(limitToDigits(key), "kept");
    }

    void pastedText_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        row("digits", "300", "300");
        row("a second line is dropped", "ab,-1\n5", "1");
        row("CR LF", "12\r\n34", "12");
        row("a lone CR", "7\r8", "7");
        row("signs, points and blanks", " -1.5e3 ", "153");
        row("digits of other scripts", "\u00B2\u0661", "");
        row("starting with a break", "\n42", "");
    }

    void pastedText() {
        QFETCH(QString, pasted);
        QTEST(digitsOfFirstLine(pasted), "kept");
    }
};

QTEST_APPLESS_MAIN(TestSideRules)
#include "test_siderules.moc"
