#include "core/gestures.h"
#include "support/rows.h"

#include <QTest>

using namespace core;
using support::row;

// A 1920-pixel screen, as in the examples the rules were worked out with.
constexpr int Screen1920 = 28800;
// The band along the edges: five pixels of 15 twips.
constexpr float Edge = 75;
// The height an empty text box gives the window with a 140-pixel minimum.
constexpr float TextHeight = 3370;

Q_DECLARE_METATYPE(TwipsGeometry)
Q_DECLARE_METATYPE(MaximizeState)
Q_DECLARE_METATYPE(std::optional<float>)
Q_DECLARE_METATYPE(PointerShape)
Q_DECLARE_METATYPE(std::optional<QPointF>)

namespace {

// The main window's layout rule as the drag meets it: the width bounded by
// the base width and the screen, the height always what the text needs.
TwipsGeometry layoutRule(const TwipsGeometry &request) {
    MaximizeState state;
    TwipsGeometry g = applyLayoutWidth(state, request, request.width, Screen1920);
    g.height = TextHeight;
    return g;
}

TwipsGeometry drag(DragSession &session, TwipsGeometry window, const QList<QPointF> &path) {
    if (const std::optional<QPointF> snap = session.snapPoint())
        session.setStart(*snap);
    for (const QPointF &cursor : path)
        window = session.pass(cursor, window, layoutRule);
    return window;
}

} // namespace

namespace core {
char *toString(const TwipsGeometry &g) {
    return qstrdup(QStringLiteral("left %1 top %2 width %3 height %4")
                       .arg(g.left)
                       .arg(g.top)
                       .arg(g.width)
                       .arg(g.height)
                       .toUtf8()
                       .constData());
}
} // namespace core

class TestGestures : public QObject {
    Q_OBJECT
private slots:
    void maximizeToggle_data() {
        QTest::addColumn<MaximizeState>("state");
        QTest::addColumn<std::optional<float>>("savedLeft");
        QTest::addColumn<int>("screen");
        QTest::addColumn<TwipsGeometry>("window");
        QTest::addColumn<TwipsGeometry>("expected");
        QTest::addColumn<MaximizeState>("after");
        const std::optional<float> none;
        row("maximize 4410 at 3000", MaximizeState{false, 0, 300}, none, Screen1920,
            TwipsGeometry{3000, 1000, 4410, 3370}, TwipsGeometry{200, 1000, 28500, 3370},
            MaximizeState{true, 4410, 3000});
        row("restore 4410 at 3000", MaximizeState{true, 4410, 3000}, none, Screen1920,
            TwipsGeometry{200, 1000, 28500, 3370}, TwipsGeometry{3000, 1000, 4410, 3370},
            MaximizeState{false, 4410, 3000});
        row("maximize a window already 28500 wide", MaximizeState{false, 0, 300}, none, Screen1920,
            TwipsGeometry{150, 900, 28500, 3370}, TwipsGeometry{200, 900, 28500, 3370},
            MaximizeState{true, 28500, 150});
        row("restore a window that was already 28500 wide: base width at 200",
            MaximizeState{true, 28500, 150}, none, Screen1920, TwipsGeometry{200, 900, 28500, 3370},
            TwipsGeometry{200, 900, 4410, 3370}, MaximizeState{false, 4410, 150});
        row("restore a width the screen no longer holds", MaximizeState{true, 40000, 3000}, none,
            Screen1920, TwipsGeometry{200, 0, 28500, 3370}, TwipsGeometry{3000, 0, 28500, 3370},
            MaximizeState{false, 28500, 3000});
        // 300 pixels: the base width does not fit the screen less 300, so the
        // window cannot reach S and keeps the base width.
        row("narrow screen, no position saved yet: the left edge stays",
            MaximizeState{false, 0, 300}, none, 4500, TwipsGeometry{45, 60, 4410, 3370},
            TwipsGeometry{45, 60, 4410, 3370}, MaximizeState{true, 4410, 45});
        row("narrow screen: the left edge of the last position save", MaximizeState{false, 0, 300},
            std::optional<float>(30), 4500, TwipsGeometry{45, 60, 4410, 3370},
            TwipsGeometry{30, 60, 4410, 3370}, MaximizeState{true, 4410, 45});
    }

    void maximizeToggle() {
        QFETCH(MaximizeState, state);
        QFETCH(std::optional<float>, savedLeft);
        QFETCH(int, screen);
        QFETCH(TwipsGeometry, window);
        QFETCH(MaximizeState, after);
        const MaximizeToggle t = toggleMaximize(state, window, screen, savedLeft);
        QTEST(t.geometry, "expected");
        QCOMPARE(t.state.maximized, after.maximized);
        QCOMPARE(t.state.restoreWidth, after.restoreWidth);
        QCOMPARE(t.state.restoreLeft, after.restoreLeft);
    }

    void resizedWhileMaximized() {
        // Maximized, then the right edge dragged 1000 pixels to the left: still
        // maximized, and the next double-click gives back what the first saved.
        const MaximizeToggle max =
            toggleMaximize({}, TwipsGeometry{3000, 1500, 4410, 3370}, Screen1920, std::nullopt);
        DragSession session(QPointF(200 + 28500 - 30, 3000), max.geometry, Edge, Edge);
        QVERIFY(session.R);
        const TwipsGeometry narrowed = drag(session, max.geometry, {QPointF(28700 - 15000, 3000)});
        QCOMPARE(narrowed, (TwipsGeometry{200, 1500, 13500, 3370}));

        const MaximizeToggle back = toggleMaximize(max.state, narrowed, Screen1920, std::nullopt);
        QCOMPARE(back.geometry, (TwipsGeometry{3000, 1500, 4410, 3370}));
        QVERIFY(!back.state.maximized);
    }

    void dragRules_data() {
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<std::optional<QPointF>>("snap");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::addColumn<TwipsGeometry>("expected");

        // Every row starts from a window 4410 x 3370 at left 3000, top 1500: its
        // right edge at 7410, its bottom edge at 4870.
        row("left edge, 3 px in: snaps to the edge, 100 px left widens by 1500",
            QPointF(3045, 3000), std::optional<QPointF>(QPointF(3000, 3000)),
            QList<QPointF>{{2500, 3010}, {1500, 3000}}, TwipsGeometry{1500, 1500, 5910, 3370});
        row("left edge to the right: base width, then the window is pushed", QPointF(3015, 2000),
            std::optional<QPointF>(QPointF(3000, 2000)), QList<QPointF>{{3750, 2000}, {4500, 2000}},
            TwipsGeometry{4500, 1500, 4410, 3370});
        row("left edge past the right one: no width left, nothing moves", QPointF(3015, 2000),
            std::optional<QPointF>(QPointF(3000, 2000)), QList<QPointF>{{7300, 2000}},
            TwipsGeometry{3000, 1500, 4410, 3370});
        row("right edge, outwards", QPointF(7380, 3000),
            std::optional<QPointF>(QPointF(7410, 3000)), QList<QPointF>{{8910, 3300}},
            TwipsGeometry{3000, 1500, 5910, 3370});
        row("right edge below the base width stays at the base width", QPointF(7380, 3000),
            std::optional<QPointF>(QPointF(7410, 3000)), QList<QPointF>{{8910, 3000}, {5910, 3000}},
            TwipsGeometry{3000, 1500, 4410, 3370});
        row("top edge moves the whole window with the cursor", QPointF(5000, 1530),
            std::optional<QPointF>(QPointF(5000, 1500)), QList<QPointF>{{5000, 750}},
            TwipsGeometry{3000, 750, 4410, 3370});
        row("bottom edge leaves the window as it is", QPointF(5000, 4840),
            std::optional<QPointF>(QPointF(5000, 4870)), QList<QPointF>{{5000, 6370}, {6000, 4000}},
            TwipsGeometry{3000, 1500, 4410, 3370});
        // The top edge's snap comes after the left edge's: the cursor lands on the
        // top edge 30 twips in, and the left edge follows it there.
        row("top-left corner: left and top in the same pass", QPointF(3030, 1530),
            std::optional<QPointF>(QPointF(3030, 1500)), QList<QPointF>{{1530, 750}},
            TwipsGeometry{1530, 750, 5910, 3370});
        row("bottom-right corner: the bottom edge's snap decides", QPointF(7380, 4840),
            std::optional<QPointF>(QPointF(7380, 4870)), QList<QPointF>{{7880, 5000}},
            TwipsGeometry{3000, 1500, 4880, 3370});
        row("middle: moves, the press point stays under the cursor", QPointF(5205, 3000),
            std::optional<QPointF>(), QList<QPointF>{{5300, 3100}, {6705, 3750}},
            TwipsGeometry{4500, 2250, 4410, 3370});
        row("just inside the band's strict bound: moves", QPointF(3075, 3000),
            std::optional<QPointF>(), QList<QPointF>{{3075, 2000}},
            TwipsGeometry{3000, 500, 4410, 3370});
    }

    void dragRules() {
        QFETCH(QPointF, press);
        QFETCH(std::optional<QPointF>, snap);
        QFETCH(QList<QPointF>, path);
        QFETCH(TwipsGeometry, expected);

        const TwipsGeometry window{3000, 1500, 4410, 3370};
        DragSession session(press, window, Edge, Edge);
        QCOMPARE(session.snapPoint(), snap);
        QCOMPARE(session.resizing(), snap.has_value());
        QCOMPARE(drag(session, window, path), expected);
    }

    void hoverCursor_data() {
        QTest::addColumn<float>("X");
        QTest::addColumn<float>("Y");
        QTest::addColumn<bool>("held");
        QTest::addColumn<PointerShape>("shape");

        // A window 4410 x 3370.
        row("middle, button up", 2205.f, 1500.f, false, PointerShape::Arrow);
        row("middle, button held: as it was", 2205.f, 1500.f, true, PointerShape::Unchanged);
        row("right band, button up", 4380.f, 1500.f, false, PointerShape::SizeWE);
        row("left band, button held", 30.f, 1500.f, true, PointerShape::SizeWE);
        row("left band ends at 75", 75.f, 1500.f, false, PointerShape::Arrow);
        row("right band starts after 4335", 4335.f, 1500.f, false, PointerShape::Arrow);
        row("right band, first twip", 4336.f, 1500.f, false, PointerShape::SizeWE);
        row("top band", 2205.f, 30.f, false, PointerShape::SizeNS);
        row("bottom band", 2205.f, 3350.f, true, PointerShape::SizeNS);
        row("top-left corner", 30.f, 30.f, false, PointerShape::SizeNWSE);
        row("bottom-right corner", 4380.f, 3350.f, false, PointerShape::SizeNWSE);
        row("bottom-left corner", 30.f, 3350.f, false, PointerShape::SizeNESW);
        row("top-right corner", 4380.f, 30.f, true, PointerShape::SizeNESW);
    }

    void hoverCursor() {
        QFETCH(float, X);
        QFETCH(float, Y);
        QFETCH(bool, held);
        QTEST(core::hoverCursor(X, Y, 4410, 3370, Edge, Edge, held), "shape");
    }
};

QTEST_GUILESS_MAIN(TestGestures)
#include "test_gestures.moc"
