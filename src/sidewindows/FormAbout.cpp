#include "sidewindows/FormAbout.h"

#include "sidewindows/FormHelp.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <algorithm>

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    // The captions are the program's own words, never markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ClickLabel::growToText() {
    if (wordWrap())
        resize(width(), std::max(height(), heightForWidth(width())));
    else
        resize(std::max(width(), sizeHint().width()), height());
}

void ClickLabel::mousePressEvent(QMouseEvent *event) {
    m_click.press(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (m_click.release(event, rect()))
        emit clicked();
}

const QString FormAbout::HomePageUrl = QStringLiteral("https://scrivulets.example/");

QString FormAbout::donationsPageUrl() {
    return HomePageUrl + QStringLiteral("doacoes/");
}

std::function<void(const QUrl &)> FormAbout::openAddress = [](const QUrl &address) {
    QDesktopServices::openUrl(address);
};

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

FormAbout::FormAbout(FormMain &main, HelpWindowSource helpWindow)
    : SideWindow(main, QStringLiteral("Sobre o programa"), LoadStep::ClearTopmost),
      m_helpWindow(std::move(helpWindow)) {
    Label3 = titleLabel;
    QFont bold = font();
    bold.setBold(true);

    Image1 = new platform::PictureButton(QStringLiteral(":/icons/about_logo.svg"), QString(), this);
    placeTwips(Image1, 130, 855, 720, 720);

    Label1 = new ClickLabel(QStringLiteral("Corvale Scrivulets v 1.0"), this);
    Label1->setFont(bold);
    placeTwips(Label1, 1200, 810, 3000, 255);

    Label2 = new ClickLabel(QStringLiteral("Autor:"), this);
    placeTwips(Label2, 1200, 1015, 480, 210);
    lblAutor = new ClickLabel(QStringLiteral("Equipe Corvale"), this);
    placeTwips(lblAutor, 1680, 1015, 2520, 210);

    Label6 = new ClickLabel(QStringLiteral("Arte: Equipe Corvale. Feito com Qt."), this);
    placeTwips(Label6, 1200, 1230, 3015, 195);

    lblBrenvaldo = new ClickLabel(QUrl(HomePageUrl).host(), this);
    lblBrenvaldo->setToolTip(u' ' + HomePageUrl + u' ');
    placeTwips(lblBrenvaldo, 1200, 1420, 1455, 210);

    lblSobre = new ClickLabel(
        QStringLiteral("Corvale Scrivulets é um simples programa para arquivo de textos pequenos "
                       "como dicas, lembretes, recados, etc."),
        this);
    lblSobre->setWordWrap(true);
    placeTwips(lblSobre, 120, 1800, 4125, 495);

    Image2 = new platform::PictureButton(QStringLiteral(":/icons/about_help.svg"), QString(), this);
    placeTwips(Image2, 135, 2340, 720, 345);

    lblAjuda = new ClickLabel(QStringLiteral("Abrir janela de AJUDA do programa"), this);
    lblAjuda->setToolTip(QStringLiteral(" Abrir janela de AJUDA do programa "));
    QPalette highlight = lblAjuda->palette();
    highlight.setColor(QPalette::WindowText, highlight.color(QPalette::Highlight));
    lblAjuda->setPalette(highlight);
    placeTwips(lblAjuda, 1040, 2400, 3165, 255);

    lblPayPal = new ClickLabel(
        QStringLiteral("Obs.: se considera este programa realmente útil a você, considere então a "
                       "possibilidade de fazer uma doação de qualquer valor para minha conta do "
                       "PayPal. Isso me incentivará na criação de novos softwares freeware e na "
                       "melhoria dos já existentes. É fácil, rápido e seguro."),
        this);
    lblPayPal->setWordWrap(true);
    setBackground(lblPayPal, PayPalBackground);
    lblPayPal->setToolTip(QStringLiteral(" Clique aqui para fazer uma doação em ") +
                          withoutScheme(donationsPageUrl()) + u' ');
    placeTwips(lblPayPal, 120, 2860, 4095, 1035);

    Label4 = new ClickLabel(QStringLiteral("Corvale Scrivulets é totalmente FREE! "), this);
    Label4->setFont(bold);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackground(Label4, Qt::white);
    placeTwips(Label4, 120, 4080, 4170, 195);

    for (ClickLabel *label :
         {Label1, Label2, lblAutor, Label6, lblBrenvaldo, lblSobre, lblAjuda, lblPayPal, Label4})
        label->growToText();

    const QCursor linkCursor =
        platform::pictureCursor(QStringLiteral(":/icons/cursor_link.svg"), QPoint(8, 1));
    for (ClickLabel *link : {lblBrenvaldo, lblAjuda, lblPayPal})
        link->setCursor(linkCursor);
    connect(lblAjuda, &ClickLabel::clicked, this, &FormAbout::lblAjuda_Click);
    connect(lblBrenvaldo, &ClickLabel::clicked, this, &FormAbout::lblBrenvaldo_Click);
    connect(lblPayPal, &ClickLabel::clicked, this, &FormAbout::lblPayPal_Click);
}

void FormAbout::lblBrenvaldo_Click() {
    openAddress(QUrl(HomePageUrl));
}

void FormAbout::lblPayPal_Click() {
    openAddress(QUrl(donationsPageUrl()));
}

// The help window takes this window's place exactly, dragged or not, and this
// window goes. It also takes over the main window's always-on-top state if
// this window holds it, so that closing the help window gives it back.
void FormAbout::lblAjuda_Click() {
    FormHelp *help = m_helpWindow ? m_helpWindow() : nullptr;
    if (!help)
        return;
    help->moveTwips(positionTwips());
    if (lblCheckTop->text() == u"1")
        help->lblCheckTop->setText(QStringLiteral("1"));
    help->show();
    help->raise();
    help->activateWindow();
    discard();
}
