#include "startup/Program.h"

#include "mainwindow/FormMain.h"
#include "mainwindow/mainrules.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/windowsystem.h"
#include "startup/FormIni.h"
#include "startup/tray.h"
#include "store/textfolder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <functional>

using platform::formatNumber;
using platform::numberOr0;
using platform::parseNumber;

namespace {

// Calls back when the watched window is closed, and lets the close go on. The
// program only hides its main window (collapse, tray); a close comes from the
// window system (Alt+F4, a task switcher) or from the session's end.
class CloseWatcher : public QObject {
public:
    CloseWatcher(QObject *parent, std::function<void()> onClose)
        : QObject(parent), m_onClose(std::move(onClose)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close)
            m_onClose();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClose;
};

} // namespace

Program::Program() = default;
Program::~Program() = default;

void Program::start() {
    m_ini = std::make_unique<FormIni>();
    platform::ensureAppFolder();
    const QString path = config::configPath();
    if (!QFileInfo::exists(path))
        config::writeConfig(config::defaultLines());
    // An unreadable file reads as an empty one: every line takes its replacement.
    const QByteArray bytes = platform::readWholeFile(path).value_or(QByteArray());
    m_main = std::make_unique<FormMain>();
    applyConfig(config::accept(config::readValues(bytes)));
    // The last step, in both start modes.
    m_tray = std::make_unique<Tray>(m_ini.get(), m_main.get());
    m_tray->minimize_to_tray();

    connect(m_ini.get(), &FormIni::showMainRequested, this, &Program::showMainWindow);
    connect(m_main.get(), &FormMain::collapseRequested, this, &Program::collapseMainWindow);
    connect(m_main.get(), &FormMain::saveRequested, this, &Program::openSaveWindow);
    connect(m_main.get(), &FormMain::listRequested, this, &Program::openListWindow);
    connect(m_main.get(), &FormMain::configRequested, this, &Program::openConfigWindow);
    connect(m_main.get(), &FormMain::aboutRequested, this, &Program::openAboutWindow);
    connect(m_main.get(), &FormMain::closeRequested, this, &Program::closeProgram);
    // The window system closes the main window on Alt+F4, from a task switcher
    // or when the session ends; the program then ends the same way.
    m_main->installEventFilter(new CloseWatcher(this, [this] { closeProgram(); }));
    m_main->positionsLine = [this] { return currentPositionsLine(); };
    m_main->lastTextLine = [this] { return lastTextLine(); };
}

void Program::applyConfig(const config::Accepted &a) {
    MainWindowState &s = m_main->state;
    s.lblMyWidth = QStringLiteral("4410");
    s.lblResize = formatNumber(float(*parseNumber(a.width) * TwipsPerPixel));
    s.lblTxtMin = a.txtMin;
    s.lblTxtMax = a.txtMax;
    s.lblTransparencia = a.transparency;
    s.lblAlignValue = a.align;
    s.lblOptIni = a.optIni;
    s.lblFont = a.font;

    // Line 8: each part that is a number moves its window; each part present
    // is kept as it stands.
    std::array<std::optional<double>, 4> at;
    QString *fields[4] = {&s.lblIniLeftMin, &s.lblIniTopMin, &s.lblIniLeftMax, &s.lblIniTopMax};
    for (int i = 0; i < 4; ++i) {
        if (a.positions[i]) {
            *fields[i] = *a.positions[i];
            at[i] = parseNumber(*a.positions[i]);
        }
    }
    m_ini->moveTwips(at[0], at[1]);

    // Line 9: "*" or missing turns the reopening off; anything else names the text.
    reopenLastText = a.lastText && *a.lastText != u"*";
    QString text;
    if (reopenLastText && !a.lastText->isEmpty())
        text = ReadTextFile(*a.lastText).value_or(QString());
    m_main->Text1->setText(text);
    if (a.lastText)
        s.lblSave = *a.lastText;

    QFont font = m_main->Text1->font();
    font.setFamily(s.lblFont);
    m_main->Text1->setFont(font);

    std::optional<QPointF> mainAt;
    if (at[2] || at[3]) {
        const QRect g = m_main->geometryTwips();
        mainAt = QPointF(at[2].value_or(g.x()), at[3].value_or(g.y()));
    }
    s.lblWidth = s.lblResize;
    m_main->placeWindow(mainAt, numberOr0(s.lblResize));
    m_main->transparentForm(numberOr0(s.lblTransparencia));

    if (numberOr0(s.lblOptIni) == 1) {
        m_ini->show();
        m_main->hide();
        platform::insistOnMapping(m_ini.get());
    } else {
        m_ini->hide();
        m_main->show();
        platform::insistOnMapping(m_main.get());
    }
}

void Program::showMainWindow() {
    MainWindowState &s = m_main->state;
    m_ini->hide();
    m_main->setWidthTwips(numberOr0(s.lblResize));
    m_main->SetAlwaysOnTopMode(numberOr0(s.lblCheckTop) == 1);
    m_main->show();
}

void Program::collapseMainWindow() {
    // Closed, not handed back: the main window's lblCheckTop keeps the
    // always-on-top state, and the start-up window takes it over below.
    for (Side side : {Side::About, Side::Config, Side::Help, Side::List, Side::Save})
        discardSideWindow(side);
    MainWindowState &s = m_main->state;
    s.lblResize = formatNumber(float(m_main->widthTwips()));
    m_main->hide();
    m_ini->SetAlwaysOnTopMode(numberOr0(s.lblCheckTop) == 1);
    m_ini->show();
}

void Program::removeTrayIcon() {
    if (m_tray)
        m_tray->remove();
}

QString Program::lastTextLine() const {
    return reopenLastText ? m_main->state.lblSave : QStringLiteral("*");
}

QString Program::currentPositionsLine() const {
    const QPoint ini = m_ini->positionTwips();
    const QRect main = m_main->geometryTwips();
    return QStringList{formatNumber(float(ini.x())), formatNumber(float(ini.y())),
                       formatNumber(float(main.x())), formatNumber(float(main.y()))}
        .join(u'|');
}

void Program::closeProgram() {
    // A second request on the way out (a quick second click) finds it done.
    if (m_closing)
        return;
    m_closing = true;
    discardSideWindow(Side::About);
    discardSideWindow(Side::Config);
    discardSideWindow(Side::Help);
    m_ini->hide();
    discardSideWindow(Side::List);
    discardSideWindow(Side::Save);
    m_main->hide();
    removeTrayIcon();
    // The two windows themselves go with the program object once the event
    // loop has returned: the click that got us here is still being delivered
    // to the main window. Nothing can veto an exit, unlike a quit request.
    QCoreApplication::exit(0);
}
