#pragma once

#include "startup/config.h"

#include <QObject>
#include <QPointer>
#include <memory>

class FormMain;
class FormIni;
class Tray;
class SideWindow;
class FormSave;
class FormList;
class FormConfig;

// Owns every window of the program for the whole run.
class Program : public QObject {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // The start-up sequence: config.txt, the main window, the last text.
    void start();

    FormMain &main() { return *m_main; }
    FormIni &ini() { return *m_ini; }
    // The tray icon's owner; null before start-up has added the icon.
    Tray *tray() const { return m_tray.get(); }

    // The switch "Abrir último arquivo editado ao iniciar" for the whole run;
    // the settings window shows and sets it.
    bool reopenLastText = false;

    // Line 9 as every writer puts it: the open text when the switch is on.
    QString lastTextLine() const;

    // Line 8 from where the two windows stand now.
    QString currentPositionsLine() const;

    // Side windows: each exists at most once, created on first use and
    // destroyed when closed.
    enum class Side { Save, List, Config, About, Help };

    // Hides and destroys a side window if it is open, without handing the
    // always-on-top state back (collapse and closing the program).
    void discardSideWindow(Side side);

    // The side window that is open now, or null.
    SideWindow *sideWindow(Side side) const;
    FormSave *saveWindow() const;
    FormList *listWindow() const;
    FormConfig *configWindow() const;
    // Keeps a side window made elsewhere (the help window, made by the About
    // window) as the one of its kind.
    void setSideWindow(Side side, SideWindow *window);

public slots:
    // FormIni's btnShow: the main window back at the width it had.
    void showMainWindow();

    // The main window's btnUpDown: the open side windows closed and the
    // start-up window in the main window's place, topmost as the main window was.
    void collapseMainWindow();

    // Takes the tray icon away (the program's end); nothing when there is none.
    void removeTrayIcon();

    // The main window's toolbar and Ctrl+S.
    void openSaveWindow();
    void openListWindow();
    void openConfigWindow();
    void openAboutWindow();

    // btnClose, and the main window closed by the window system or the
    // session's end: every window in the program's closing order, the main
    // window last, then the tray icon, then the event loop. Nothing is saved.
    void closeProgram();

private:
    void applyConfig(const config::Accepted &accepted);

    std::unique_ptr<FormIni> m_ini;
    std::unique_ptr<FormMain> m_main;
    // After the windows it brings to the front, so it goes first.
    std::unique_ptr<Tray> m_tray;
    bool m_closing = false;

    // Declared after the main window, so destroyed before the window they
    // stand beside.
    struct SideWindows {
        QPointer<SideWindow> windows[5];
        ~SideWindows();
    } m_sides;
    QPointer<SideWindow> &slot(Side side);
};
