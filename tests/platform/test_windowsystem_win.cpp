#include "platform/files.h"
#include "platform/globalkey.h"
#include "platform/windowsystem.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <memory>
#include <windows.h>

// The Windows side of the platform layer, read back through Win32 from real
// native windows: the window states as Windows holds them, whatever a window
// manager under Wine makes of them.
class TestWindowSystemWin : public QObject {
    Q_OBJECT

    // A strip like the program's own windows, at a place of its own.
    static std::unique_ptr<QWidget> strip(Qt::WindowFlags flags = Qt::FramelessWindowHint |
                                                                  Qt::Tool) {
        auto window = std::make_unique<QWidget>(nullptr, flags);
        window->setGeometry(150, 120, 200, 100);
        return window;
    }
    static HWND handle(const QWidget &window) { return reinterpret_cast<HWND>(window.winId()); }
    static LONG_PTR exStyle(const QWidget &window) {
        return GetWindowLongPtrW(handle(window), GWL_EXSTYLE);
    }
    static QRect nativeGeometry(const QWidget &window) {
        RECT r{};
        GetWindowRect(handle(window), &r);
        return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    }

private slots:
    void taskbar_data() {
        QTest::addColumn<bool>("ordinaryWindow");
        QTest::newRow("frameless tool window") << false;
        QTest::newRow("ordinary window marked as an app window") << true;
    }
    void taskbar() {
        QFETCH(bool, ordinaryWindow);
        const auto window = ordinaryWindow ? strip(Qt::Window) : strip();
        if (ordinaryWindow)
            SetWindowLongPtrW(handle(*window), GWL_EXSTYLE, exStyle(*window) | WS_EX_APPWINDOW);
        // As the program's windows do from their showEvent.
        platform::applyWindowStates(window.get(), false);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(exStyle(*window) & WS_EX_TOOLWINDOW);
        QVERIFY(!(exStyle(*window) & WS_EX_APPWINDOW));
    }

    void topmost_data() {
        QTest::addColumn<bool>("shownFirst");
        QTest::addColumn<QList<bool>>("switches");
        QTest::addColumn<bool>("hiddenAndShownAgain");
        QTest::addColumn<bool>("expected");
        QTest::newRow("on") << true << QList<bool>{true} << false << true;
        QTest::newRow("on, then off") << true << QList<bool>{true, false} << false << false;
        QTest::newRow("on while hidden shows it") << false << QList<bool>{true} << false << true;
        QTest::newRow("off while hidden shows it") << false << QList<bool>{false} << false << false;
        QTest::newRow("on outlives hiding") << true << QList<bool>{true} << true << true;
        QTest::newRow("off outlives hiding") << true << QList<bool>{true, false} << true << false;
    }
    void topmost() {
        QFETCH(bool, shownFirst);
        QFETCH(QList<bool>, switches);
        QFETCH(bool, hiddenAndShownAgain);
        QFETCH(bool, expected);
        const auto window = strip();
        if (shownFirst) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        const QRect before = window->geometry();
        for (const bool on : switches)
            platform::setTopmost(window.get(), on);
        if (hiddenAndShownAgain) {
            // A window shown again applies its states, as the program's do
            // from their showEvent.
            window->hide();
            platform::applyWindowStates(window.get(), switches.back());
            window->show();
        }
        QVERIFY(window->isVisible());
        QVERIFY(IsWindowVisible(handle(*window)));
        QCOMPARE(bool(exStyle(*window) & WS_EX_TOPMOST), expected);
        QCOMPARE(platform::isTopmost(window.get()), expected);
        QCOMPARE(nativeGeometry(*window), before);
    }

    void alpha_data() {
        QTest::addColumn<bool>("beforeShowing");
        QTest::addColumn<QList<int>>("alphas");
        QTest::addColumn<int>("expected");
        QTest::newRow("90 %") << false << QList<int>{230} << 230;
        QTest::newRow("30 %") << false << QList<int>{76} << 76;
        QTest::newRow("0 %") << false << QList<int>{0} << 0;
        QTest::newRow("opaque stays layered") << false << QList<int>{230, 255} << 255;
        QTest::newRow("opaque, set before the window shows") << true << QList<int>{255} << 255;
        QTest::newRow("translucent, set before the window shows") << true << QList<int>{178} << 178;
    }
    void alpha() {
        QFETCH(bool, beforeShowing);
        QFETCH(QList<int>, alphas);
        QFETCH(int, expected);
        const auto window = strip();
        if (!beforeShowing)
            window->show();
        for (const int alpha : alphas)
            platform::setAlpha(window.get(), alpha);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(exStyle(*window) & WS_EX_LAYERED);
        BYTE alpha = 0;
        DWORD flags = 0;
        QVERIFY(GetLayeredWindowAttributes(handle(*window), nullptr, &alpha, &flags));
        QVERIFY(flags & LWA_ALPHA);
        QCOMPARE(int(alpha), expected);
        // Qt draws the window again; the layered state must survive that.
        window->repaint();
        QVERIFY(exStyle(*window) & WS_EX_LAYERED);
    }

    void position() {
        const auto window = strip();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->move(123, 77);
        QTRY_COMPARE(nativeGeometry(*window).topLeft(), QPoint(123, 77));
        QCOMPARE(platform::windowPosition(window.get()), QPoint(123, 77));
    }

    // A hot key another program holds is reported; a free one reaches the
    // program once per press.
    void globalKey() {
        constexpr int OtherProgramsKey = 7;
        QVERIFY(RegisterHotKey(nullptr, OtherProgramsKey, MOD_CONTROL | MOD_ALT, 'E'));
        platform::GlobalKey key;
        QCOMPARE(key.hold(Qt::ControlModifier | Qt::AltModifier, Qt::Key_E),
                 platform::GlobalKey::Outcome::Taken);
        UnregisterHotKey(nullptr, OtherProgramsKey);
        QCOMPARE(key.hold(Qt::ControlModifier | Qt::AltModifier, Qt::Key_E),
                 platform::GlobalKey::Outcome::Held);
        QSignalSpy pressed(&key, &platform::GlobalKey::pressed);
        INPUT keys[6] = {};
        const WORD sequence[] = {VK_CONTROL, VK_MENU, 'E'};
        for (int i = 0; i < 3; ++i) {
            keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = keys[5 - i].ki.wVk = sequence[i];
            keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        QCOMPARE(SendInput(6, keys, sizeof(INPUT)), 6u);
        QTRY_COMPARE(pressed.size(), 1);
    }

    void dataFolderIsTheExecutablesFolder() {
        wchar_t path[MAX_PATH] = {};
        QVERIFY(GetModuleFileNameW(nullptr, path, MAX_PATH) > 0);
        QCOMPARE(QFileInfo(platform::appFolderPath()).canonicalFilePath(),
                 QFileInfo(QString::fromWCharArray(path)).canonicalPath());
    }
};

QTEST_MAIN(TestWindowSystemWin)
#include "test_windowsystem_win.moc"
