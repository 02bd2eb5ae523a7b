#include "mainwindow/FormMain.h"
#include "platform/windowsystem.h"
#include "sidetesting.h"
#include "sidewindows/FormConfig.h"
#include "startup/Program.h"
#include "store/FormList.h"
#include "store/FormSave.h"

#include <QPointer>

using namespace sidetesting;

// The frame shared by the side windows, driven through the main window's
// toolbar: placement, arrows, closing, the at-most-once rule and the
// always-on-top hand-over.
class TestSideWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void opensBesideTheMainWindow_data();
    void opensBesideTheMainWindow();
    void frameControls();
    void existsAtMostOnce();
    void arrowsFollowTheMainWindow();
    void handsTopmostOverAndBack();
    void windowManagerCloseHandsBackToo();
    void switchedOffWhileHeldComesBackOn();
    void notTopmostIsNeverTouched();
    void loadStepClearsTopmost_data();
    void loadStepClearsTopmost();
    void discardGivesNothingBack();
    void noticeAndTimer();
    void dragsOnlyByTheBackground_data();
    void dragsOnlyByTheBackground();
    void captionsAreWhole();

private:
    static void startWithAlign(Program &p, const QString &align);
};

void TestSideWindows::init() {
    resetAppFolder();
}

void TestSideWindows::startWithAlign(Program &p, const QString &align) {
    writeBytes(configFile(), configLines({"294", "140", "280", "90", align, "2", "Arial",
                                          "1000|1000|1000|1000", "*"}));
    p.start();
}

void TestSideWindows::opensBesideTheMainWindow_data() {
    QTest::addColumn<QString>("align");
    QTest::addColumn<QPoint>("at");
    // The main window stands at 1005, 1005 twips (67 px), 4410 x 3375 twips.
    QTest::newRow("left, off screen") << "1" << QPoint(-231, 67);
    QTest::newRow("centre: 457.5 twips is 30.5 px") << "2" << QPoint(67, 30);
    QTest::newRow("right") << "3" << QPoint(365, 67);
}

void TestSideWindows::opensBesideTheMainWindow() {
    QFETCH(QString, align);
    QFETCH(QPoint, at);
    Program p;
    startWithAlign(p, align);
    QCOMPARE(p.main().geometry(), QRect(67, 67, 294, 225));
    click(p.main().btnSave);
    FormSave *w = p.saveWindow();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->pos(), at);
    QCOMPARE(w->size(), QSize(294, 298));
    QVERIFY(p.main().isVisible());
}

void TestSideWindows::frameControls() {
    Program p;
    startWithAlign(p, "1");
    click(p.main().btnList);
    FormList *w = p.listWindow();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), "Corvale Scrivulets");
    QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(w->Label3->text(), "Listando arquivos");
    QVERIFY(w->Label3->font().bold());
    QCOMPARE(w->Label3->font().pointSizeF(), 8.25);
    QCOMPARE(w->btnClose->toolTip(), " Fechar janela ");
    QCOMPARE(w->btnEsq->toolTip(), " Alinhar à esquerda ");
    QCOMPARE(w->btnDir->toolTip(), " Alinhar à direita ");
    QCOMPARE(w->btnClose->geometry(), QRect(257, 8, 26, 25));
    QCOMPARE(w->btnEsq->geometry(), QRect(8, 32, 15, 15));
    QCOMPARE(w->btnDir->geometry(), QRect(269, 32, 15, 15));
    QCOMPARE(w->btnClose->cursor().hotSpot(), QPoint(1, 1));
    QCOMPARE(w->lblCheckTop->text(), "0");
    QVERIFY(w->lblCheckTop->isHidden());
}

void TestSideWindows::existsAtMostOnce() {
    Program p;
    startWithAlign(p, "3");
    click(p.main().btnConfig);
    QPointer<FormConfig> first = p.configWindow();
    QVERIFY(first);
    first->move(500, 400); // dragged away
    click(p.main().btnConfig);
    QCOMPARE(p.configWindow(), first.data());
    QCOMPARE(first->pos(), QPoint(365, 67));

    click(first->btnClose);
    QVERIFY(!p.configWindow());
    QVERIFY(!first->isVisible());
    runDeferredDeletes();
    QVERIFY(first.isNull());

    click(p.main().btnConfig);
    QVERIFY(p.configWindow());
    QVERIFY(p.configWindow()->isVisible());
}

void TestSideWindows::arrowsFollowTheMainWindow() {
    Program p;
    startWithAlign(p, "2");
    click(p.main().btnSave);
    FormSave *w = p.saveWindow();
    QCOMPARE(w->pos(), QPoint(67, 30));
    p.main().move(150, 90); // 2250, 1350 twips
    click(w->btnDir);
    QCOMPARE(w->pos(), QPoint(150 + 294 + 4, 90));
    click(w->btnEsq);
    QCOMPARE(w->pos(), QPoint(150 - 294 - 4, 90));
    QCOMPARE(p.main().state.lblAlignValue, "2");
}

void TestSideWindows::handsTopmostOverAndBack() {
    Program p;
    startWithAlign(p, "1");
    FormMain &m = p.main();
    click(m.btnTop);
    QVERIFY(platform::isTopmost(&m));

    click(m.btnSave);
    click(m.btnList);
    FormSave *save = p.saveWindow();
    FormList *list = p.listWindow();
    QVERIFY(!platform::isTopmost(&m));
    QCOMPARE(m.state.lblCheckTop, "1");
    QCOMPARE(save->lblCheckTop->text(), "1");
    QCOMPARE(list->lblCheckTop->text(), "1");

    click(save->btnClose);
    QVERIFY(platform::isTopmost(&m));
    QCOMPARE(m.state.lblCheckTop, "1");
    QVERIFY(p.listWindow());

    click(list->btnClose);
    QVERIFY(platform::isTopmost(&m));
    QCOMPARE(m.state.lblCheckTop, "1");
}

void TestSideWindows::windowManagerCloseHandsBackToo() {
    Program p;
    startWithAlign(p, "1");
    click(p.main().btnTop);
    click(p.main().btnConfig);
    QPointer<FormConfig> w = p.configWindow();
    QVERIFY(!platform::isTopmost(&p.main()));
    w->close();
    QVERIFY(!p.configWindow());
    QVERIFY(platform::isTopmost(&p.main()));
    runDeferredDeletes();
    QVERIFY(w.isNull());
}

void TestSideWindows::switchedOffWhileHeldComesBackOn() {
    Program p;
    startWithAlign(p, "1");
    FormMain &m = p.main();
    click(m.btnTop);
    click(m.btnSave);
    click(m.btnTop); // off while the save window holds the record
    QCOMPARE(m.state.lblCheckTop, "0");
    QVERIFY(!platform::isTopmost(&m));
    click(p.saveWindow()->btnClose);
    QCOMPARE(m.state.lblCheckTop, "1");
    QVERIFY(platform::isTopmost(&m));
}

void TestSideWindows::notTopmostIsNeverTouched() {
    Program p;
    startWithAlign(p, "1");
    FormMain &m = p.main();
    click(m.btnList);
    QCOMPARE(p.listWindow()->lblCheckTop->text(), "0");
    click(p.listWindow()->btnClose);
    QCOMPARE(m.state.lblCheckTop, "0");
    QVERIFY(!platform::isTopmost(&m));
}

void TestSideWindows::loadStepClearsTopmost_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("save keeps it") << int(Program::Side::Save) << false;
    QTest::newRow("list clears it") << int(Program::Side::List) << true;
    QTest::newRow("settings clear it") << int(Program::Side::Config) << true;
}

void TestSideWindows::loadStepClearsTopmost() {
    QFETCH(int, side);
    QFETCH(bool, cleared);
    Program p;
    startWithAlign(p, "1");
    click(p.main().btnTop);
    // Made without the opening steps: only the load step runs.
    std::unique_ptr<SideWindow> w;
    switch (Program::Side(side)) {
    case Program::Side::Save:
        w = std::make_unique<FormSave>(p.main());
        break;
    case Program::Side::List:
        w = std::make_unique<FormList>(p);
        break;
    default:
        w = std::make_unique<FormConfig>(p);
        break;
    }
    QCOMPARE(platform::isTopmost(&p.main()), !cleared);
    QCOMPARE(w->lblCheckTop->text(), "0");
    QCOMPARE(p.main().state.lblCheckTop, "1");
}

void TestSideWindows::discardGivesNothingBack() {
    Program p;
    startWithAlign(p, "1");
    click(p.main().btnTop);
    click(p.main().btnSave);
    QPointer<FormSave> w = p.saveWindow();
    p.discardSideWindow(Program::Side::Save);
    QVERIFY(!p.saveWindow());
    QVERIFY(!w->isVisible());
    QVERIFY(!platform::isTopmost(&p.main()));
    QCOMPARE(p.main().state.lblCheckTop, "1");
    runDeferredDeletes();
    QVERIFY(w.isNull());
    p.discardSideWindow(Program::Side::List); // not open: nothing
}

void TestSideWindows::noticeAndTimer() {
    Program p;
    startWithAlign(p, "1");
    click(p.main().btnSave);
    FormSave *w = p.saveWindow();
    QVERIFY(!w->Timer1->isActive());
    QVERIFY(w->lblAviso->isHidden());

    w->showNotice("primeiro", 5000);
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->Timer1->interval(), 5000);
    QVERIFY(w->lblAviso->isVisible());
    QCOMPARE(w->lblAviso->text(), "primeiro");

    w->Timer1_Timer();
    QVERIFY(w->lblAviso->isHidden());
    QCOMPARE(w->lblAviso->text(), "");
    QVERIFY(w->Timer1->isActive()); // the tick does not stop it

    w->showNotice("segundo");
    QCOMPARE(w->Timer1->interval(), 2000);
    QVERIFY(w->lblAviso->isVisible());
}

void TestSideWindows::dragsOnlyByTheBackground_data() {
    QTest::addColumn<bool>("settings");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("drags");
    QTest::newRow("save: background") << false << QPoint(150, 50) << true;
    QTest::newRow("save: the grey rule") << false << QPoint(150, 32) << true;
    QTest::newRow("save: the white band") << false << QPoint(9, 82) << true;
    QTest::newRow("save: the separator") << false << QPoint(150, 249) << true;
    QTest::newRow("save: the title") << false << QPoint(20, 25) << false;
    QTest::newRow("save: a label") << false << QPoint(20, 70) << false;
    QTest::newRow("save: the note") << false << QPoint(100, 270) << false;
    QTest::newRow("save: the title box") << false << QPoint(100, 95) << false;
    QTest::newRow("settings: a frame") << true << QPoint(270, 160) << false;
    QTest::newRow("settings: background") << true << QPoint(150, 45) << true;
}

void TestSideWindows::dragsOnlyByTheBackground() {
    QFETCH(bool, settings);
    QFETCH(QPoint, at);
    QFETCH(bool, drags);
    Program p;
    startWithAlign(p, "1");
    click(settings ? p.main().btnConfig : p.main().btnSave);
    SideWindow *w =
        settings ? p.sideWindow(Program::Side::Config) : p.sideWindow(Program::Side::Save);
    QCOMPARE(w->isBackgroundAt(at), drags);
}

void TestSideWindows::captionsAreWhole() {
    // Whatever font the system gives, no one-line caption loses its end.
    Program p;
    startWithAlign(p, "1");
    click(p.main().btnSave);
    click(p.main().btnList);
    click(p.main().btnConfig);
    for (SideWindow *w :
         {static_cast<SideWindow *>(p.saveWindow()), static_cast<SideWindow *>(p.listWindow()),
          static_cast<SideWindow *>(p.configWindow())}) {
        QVERIFY(w);
        for (const QLabel *label : w->findChildren<QLabel *>()) {
            if (label->wordWrap() || label->text().isEmpty() || !label->isVisibleTo(w))
                continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
        }
    }
}

QTEST_MAIN(TestSideWindows)
#include "test_sidewindows.moc"
