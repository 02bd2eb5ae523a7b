#pragma once

// What the window tests share besides the data folder: the whole program
// started over it, a hand for message boxes, clicks as a user gives them and
// the controls found by their layout names.
#include "app/Program.h"
#include "support/datafolder.h"

#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>

namespace windows {
class SideWindow;
} // namespace windows
namespace widgets {
class TextBox;
}

namespace support {

// The program started over a data folder of its own: config.txt written with
// the changed lines first when there are any, and what else the test
// prepares; on files that fail when the test says.
struct Started {
    explicit Started(const QMap<int, QString> &config = {},
                     const std::function<void(const DataFolder &)> &prepare = {});
    const char *prepare(const QString &setup) { return support::prepare(data, files, setup); }
    core::AppCore &core() { return program.m_core; }
    app::FrontPlace &front() { return program.m_front; }
    windows::FormMain &main() { return *program.m_main; }
    windows::FormIni &ini() { return *program.m_ini; }
    windows::Tray &tray() { return *program.m_tray; }

    DataFolder data;
    FailingFiles files;
    // The addresses (web pages, folders) the program handed to the desktop,
    // which takes them while `browserAnswers` says so; no test reaches a
    // real browser or file manager.
    QList<QUrl> openedAddresses;
    bool browserAnswers = true;
    app::Program program;
};

// Opens the side window the toolbar (or, for help, the About window) opens.
windows::SideWindow *open(app::Program &program, core::Side side);

// Answers every modal message box that opens while it lives with the button
// of that caption, or else the box's default button (OK), and keeps what the
// boxes said.
class MessageBoxes {
public:
    explicit MessageBoxes(const QString &answer = {});
    QStringList texts;
    QStringList titles;

private:
    QTimer m_timer;
};

// A left click in the middle of the control, as a hand gives it.
void click(QWidget *control);

// A mouse event as the window system delivers it while a button is held: to
// the window that took the press, wherever the pointer is.
void mouse(QWidget &window, QEvent::Type type, QPoint global, Qt::MouseButton button,
           Qt::MouseButtons held);

// The window's visible controls (buttons, boxes, lists) that leave it or
// overlap another by more than a pixel's row, said in one line: empty where
// the layout holds.
QString controlsOutOfPlace(const QWidget &window);

// The length of the text box's selection, counted in its CR LF text.
int selectionLength(const widgets::TextBox &box);

// A closed window is deleted once control is back in the event loop.
void runDeferredDeletes();

// The control of that layout name; a test whose window has none stops there.
template <typename T = QWidget> T *child(const QObject *window, const char *name) {
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(window->objectName()),
               T::staticMetaObject.className(), name);
    return found;
}

} // namespace support
