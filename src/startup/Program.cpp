#include "startup/Program.h"

#include "mainwindow/FormMain.h"
#include "mainwindow/mainrules.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "startup/FormIni.h"
#include "store/textfolder.h"

#include <QFileInfo>

using platform::formatNumber;
using platform::numberOr0;
using platform::parseNumber;

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

    connect(m_ini.get(), &FormIni::showMainRequested, this, &Program::showMainWindow);
    connect(m_main.get(), &FormMain::saveRequested, this, &Program::openSaveWindow);
    connect(m_main.get(), &FormMain::listRequested, this, &Program::openListWindow);
    connect(m_main.get(), &FormMain::configRequested, this, &Program::openConfigWindow);
    connect(m_main.get(), &FormMain::aboutRequested, this, &Program::openAboutWindow);
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
    } else {
        m_ini->hide();
        m_main->show();
    }
}

void Program::showMainWindow() {
    MainWindowState &s = m_main->state;
    m_ini->hide();
    m_main->setWidthTwips(numberOr0(s.lblResize));
    m_main->SetAlwaysOnTopMode(numberOr0(s.lblCheckTop) == 1);
    m_main->show();
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
