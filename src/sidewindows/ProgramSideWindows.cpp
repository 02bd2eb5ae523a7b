#include "startup/Program.h"

#include "mainwindow/FormMain.h"
#include "sidewindows/SideWindow.h"

Program::SideWindows::~SideWindows() {
    for (QPointer<SideWindow> &w : windows)
        delete w.data();
}

QPointer<SideWindow> &Program::slot(Side side) {
    return m_sides.windows[int(side)];
}

SideWindow *Program::sideWindow(Side side) const {
    SideWindow *w = m_sides.windows[int(side)];
    // A closed window lingers until the event loop deletes it; it is gone already.
    return w && !w->isDiscarded() ? w : nullptr;
}

void Program::setSideWindow(Side side, SideWindow *window) {
    QPointer<SideWindow> &w = slot(side);
    if (w && w != window)
        w->discard();
    w = window;
}

void Program::discardSideWindow(Side side) {
    if (SideWindow *w = sideWindow(side))
        w->discard();
}

void Program::openSaveWindow() {}
void Program::openListWindow() {}
void Program::openConfigWindow() {}
void Program::openAboutWindow() {}
