#include "mainwindow/FormMain.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

// The gestures on a real main window: which surface takes them, and what the
// mouse events of one press do to the window's geometry and cursor.
class TestGesturesWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void doubleClickTogglesOnTheSurface();
    void doubleClickElsewhereDoesNothing_data();
    void doubleClickElsewhereDoesNothing();
    void leftEdgeDrag();
    void moveDrag();
    void otherButtonsDoNothing_data();
    void otherButtonsDoNothing();
    void hoverCursor();

private:
    // Mouse events as the window system delivers them during the press's
    // grab: to the main window, wherever the cursor is.
    void send(QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held);
    std::unique_ptr<FormMain> w;
    int H = 0;
};

void TestGesturesWindow::init() {
    w = std::make_unique<FormMain>();
    w->state.lblTxtMin = QStringLiteral("140");
    w->state.lblTxtMax = QStringLiteral("280");
    w->placeWindow(QPointF(3000, 1500), 4410);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // The height is the text's business: 140 pixels of text box and 1270 twips.
    H = w->heightTwips();
    QCOMPARE(H, 3375);
    QCOMPARE(w->geometryTwips(), QRect(3000, 1500, 4410, H));
}

void TestGesturesWindow::cleanup() {
    w.reset();
}

void TestGesturesWindow::send(QEvent::Type type, QPoint global, Qt::MouseButton button,
                              Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(w.get(), &e);
}

void TestGesturesWindow::doubleClickTogglesOnTheSurface() {
    const int S = w->screen()->geometry().width() * 15 - 300;
    // The top band, left of the collapse button.
    QTest::mouseDClick(w.get(), Qt::LeftButton, {}, QPoint(40, 8));
    QCOMPARE(w->state.lblMaxMin, QStringLiteral("max"));
    QCOMPARE(w->state.lblPos, QStringLiteral("3000"));
    QCOMPARE(w->state.lblWidth, QStringLiteral("4410"));
    QCOMPARE(w->widthTwips(), S);
    // 200 twips is 13.3 pixels: the nearest pixel.
    QCOMPARE(w->leftTwips(), 195);
    QCOMPARE(w->topTwips(), 1500);

    QTest::mouseDClick(w.get(), Qt::LeftButton, {}, QPoint(40, 8));
    QCOMPARE(w->state.lblMaxMin, QStringLiteral("min"));
    QCOMPARE(w->geometryTwips(), QRect(3000, 1500, 4410, H));
}

void TestGesturesWindow::doubleClickElsewhereDoesNothing_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("text box") << "text";
    QTest::newRow("toolbar, between the buttons") << "toolbar";
    QTest::newRow("collapse button") << "collapse";
}

void TestGesturesWindow::doubleClickElsewhereDoesNothing() {
    QFETCH(QString, where);
    QWidget *target = where == u"text"      ? w->Text1->viewport()
                      : where == u"toolbar" ? w->Frame1
                                            : static_cast<QWidget *>(w->btnUpDown);
    // The toolbar's gap after btnIdent; the others in their middle.
    const QPoint at = where == u"toolbar" ? QPoint(16, 12) : target->rect().center();
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(w->state.lblMaxMin, QStringLiteral("min"));
    QCOMPARE(w->geometryTwips(), QRect(3000, 1500, 4410, H));
}

void TestGesturesWindow::leftEdgeDrag() {
    // 3 pixels in from the left edge, then 100 pixels to the left.
    const QPoint press = w->mapToGlobal(QPoint(3, 100));
    send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(w->dragging());
    QCOMPARE(QCursor::pos(w->screen()), QPoint(200, press.y()));
    send(QEvent::MouseMove, QPoint(150, press.y() + 7), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(100, press.y()), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w->cursor().shape(), Qt::SizeHorCursor);
    send(QEvent::MouseButtonRelease, QPoint(100, press.y()), Qt::LeftButton, Qt::NoButton);
    QVERIFY(!w->dragging());
    QCOMPARE(w->geometryTwips(), QRect(1500, 1500, 5910, H));

    // After the release the mouse moves freely.
    send(QEvent::MouseMove, QPoint(50, 50), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->geometryTwips(), QRect(1500, 1500, 5910, H));
}

void TestGesturesWindow::moveDrag() {
    const QPoint press = w->mapToGlobal(QPoint(150, 100));
    send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(w->cursor().shape(), Qt::SizeAllCursor);
    send(QEvent::MouseMove, press + QPoint(100, 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w->geometryTwips(), QRect(4500, 2250, 4410, H));
    QCOMPARE(w->cursor().shape(), Qt::SizeAllCursor);
    send(QEvent::MouseButtonRelease, press + QPoint(100, 50), Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseMove, press + QPoint(200, 50), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->geometryTwips(), QRect(4500, 2250, 4410, H));
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
}

void TestGesturesWindow::otherButtonsDoNothing_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("right button, middle") << Qt::RightButton << QPoint(150, 100);
    QTest::newRow("right button, left edge") << Qt::RightButton << QPoint(2, 100);
    QTest::newRow("middle button, middle") << Qt::MiddleButton << QPoint(150, 100);
}

void TestGesturesWindow::otherButtonsDoNothing() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, at);
    const QPoint press = w->mapToGlobal(at);
    QCursor::setPos(w->screen(), QPoint(0, 0));
    send(QEvent::MouseButtonPress, press, button, button);
    QVERIFY(!w->dragging());
    QCOMPARE(QCursor::pos(w->screen()), QPoint(0, 0));
    send(QEvent::MouseMove, press + QPoint(-100, 50), Qt::NoButton, button);
    send(QEvent::MouseButtonRelease, press + QPoint(-100, 50), button, Qt::NoButton);
    QCOMPARE(w->geometryTwips(), QRect(3000, 1500, 4410, H));
}

void TestGesturesWindow::hoverCursor() {
    const QPoint rightBand = w->mapToGlobal(QPoint(w->width() - 2, 100));
    send(QEvent::MouseMove, rightBand, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->cursor().shape(), Qt::SizeHorCursor);
    QCOMPARE(w->geometryTwips(), QRect(3000, 1500, 4410, H));

    // Over the text box the window's own cursor goes back to the arrow.
    QMouseEvent overText(QEvent::MouseMove, QPointF(20, 20),
                         QPointF(w->Text1->viewport()->mapToGlobal(QPoint(20, 20))), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w->Text1->viewport(), &overText);
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);

    const QPoint bottomLeft = w->mapToGlobal(QPoint(1, w->height() - 1));
    send(QEvent::MouseMove, bottomLeft, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w->cursor().shape(), Qt::SizeBDiagCursor);
}

QTEST_MAIN(TestGesturesWindow)
#include "test_gestures_window.moc"
