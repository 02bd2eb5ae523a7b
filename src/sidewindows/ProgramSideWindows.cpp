#include "startup/Program.h"

#include "mainwindow/FormMain.h"
#include "sidewindows/FormAbout.h"
#include "sidewindows/FormConfig.h"
#include "sidewindows/FormHelp.h"
#include "sidewindows/SideWindow.h"
#include "store/FormList.h"
#include "store/FormSave.h"

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

FormSave *Program::saveWindow() const {
    return static_cast<FormSave *>(sideWindow(Side::Save));
}
FormList *Program::listWindow() const {
    return static_cast<FormList *>(sideWindow(Side::List));
}
FormConfig *Program::configWindow() const {
    return static_cast<FormConfig *>(sideWindow(Side::Config));
}

// Each window is made on first use, which runs its load step, and shown by
// the opening steps; an open one is only placed and brought forward again.
void Program::openSaveWindow() {
    if (!saveWindow())
        setSideWindow(Side::Save, new FormSave(*m_main));
    saveWindow()->ShowSideWindow();
}

void Program::openListWindow() {
    if (!listWindow())
        setSideWindow(Side::List, new FormList(*this));
    listWindow()->ShowSideWindow();
}

void Program::openConfigWindow() {
    if (!configWindow())
        setSideWindow(Side::Config, new FormConfig(*this));
    configWindow()->btnConfig_Click();
}

// The help window has no button of its own: the About window's link makes it
// when there is none and hands it its place.
void Program::openAboutWindow() {
    if (!sideWindow(Side::About))
        setSideWindow(Side::About, new FormAbout(*m_main, [this]() -> FormHelp * {
                          if (!sideWindow(Side::Help))
                              setSideWindow(Side::Help, new FormHelp(*m_main));
                          return static_cast<FormHelp *>(sideWindow(Side::Help));
                      }));
    sideWindow(Side::About)->ShowSideWindow();
}
