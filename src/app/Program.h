#pragma once

#include "app/FrontPlace.h"
#include "core/AppCore.h"
#include "platform/globalkey.h"
#include "platform/termination.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QUrl;

namespace windows {
class FormMain;
class FormIni;
class SideWindow;
class Tray;
} // namespace windows
namespace support {
struct Started;
}

namespace app {

// Owns the core and every window for the whole run, and wires them: the
// windows call the core and show its state, and this is where a request of
// one window (the strip's toolbar, the About window's help link) becomes
// another window. It answers the core's questions about the windows.
class Program : public QObject, private core::WindowFacts {
    Q_OBJECT
public:
    // Hands an address (a web page, a folder) to the desktop, which opens it
    // in the browser or the file manager; false when nothing took it.
    using AddressOpener = std::function<bool(const QUrl &)>;

    // Every file operation goes through `files`: the system's own, or in a
    // test one that fails on demand; and every address through
    // `openAddress`, the desktop's browser when none is given.
    explicit Program(const QString &dataFolder,
                     platform::FileSystem &files = platform::FileSystem::system(),
                     AddressOpener openAddress = {});
    ~Program() override;

    // The start-up sequence: config.txt, the windows where it puts them, the
    // last text, the tray icon; then the keyboard to the strip (or to the
    // collapsed window in a minimized start).
    void start();

    // The side window of that kind that is open now, or null.
    windows::SideWindow *sideWindow(core::Side side) const;

public slots:
    // The strip back from the collapsed window, at the width it had.
    void showMainWindow();
    // The open side windows closed and the collapsed window in the strip's
    // place, in front as the strip was.
    void collapseMainWindow();
    // The strip shown and given the keyboard, whatever state it was in.
    void showStrip();
    // The strip collapsed when it is in front, else shown as by showStrip:
    // --alternar and the global key.
    void toggleStrip();

    void openSaveWindow();
    void openListWindow();
    void openConfigWindow();
    void openAboutWindow();
    // The help window in the About window's place, which goes.
    void openHelpWindow();

    // The power button, a window closed by the window system, the tray's
    // menu: every window in the program's closing order, the strip last,
    // then the tray icon, then the event loop. Unsaved text is kept in a
    // recovery copy first; where that cannot be written, the user is asked
    // whether to close all the same and lose it, or (by default) stay.
    void closeProgram();
    // The system asks the program to end (a kill, a session that ends its
    // programs without asking): nobody is there to answer, so it ends, its
    // unsaved text in a recovery copy, or left in its draft for the next start
    // where that copy cannot be written.
    void endAtTheSystemsRequest();

private:
    // The window tests look into the core and the windows it owns.
    friend struct support::Started;

    // Every window in the program's closing order, then the event loop.
    void endRun();
    // The unsaved text could not be kept: true when the user closes anyway.
    bool closeWithoutKeeping(const QString &recoveryPath);
    // A notice beside the strip, which keeps the keyboard.
    QMessageBox *showNoticeBesideStrip(QMessageBox::Icon icon, const QString &text);
    // A draft could not be written: said beside the strip.
    void tellDraftFailed(const QString &displayPath);
    QString stripText() const override;
    QRectF stripPlaceTwips() const override;
    QPointF startupWindowPlaceTwips() const override;

    // Places every window on a screen that shows it (start-up, screens changed).
    void keepWindowsReachable();
    // The combination of config.txt's line 10 taken from the desktop; what
    // keeps it from working is said once, without stopping the program.
    void holdGlobalKey();
    void discardSideWindow(core::Side side);
    // The keyboard to the window the program stands in now: the strip, its
    // caret where it was, or the collapsed window.
    void returnKeyboard();
    void keyboardLeft(QWidget *from, QWidget *to);
    template <typename Window, typename... Args>
    Window *sideWindowOf(core::Side side, bool &created, Args &&...args);

    core::AppCore m_core;
    AddressOpener m_openAddress;
    // Before the windows, which tell it where they stand.
    app::FrontPlace m_front;
    std::unique_ptr<windows::FormIni> m_ini;
    std::unique_ptr<windows::FormMain> m_main;
    // After the windows it brings to the front, so it goes first.
    std::unique_ptr<windows::Tray> m_tray;
    QPointer<windows::SideWindow> m_sides[5];
    platform::TerminationRequests m_termination;
    QPointer<QWidget> m_draftNotice;
    platform::GlobalKey m_globalKey;
    bool m_closing = false;
    bool m_asking = false;
};

} // namespace app
