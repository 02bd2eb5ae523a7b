#include "core/striprules.h"
#include "support/rows.h"

#include <QTest>

using namespace core;
using support::row;

Q_DECLARE_METATYPE(ScrollBarChange)

// The strip's own rules: the text box's height, pixels, the width rule, the
// layout, translucency and its hit test.
class TestStripRules : public QObject {
    Q_OBJECT
private slots:
    void autoResize_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<double>("minPx");
        QTest::addColumn<double>("maxPx");
        QTest::addColumn<int>("lineTwips");
        QTest::addColumn<int>("height");
        QTest::addColumn<ScrollBarChange>("scrollBar");
        const auto Unchanged = ScrollBarChange::Unchanged, Hide = ScrollBarChange::Hide,
                   Show = ScrollBarChange::Show;
        row("empty box", 1, 140.0, 280.0, 246, 2100, Unchanged);
        row("7 lines", 7, 140.0, 280.0, 246, 2100, Unchanged);
        row("8 lines", 8, 140.0, 280.0, 246, 2214, Hide);
        row("16 lines", 16, 140.0, 280.0, 246, 4182, Hide);
        row("17 lines scroll", 17, 140.0, 280.0, 246, 4200, Show);
        row("500 lines scroll", 500, 140.0, 280.0, 246, 4200, Show);
        row("max equal to min", 9, 140.0, 140.0, 246, 2100, Show);
        row("fraction rounds half to even", 1, 140.1, 280.0, 246, 2102, Unchanged);
        row("zero lines", 0, 0.0, 280.0, 246, 300, Hide);
        row("a shorter line keeps the drawn height", 8, 140.0, 280.0, 200, 2214, Hide);
        // A font whose lines are 18 px apart: every line keeps its own height.
        row("taller lines: 7 of them outgrow the minimum", 7, 140.0, 280.0, 270, 2160, Hide);
        row("taller lines: 14 still show", 14, 140.0, 280.0, 270, 4050, Hide);
        row("taller lines: 15 scroll", 15, 140.0, 280.0, 270, 4200, Show);
    }

    void autoResize() {
        QFETCH(int, lines);
        QFETCH(double, minPx);
        QFETCH(double, maxPx);
        QFETCH(int, lineTwips);
        const TextBoxFit fit = autoResizeHeight(lines, minPx, maxPx, lineTwips);
        QTEST(fit.height, "height");
        QTEST(fit.scrollBar, "scrollBar");
    }

    void countingStopsWhereItNoLongerMatters() {
        const double heights[][2] = {
            {140, 280}, {140, 140}, {200, 150}, {140, 1000}, {140.5, 281.7}};
        for (const auto &h : heights) {
            for (int line : {246, 270}) {
                const int limit = autoResizeLineLimit(h[0], h[1], line);
                for (int lines = 1; lines < 120; ++lines) {
                    const TextBoxFit exact = autoResizeHeight(lines, h[0], h[1], line);
                    const TextBoxFit capped =
                        autoResizeHeight(std::min(lines, limit), h[0], h[1], line);
                    QCOMPARE(capped.height, exact.height);
                    QCOMPARE(capped.scrollBar, exact.scrollBar);
                }
            }
        }
    }

    void pixels_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("wholeTwips");
        row("1000: the nearest pixel", 1000.0, 67, 1000);
        row("half a pixel: to the even neighbour", 7.5, 0, 8);
        row("one and a half", 22.5, 2, 22);
        row("negative", -1005.0, -67, -1005);
        // Each value held to what a screen can take before it becomes a pixel,
        // so that it never wraps around.
        row("286331554 pixels", 286331554.0 * 15, 32767, 32767 * 15);
        row("1e20", 1e20, 32767, 32767 * 15);
        row("-99999999 pixels", -99999999.0 * 15, -32768, -32768 * 15);
        row("infinite", qInf(), 32767, 32767 * 15);
        row("not a number", qQNaN(), 0, 0);
    }

    void pixels() {
        QFETCH(double, twips);
        QTEST(px(twips), "pixels");
        QTEST(core::wholeTwips(twips), "wholeTwips");
    }

    void widthRule_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("fitted");
        QTest::addColumn<bool>("moved");
        row("below base", 3000, 28800, 4410, false);
        row("inside", 6000, 28800, 6000, false);
        row("equal to screen", 28800, 28800, 28800, false);
        row("wider than screen", 30000, 28800, 28500, true);
        row("screen narrower than base + 300", 30000, 4600, 4410, true);
    }

    void widthRule() {
        QFETCH(int, width);
        QFETCH(int, screen);
        QFETCH(int, fitted);
        QFETCH(bool, moved);
        const WidthFit fit = fitWidth(width, 4410, screen);
        QCOMPARE(fit.width, fitted);
        QCOMPARE(fit.movedToScreen, moved);
    }

    // At every width from the base to a wide screen's, and at the least and
    // the most a text box is high: the text box, the toolbar, the collapse
    // button and the ornament stay inside the strip and apart; the text box
    // spans the strip less equal margins, the collapse button in its middle.
    void layoutKeepsControlsApart() {
        for (int W = 4410; W <= 28800; W += 15) {
            for (int textHeight : {2100, 4200}) {
                const int H = windowHeightFor(textHeight);
                const MainLayout l = layoutMain(W, H);
                const QRect text = l.textBox.adjusted(0, 0, 0, textHeight);
                const QList<QRect> parts{text, l.toolbar, l.collapseButton, l.cornerPicture};
                for (qsizetype i = 0; i < parts.size(); ++i) {
                    QVERIFY2(l.outline.contains(parts[i]), qPrintable(QString::number(W)));
                    for (qsizetype j = i + 1; j < parts.size(); ++j)
                        QVERIFY2(!parts[i].intersects(parts[j]), qPrintable(QString::number(W)));
                }
                QCOMPARE(text.left(), W - 1 - text.right());
                QVERIFY(qAbs(2 * l.collapseButton.center().x() - W) <= TwipsPerPixel);
            }
        }
    }

    void alpha_data() {
        QTest::addColumn<double>("percent");
        QTest::addColumn<int>("alpha");
        const int table[][2] = {{0, 0},    {10, 26},  {30, 76},  {50, 128},
                                {70, 178}, {90, 230}, {100, 255}};
        for (const auto &row : table)
            QTest::addRow("%d %%", row[0]) << double(row[0]) << row[1];
    }

    void alpha() {
        QFETCH(double, percent);
        QFETCH(int, alpha);
        QCOMPARE(alphaFor(percent), alpha);
    }

    void hitTest_data() {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<bool>("over");
        // A window of 294 x 225 pixels at (100, 50).
        row("inside", QPoint(200, 100), true);
        row("left column", QPoint(100, 100), true);
        row("one left of it", QPoint(99, 100), false);
        row("one right of the last column", QPoint(394, 100), true);
        row("two right", QPoint(395, 100), false);
        row("one below the last row", QPoint(200, 275), true);
        row("two below", QPoint(200, 276), false);
        row("above", QPoint(200, 49), false);
        row("far corner beyond", QPoint(394, 275), true);
    }

    void hitTest() {
        QFETCH(QPoint, cursor);
        QFETCH(bool, over);
        QCOMPARE(pointerOverWindow(cursor, QRect(1500, 750, 294 * 15, 225 * 15)), over);
    }
};

QTEST_APPLESS_MAIN(TestStripRules)
#include "test_striprules.moc"
