#include "app/Program.h"

#include "core/names.h"
#include "core/screens.h"
#include "core/shortcut.h"
#include "core/siderules.h"
#include "core/twips.h"
#include "platform/foreground.h"
#include "platform/windowsystem.h"
#include "widgets/pictures.h"
#include "windows/FormAbout.h"
#include "windows/FormConfig.h"
#include "windows/FormHelp.h"
#include "windows/FormIni.h"
#include "windows/FormList.h"
#include "windows/FormMain.h"
#include "windows/FormSave.h"
#include "windows/Tray.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>

using namespace windows;

namespace app {

Program::Program(const QString &dataFolder, platform::FileSystem &files, AddressOpener openAddress)
    : m_core(dataFolder, files),
      m_openAddress(openAddress ? std::move(openAddress)
                                : AddressOpener(QDesktopServices::openUrl)) {
    m_core.setWindowFacts(this);
}

Program::~Program() {
    for (QPointer<SideWindow> &w : m_sides)
        delete w.data();
}

QString Program::stripText() const {
    return m_main->text();
}

QRectF Program::stripPlaceTwips() const {
    return m_main->placeTwips();
}

QPointF Program::startupWindowPlaceTwips() const {
    return m_ini->placeTwips();
}

void Program::start() {
    // For the task switcher and the side windows' title bars (the frameless
    // strip and collapsed window show none themselves), drawn by the build.
    QApplication::setWindowIcon(widgets::pictureIcon(QStringLiteral(":/icons/app_icon.svg")));
    m_ini = std::make_unique<FormIni>();
    m_main = std::make_unique<FormMain>(m_core);
    connect(m_main.get(), &FormMain::alwaysOnTopToggleRequested, &m_front,
            &app::FrontPlace::toggleAlwaysOnTop);
    connect(m_main.get(), &FormMain::activated, &m_front, &app::FrontPlace::stripActivated);
    connect(&m_front, &app::FrontPlace::stripTopmostRequested, m_main.get(), &FormMain::setTopmost);
    connect(&m_front, &app::FrontPlace::alwaysOnTopChanged, m_main.get(),
            &FormMain::showAlwaysOnTop);
    m_core.start();

    // Line 8: each part that is a number moves its window.
    const std::array<std::optional<double>, 4> &at = m_core.settings().positionsTwips;
    m_ini->moveTwips(at[0], at[1]);
    m_main->applySettings();
    std::optional<QPointF> mainAt;
    if (at[2] || at[3]) {
        const QRectF here = m_main->placeTwips();
        mainAt = QPointF(at[2].value_or(here.x()), at[3].value_or(here.y()));
    }
    m_main->place(mainAt, m_core.stripWidthTwips());
    keepWindowsReachable();
    for (QScreen *screen : QGuiApplication::screens())
        connect(screen, &QScreen::availableGeometryChanged, this, &Program::keepWindowsReachable);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, &Program::keepWindowsReachable);
        keepWindowsReachable();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this] {
        // The screen is still listed while it goes.
        QTimer::singleShot(0, this, &Program::keepWindowsReachable);
    });

    if (m_core.settings().startMinimized) {
        m_ini->show();
        m_main->hide();
        // As the strip would: a program just started has the keyboard, and
        // its button expands the strip from it.
        m_ini->takeFocus();
        platform::insistOnMapping(m_ini.get());
    } else {
        m_ini->hide();
        m_main->show();
        m_main->takeFocus();
        platform::insistOnMapping(m_main.get());
    }
    // The last step, in both start modes.
    m_tray = std::make_unique<Tray>(m_ini.get(), m_main.get());
    m_tray->showOpenText(core::openTextCaption(m_core.openName().value_or(QString())));
    m_tray->show();

    connect(m_ini.get(), &FormIni::showMainRequested, this, &Program::showMainWindow);
    connect(m_ini.get(), &FormIni::closeRequested, this, &Program::closeProgram);
    connect(m_main.get(), &FormMain::collapseRequested, this, &Program::collapseMainWindow);
    connect(m_main.get(), &FormMain::saveRequested, this, &Program::openSaveWindow);
    connect(m_main.get(), &FormMain::listRequested, this, &Program::openListWindow);
    connect(m_main.get(), &FormMain::configRequested, this, &Program::openConfigWindow);
    connect(m_main.get(), &FormMain::aboutRequested, this, &Program::openAboutWindow);
    connect(m_main.get(), &FormMain::closeRequested, this, &Program::closeProgram);
    connect(m_tray.get(), &Tray::showRequested, this, &Program::showStrip);
    connect(m_tray.get(), &Tray::closeRequested, this, &Program::closeProgram);
    connect(&m_core, &core::AppCore::openNameChanged, m_tray.get(),
            [this](const QString &name) { m_tray->showOpenText(core::openTextCaption(name)); });
    // The session ends: what the user typed and did not save is kept.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { m_core.closing(); });
    connect(&m_termination, &platform::TerminationRequests::requested, this,
            &Program::endAtTheSystemsRequest);
    connect(&m_globalKey, &platform::GlobalKey::pressed, this, &Program::toggleStrip);
    holdGlobalKey();
    connect(&m_core, &core::AppCore::writeFailed, this, &Program::tellDraftFailed);
    connect(&m_core, &core::AppCore::otherVersionKept, this, [this](const QString &displayPath) {
        showNoticeBesideStrip(QMessageBox::Information,
                              QStringLiteral("Este texto foi mudado fora do programa. A outra "
                                             "versão foi guardada em:\n") +
                                  displayPath);
    });
    connect(qApp, &QApplication::focusChanged, this, &Program::keyboardLeft);

    if (m_core.recoveredAfterCrash()) {
        // Said once, without holding up the start, with the folder a click away.
        auto *box = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Corvale Scrivulets"),
            QStringLiteral("O programa não foi fechado normalmente da última vez. O texto que "
                           "não estava salvo foi guardado na pasta:\n") +
                m_core.recovery().displayPath(),
            QMessageBox::Ok, m_main.get());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QPushButton *show = box->addButton(QStringLiteral("Abrir pasta"), QMessageBox::ActionRole);
        connect(show, &QPushButton::clicked, this, [this] {
            if (!m_openAddress(QUrl::fromLocalFile(m_core.recovery().path())))
                showNoticeBesideStrip(QMessageBox::Warning,
                                      QStringLiteral("Não foi possível abrir o gerenciador de "
                                                     "arquivos. A pasta é:\n") +
                                          m_core.recovery().displayPath());
        });
        box->setDefaultButton(QMessageBox::Ok);
        box->open();
    }
}

void Program::keepWindowsReachable() {
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    for (QWidget *window :
         {static_cast<QWidget *>(m_ini.get()), static_cast<QWidget *>(m_main.get())}) {
        // Where the windows stand, not Qt's idea of it, which can be stale.
        const QPointF at =
            window == m_ini.get() ? m_ini->placeTwips() : m_main->placeTwips().topLeft();
        const QRect here(QPoint(core::px(at.x()), core::px(at.y())), window->size());
        const QRect there = core::reachablePlace(here, screens);
        if (there == here)
            continue;
        if (window == m_ini.get())
            m_ini->moveTwips(there.x() * core::TwipsPerPixel, there.y() * core::TwipsPerPixel);
        else
            m_main->place(QPointF(there.x() * core::TwipsPerPixel, there.y() * core::TwipsPerPixel),
                          m_main->widthTwips());
    }
}

void Program::showMainWindow() {
    m_ini->hide();
    m_main->place(std::nullopt, m_core.stripWidthTwips());
    m_main->setTopmost(m_front.alwaysOnTop());
    m_main->show();
    m_main->takeFocus();
}

void Program::collapseMainWindow() {
    const bool hadKeyboard = QGuiApplication::focusWindow() != nullptr;
    // Closed, not handed back: the always-on-top switch stays on, and the
    // collapsed window takes it over below.
    for (core::Side side : {core::Side::About, core::Side::Config, core::Side::Help,
                            core::Side::List, core::Side::Save})
        discardSideWindow(side);
    m_core.setStripWidthTwips(m_main->widthTwips());
    m_main->hide();
    m_ini->setTopmost(m_front.alwaysOnTop());
    m_ini->show();
    // So that the keyboard that collapsed the strip can expand it again.
    if (hadKeyboard)
        m_ini->takeFocus();
}

// Asked for from outside the program's windows (a later launch, the global
// key, the tray's menu), hence as the user's action of this moment.
void Program::showStrip() {
    platform::asUserAction(m_main.get(), [this] {
        if (m_main->isVisible())
            m_main->takeFocus();
        else
            showMainWindow();
    });
}

// In front means shown with the keyboard, which is where a toggle leaves
// it. A strip that is merely visible, pinned over the program the user is
// in, is not: the key is pressed to write in it, and hiding it would take a
// second press to get there. Whether it is covered is not asked: the window
// manager, and a compositor's effects, own the stacking, and a strip half
// behind another window is brought rather than hidden anyway.
void Program::toggleStrip() {
    if (m_main->isVisible() && platform::hasKeyboard(m_main.get()))
        collapseMainWindow();
    else
        showStrip();
}

void Program::holdGlobalKey() {
    const QString text = m_core.settings().globalKey;
    if (text.isEmpty())
        return;
    const QString config = m_core.configDisplayPath();
    QString problem;
    if (const std::optional<core::KeyCombination> keys = core::parseKeyCombination(text)) {
        switch (m_globalKey.hold(keys->modifiers, keys->key)) {
        case platform::GlobalKey::Outcome::Held:
            return;
        case platform::GlobalKey::Outcome::Taken:
            problem = QStringLiteral("O atalho %1 já é usado por outro programa. Escolha outro na "
                                     "linha 10 de %2")
                          .arg(text, config);
            break;
        case platform::GlobalKey::Outcome::Unsupported:
            problem = QStringLiteral("O atalho %1 não funciona nesta sessão. Use um atalho do "
                                     "sistema com o comando corvale-scrivulets --alternar")
                          .arg(text);
            break;
        }
    } else {
        problem = QStringLiteral("A linha 10 de %1 não é um atalho válido: \"%2\" (exemplo: "
                                 "Ctrl+Alt+E)")
                      .arg(config, text);
    }
    std::fputs(qPrintable(QStringLiteral("corvale-scrivulets: ") + problem + u'\n'), stderr);
    std::fflush(stderr);
    // On screen too, for a program started from the menu.
    showNoticeBesideStrip(QMessageBox::Information, problem);
}

SideWindow *Program::sideWindow(core::Side side) const {
    SideWindow *w = m_sides[int(side)];
    // A closed window lingers until the event loop deletes it; it is gone already.
    return w && !w->isDiscarded() ? w : nullptr;
}

void Program::discardSideWindow(core::Side side) {
    if (SideWindow *w = sideWindow(side))
        w->discard();
}

// A message box that goes while it has the keyboard hands it back to the
// window it speaks for, as a side window does: openbox gives the keyboard of
// a window that goes to no window at all. The box is hidden already; a box
// left for another program is not.
void Program::keyboardLeft(QWidget *from, QWidget *to) {
    const auto *box = from ? qobject_cast<QMessageBox *>(from->window()) : nullptr;
    if (to || !box || !box->isHidden() || !box->parentWidget())
        return;
    QWidget *owner = box->parentWidget()->window();
    if (owner == m_main.get())
        returnKeyboard();
    else if (owner->isVisible())
        owner->activateWindow();
}

void Program::returnKeyboard() {
    if (m_main->isVisible())
        m_main->takeFocus();
    else if (m_ini->isVisible())
        m_ini->takeFocus();
}

// Each window is made on first use, which runs its load step, and shown by
// the opening steps; an open one is only placed and brought forward again.
template <typename Window, typename... Args>
Window *Program::sideWindowOf(core::Side side, bool &created, Args &&...args) {
    created = !sideWindow(side);
    if (created) {
        auto *window = new Window(m_core, std::forward<Args>(args)...);
        m_sides[int(side)] = window;
        window->setStripPlace([this] { return m_main->placeTwips(); });
        connect(window, &SideWindow::opening, &m_front, &app::FrontPlace::sideWindowOpened);
        connect(window, &SideWindow::closing, &m_front, &app::FrontPlace::sideWindowClosed);
        connect(window, &SideWindow::discarding, &m_front, &app::FrontPlace::sideWindowDiscarded);
        connect(window, &SideWindow::closedWithKeyboard, this, &Program::returnKeyboard);
        if (window->loadStep() == SideWindow::LoadStep::ClearTopmost)
            m_front.sideWindowLoaded();
    }
    return static_cast<Window *>(sideWindow(side));
}

void Program::openSaveWindow() {
    bool created;
    sideWindowOf<FormSave>(core::Side::Save, created)->showSideWindow();
}

void Program::openListWindow() {
    bool created;
    sideWindowOf<FormList>(core::Side::List, created)->showSideWindow();
}

void Program::openConfigWindow() {
    bool created;
    sideWindowOf<FormConfig>(core::Side::Config, created)->fillAndShow();
}

void Program::openAboutWindow() {
    bool created;
    FormAbout *about = sideWindowOf<FormAbout>(core::Side::About, created, m_openAddress);
    if (created)
        connect(about, &FormAbout::helpRequested, this, &Program::openHelpWindow);
    about->showSideWindow();
}

// The help window takes the About window's place exactly, dragged or not,
// and the About window goes. It also takes over the strip's place in front
// if the About window held it, so that closing the help window gives it back.
void Program::openHelpWindow() {
    SideWindow *about = sideWindow(core::Side::About);
    if (!about)
        return;
    bool created;
    FormHelp *help = sideWindowOf<FormHelp>(core::Side::Help, created);
    help->moveTwips(about->placeTwips());
    m_front.handOverTopmost(core::Side::About, core::Side::Help);
    help->show();
    help->raise();
    help->activateWindow();
    about->discard();
}

void Program::closeProgram() {
    // A second request on the way out (a quick second click) finds it done,
    // or the question already asked.
    if (m_closing || m_asking)
        return;
    if (const core::Result kept = m_core.closing(); !kept.done() && !closeWithoutKeeping(kept.path))
        return;
    endRun();
}

bool Program::closeWithoutKeeping(const QString &recoveryPath) {
    m_asking = true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Corvale Scrivulets"),
                    QStringLiteral("Não foi possível guardar o texto não salvo em ") +
                        recoveryPath +
                        QStringLiteral("\nFechar o programa mesmo assim e perder o texto?"),
                    QMessageBox::NoButton, m_main.get());
    QPushButton *close =
        box.addButton(QStringLiteral("Fechar e perder o texto"), QMessageBox::DestructiveRole);
    QPushButton *stay = box.addButton(QStringLiteral("Continuar aberto"), QMessageBox::RejectRole);
    box.setDefaultButton(stay);
    box.setEscapeButton(stay);
    box.exec();
    m_asking = false;
    return box.clickedButton() == close;
}

// Beside the strip, where the text being typed stays in sight, and without
// taking the keyboard from it, so that the typing goes on where it was.
QMessageBox *Program::showNoticeBesideStrip(QMessageBox::Icon icon, const QString &text) {
    auto *box = new QMessageBox(icon, QStringLiteral("Corvale Scrivulets"), text, QMessageBox::Ok,
                                m_main.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    box->setWindowModality(Qt::NonModal);
    box->adjustSize();
    // On the side the side windows open, never over the strip's middle.
    const QScreen *screen = m_main->screen();
    const QPointF at = core::placeSideWindowOnScreen(
        m_core.settings().align == core::Align::Left ? core::Align::Left : core::Align::Right,
        m_main->placeTwips(),
        QSizeF(box->width() * core::TwipsPerPixel, box->height() * core::TwipsPerPixel),
        screen ? QRectF(core::twipsRect(screen->availableGeometry())) : QRectF());
    box->move(core::px(at.x()), core::px(at.y()));
    box->show();
    return box;
}

// Once a failing spell, which the core sees to.
void Program::tellDraftFailed(const QString &displayPath) {
    if (m_draftNotice)
        return;
    m_draftNotice = showNoticeBesideStrip(QMessageBox::Warning,
                                          QStringLiteral("Não foi possível salvar o rascunho em ") +
                                              displayPath +
                                              QStringLiteral("\nSalve o texto para não perdê-lo."));
}

void Program::endAtTheSystemsRequest() {
    if (m_closing)
        return;
    m_core.closing();
    endRun();
}

void Program::endRun() {
    m_closing = true;
    discardSideWindow(core::Side::About);
    discardSideWindow(core::Side::Config);
    discardSideWindow(core::Side::Help);
    m_ini->hide();
    discardSideWindow(core::Side::List);
    discardSideWindow(core::Side::Save);
    m_main->hide();
    if (m_draftNotice)
        m_draftNotice->close();
    m_tray->remove();
    // The two windows themselves go with the program object once the event
    // loop has returned: the click that got us here is still being delivered
    // to the strip. Nothing can veto an exit, unlike a quit request.
    QCoreApplication::exit(0);
}

} // namespace app
