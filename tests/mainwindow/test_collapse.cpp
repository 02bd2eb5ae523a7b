#include "mainwindow/FormMain.h"
#include "platform/files.h"
#include "platform/windowsystem.h"
#include "sidewindows/SideWindow.h"
#include "startup/FormIni.h"
#include "startup/Program.h"
#include "startup/tray.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

using Side = Program::Side;
Q_DECLARE_METATYPE(Side)

// The collapse button and the way back, and the tray icon's click, on the
// offscreen platform with the whole program started.
class TestCollapse : public QObject {
    Q_OBJECT
private slots:
    void init();
    void collapseAndRestore_data();
    void collapseAndRestore();
    void maximizeSurvivesCollapse();
    void trayClick_data();
    void trayClick();
    void startupWindowMovesWithAnyButton_data();
    void startupWindowMovesWithAnyButton();
};

namespace {

void click(platform::PictureButton *button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void open(Program &p, Side side) {
    switch (side) {
    case Side::Save:
        p.openSaveWindow();
        break;
    case Side::List:
        p.openListWindow();
        break;
    case Side::Config:
        p.openConfigWindow();
        break;
    case Side::About:
        p.openAboutWindow();
        break;
    case Side::Help:
        break;
    }
}

const Side AllSides[] = {Side::Save, Side::List, Side::Config, Side::About, Side::Help};

} // namespace

void TestCollapse::init() {
    QDir(platform::appFolderPath()).removeRecursively();
    QVERIFY(platform::makeFolder(platform::appFolderPath()));
}

void TestCollapse::collapseAndRestore_data() {
    QTest::addColumn<QList<Side>>("openSides");
    QTest::addColumn<bool>("alwaysOnTop");
    QTest::newRow("list and settings open") << QList<Side>{Side::List, Side::Config} << false;
    QTest::newRow("save and About open, always on top")
        << QList<Side>{Side::Save, Side::About} << true;
    QTest::newRow("nothing open, always on top") << QList<Side>{} << true;
    QTest::newRow("nothing open") << QList<Side>{} << false;
}

void TestCollapse::collapseAndRestore() {
    QFETCH(QList<Side>, openSides);
    QFETCH(bool, alwaysOnTop);

    Program p;
    p.start();
    FormMain &m = p.main();
    FormIni &ini = p.ini();
    if (alwaysOnTop)
        click(m.btnTop);
    QCOMPARE(m.state.lblCheckTop, alwaysOnTop ? QStringLiteral("1") : QStringLiteral("0"));
    // A width of the user's own, not the configured one, is what comes back.
    m.setWidthTwips(6000);

    QList<QPointer<SideWindow>> opened;
    for (Side side : openSides) {
        open(p, side);
        QVERIFY(p.sideWindow(side));
        QVERIFY(p.sideWindow(side)->isVisible());
        opened.append(p.sideWindow(side));
    }

    click(m.btnUpDown);
    QVERIFY(!m.isVisible());
    QVERIFY(ini.isVisible());
    QCOMPARE(platform::isTopmost(&ini), alwaysOnTop);
    QCOMPARE(m.state.lblResize, QStringLiteral("6000"));
    // Closed without handing back: the main window still holds the switch.
    QCOMPARE(m.state.lblCheckTop, alwaysOnTop ? QStringLiteral("1") : QStringLiteral("0"));
    for (Side side : AllSides)
        QVERIFY(!p.sideWindow(side));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Gone for good: the next opening makes them afresh.
    for (const QPointer<SideWindow> &w : opened)
        QVERIFY(w.isNull());

    click(ini.btnShow);
    QVERIFY(!ini.isVisible());
    QVERIFY(m.isVisible());
    QCOMPARE(m.widthTwips(), 6000);
    QCOMPARE(platform::isTopmost(&m), alwaysOnTop);
    for (Side side : AllSides)
        QVERIFY(!p.sideWindow(side));
}

void TestCollapse::maximizeSurvivesCollapse() {
    Program p;
    p.start();
    FormMain &m = p.main();
    m.FormMain_Form_DblClick();
    QCOMPARE(m.state.lblMaxMin, QStringLiteral("max"));
    const int maximized = m.widthTwips();
    click(m.btnUpDown);
    click(p.ini().btnShow);
    QCOMPARE(m.widthTwips(), maximized);
    QCOMPARE(m.state.lblMaxMin, QStringLiteral("max"));
    m.FormMain_Form_DblClick();
    QCOMPARE(m.widthTwips(), 4410);
    QCOMPARE(m.leftTwips(), 1005); // 1000 twips from config.txt, on a whole pixel
}

void TestCollapse::trayClick_data() {
    QTest::addColumn<bool>("collapsed");
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("comesToFront");
    QTest::newRow("left click, main window") << false << QSystemTrayIcon::Trigger << true;
    QTest::newRow("left click, collapsed") << true << QSystemTrayIcon::Trigger << true;
    QTest::newRow("right click") << false << QSystemTrayIcon::Context << false;
    QTest::newRow("double click") << true << QSystemTrayIcon::DoubleClick << false;
    QTest::newRow("middle click") << false << QSystemTrayIcon::MiddleClick << false;
}

void TestCollapse::trayClick() {
    QFETCH(bool, collapsed);
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, comesToFront);

    Program p;
    p.start();
    QVERIFY(p.tray());
    // Where the desktop has no notification area the icon is left out.
    QCOMPARE(p.tray()->icon() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
    QCOMPARE(Tray::toolTip(), QStringLiteral(" Corvale Scrivulets 1.0 "));
    if (collapsed)
        click(p.main().btnUpDown);
    QWidget *visible = collapsed ? static_cast<QWidget *>(&p.ini()) : &p.main();

    QWidget other;
    other.setGeometry(500, 400, 50, 50);
    other.show();
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);

    p.tray()->trayActivated(reason);
    // Activation reaches the application through the window system's queue.
    QCoreApplication::processEvents();
    if (comesToFront)
        QTRY_COMPARE(QApplication::activeWindow(), visible);
    else
        QCOMPARE(QApplication::activeWindow(), &other);
    // The click never switches between the two windows.
    QCOMPARE(p.ini().isVisible(), collapsed);
    QCOMPARE(p.main().isVisible(), !collapsed);
}

void TestCollapse::startupWindowMovesWithAnyButton_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestCollapse::startupWindowMovesWithAnyButton() {
    // Where the window manager cannot move windows itself (here, offscreen)
    // the start-up window follows the mouse on its own.
    QFETCH(Qt::MouseButton, button);
    Program p;
    p.start();
    click(p.main().btnUpDown);
    FormIni &ini = p.ini();
    const QPoint start = ini.pos();
    const QPoint press = ini.mapToGlobal(QPoint(10, 10));
    const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton b,
                          Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(ini.mapFromGlobal(global)), QPointF(global), b, held,
                      Qt::NoModifier);
        QApplication::sendEvent(&ini, &e);
    };
    send(QEvent::MouseButtonPress, press, button, button);
    send(QEvent::MouseMove, press + QPoint(20, 5), Qt::NoButton, button);
    send(QEvent::MouseMove, press + QPoint(40, 20), Qt::NoButton, button);
    send(QEvent::MouseButtonRelease, press + QPoint(40, 20), button, Qt::NoButton);
    QCOMPARE(ini.pos(), start + QPoint(40, 20));
    // Released: the mouse moves on alone.
    send(QEvent::MouseMove, press + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
    QCOMPARE(ini.pos(), start + QPoint(40, 20));
    // The place is what the positions button stores.
    QCOMPARE(p.currentPositionsLine().section(u'|', 0, 1),
             QStringLiteral("%1|%2").arg((start.x() + 40) * 15).arg((start.y() + 20) * 15));
}

QTEST_MAIN(TestCollapse)
#include "test_collapse.moc"
