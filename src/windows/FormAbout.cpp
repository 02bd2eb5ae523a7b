#include "windows/FormAbout.h"

#include "core/twips.h"
#include "widgets/LinkLabel.h"
#include "widgets/fitting.h"
#include "widgets/pictures.h"

#include <QMessageBox>

namespace windows {

const QString FormAbout::HomePageUrl = QStringLiteral("https://scrivulets.example/");

QString FormAbout::donationsPageUrl() {
    return HomePageUrl + QStringLiteral("doacoes/");
}

namespace {

const QColor PayPalBackground(255, 255, 128);

// An address as people write it: without "https://".
QString withoutScheme(const QString &address) {
    return address.mid(address.indexOf(QStringLiteral("://")) + 3);
}

void setBackground(QWidget *label, const QColor &colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colour);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

} // namespace

FormAbout::FormAbout(core::AppCore &core, AddressOpener openAddress)
    : SideWindow(core, core::Side::About, QStringLiteral("Sobre o programa"),
                 LoadStep::ClearTopmost),
      m_openAddress(std::move(openAddress)) {
    setObjectName(QStringLiteral("FormAbout"));
    titleLabel()->setObjectName(QStringLiteral("Label3"));
    QFont bold = font();
    bold.setBold(true);

    widgets::pictureLabel(QStringLiteral(":/icons/about_logo.svg"), QString(),
                          core::pxRect(QRect(130, 855, 720, 720)), this);

    // Each text with the top of the next row below it, which it must not reach.
    struct Text {
        QLabel *label;
        const char *name;
        QRect place;
        int nextTop;
    };
    const auto label = [this](const QString &text) { return new QLabel(text, this); };
    auto *version = label(QStringLiteral("Corvale Scrivulets v " SCRIVULETS_SHORT_VERSION));
    version->setFont(bold);
    auto *sobre = label(QStringLiteral("Corvale Scrivulets é um simples programa para arquivo de "
                                       "textos pequenos como dicas, lembretes, recados, etc."));
    sobre->setWordWrap(true);
    auto *free = label(QStringLiteral("Corvale Scrivulets é totalmente FREE! "));
    free->setFont(bold);
    free->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackground(free, Qt::white);

    auto *homeLink = new widgets::LinkLabel(QUrl(HomePageUrl).host(), this);
    homeLink->setToolTip(u' ' + HomePageUrl + u' ');
    auto *helpLink =
        new widgets::LinkLabel(QStringLiteral("Abrir janela de AJUDA do programa"), this);
    helpLink->setToolTip(QStringLiteral(" Abrir janela de AJUDA do programa "));
    QPalette highlight = helpLink->palette();
    highlight.setColor(QPalette::WindowText, highlight.color(QPalette::Highlight));
    helpLink->setPalette(highlight);
    auto *donationLink = new widgets::LinkLabel(
        QStringLiteral("Obs.: se considera este programa realmente útil a você, considere então a "
                       "possibilidade de fazer uma doação de qualquer valor para minha conta do "
                       "PayPal. Isso me incentivará na criação de novos softwares freeware e na "
                       "melhoria dos já existentes. É fácil, rápido e seguro."),
        this);
    donationLink->setWordWrap(true);
    setBackground(donationLink, PayPalBackground);
    donationLink->setToolTip(QStringLiteral(" Clique aqui para fazer uma doação em ") +
                             withoutScheme(donationsPageUrl()) + u' ');

    const Text texts[] = {
        {version, "lblVersao", {1200, 810, 3000, 255}, 1015},
        {label(QStringLiteral("Autor:")), "lblAutorTitulo", {1200, 1015, 480, 210}, 1230},
        {label(QStringLiteral("Equipe Corvale")), "lblAutor", {1680, 1015, 2520, 210}, 1230},
        {label(QStringLiteral("Arte: Equipe Corvale. Feito com Qt.")),
         "lblCreditos",
         {1200, 1230, 3015, 195},
         1420},
        {homeLink, "lblBrenvaldo", {1200, 1420, 1455, 210}, 1800},
        {sobre, "lblSobre", {120, 1800, 4125, 495}, 2340},
        {helpLink, "lblAjuda", {1040, 2400, 3165, 255}, 2860},
        {donationLink, "lblPayPal", {120, 2860, 4095, 1035}, 4080},
        {free, "lblFree", {120, 4080, 4170, 195}, 4470},
    };
    // A gap of two pixels keeps a grown text off the row below.
    constexpr int GapTwips = 30;
    for (const Text &t : texts) {
        t.label->setObjectName(QLatin1String(t.name));
        placeTwips(t.label, t.place.x(), t.place.y(), t.place.width(), t.place.height());
        widgets::fitLabel(t.label, core::px(t.nextTop - GapTwips - t.place.y()));
    }

    widgets::pictureLabel(QStringLiteral(":/icons/about_help.svg"), QString(),
                          core::pxRect(QRect(135, 2340, 720, 345)), this);

    const QCursor linkCursor =
        widgets::pictureCursor(QStringLiteral(":/icons/cursor_link.svg"), QPoint(8, 1));
    for (QLabel *link : {static_cast<QLabel *>(homeLink), static_cast<QLabel *>(helpLink),
                         static_cast<QLabel *>(donationLink)})
        link->setCursor(linkCursor);
    connect(helpLink, &widgets::LinkLabel::activated, this, &FormAbout::helpRequested);
    connect(homeLink, &widgets::LinkLabel::activated, this, [this] { openLink(HomePageUrl); });
    connect(donationLink, &widgets::LinkLabel::activated, this,
            [this] { openLink(donationsPageUrl()); });
}

void FormAbout::openLink(const QString &address) {
    if (m_openAddress(QUrl(address)))
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale Scrivulets"),
                    QStringLiteral("Não foi possível abrir o navegador. O endereço é:\n") + address,
                    QMessageBox::Ok, this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace windows
