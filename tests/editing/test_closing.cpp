#include "editingtesting.h"
#include "mainwindow/FormMain.h"
#include "sidewindows/SideWindow.h"
#include "startup/Program.h"
#include "store/textfolder.h"

#include <QTest>
#include <QWindow>

using namespace editingtesting;

// Closing ends the event loop; a test runs it and waits for that, with a
// generous limit that only a program which never ends would reach.
int runUntilTheProgramEnds(const std::function<void()> &action) {
    QTimer::singleShot(0, action);
    QTimer limit;
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    limit.start(20000);
    return QCoreApplication::exec();
}

class TestClosing : public QObject {
    Q_OBJECT
private slots:
    void init() { freshDataFolder(); }

    void closeButtonEndsEverything_data();
    void closeButtonEndsEverything();
};

void TestClosing::closeButtonEndsEverything_data() {
    QTest::addColumn<bool>("byWindowSystem");
    QTest::newRow("btnClose") << false;
    QTest::newRow("main window closed by the window system") << true;
}

void TestClosing::closeButtonEndsEverything() {
    QFETCH(bool, byWindowSystem);
    writeConfig({});
    const QByteArray config = fileBytes(config::configPath());
    Program p;
    p.start();
    FormMain &m = p.main();
    p.openConfigWindow();
    p.openListWindow();
    QVERIFY(p.sideWindow(Program::Side::Config));
    QVERIFY(p.sideWindow(Program::Side::List));
    QTest::keyClicks(m.Text1, QStringLiteral("nao salvo"));

    const int exitCode = runUntilTheProgramEnds([&] {
        if (byWindowSystem)
            m.windowHandle()->close();
        else
            QTest::mouseClick(m.btnClose, Qt::LeftButton);
    });
    QCOMPARE(exitCode, 0);
    QVERIFY(!p.sideWindow(Program::Side::Config));
    QVERIFY(!p.sideWindow(Program::Side::List));
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->metaObject()->className()));
    // Nothing is saved on the way out.
    QCOMPARE(fileBytes(config::configPath()), config);
    QCOMPARE(ListTextFolder(), QStringList());
}

QTEST_MAIN(TestClosing)
#include "test_closing.moc"
