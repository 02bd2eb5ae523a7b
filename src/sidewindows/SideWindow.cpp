#include "sidewindows/SideWindow.h"

#include "mainwindow/FormMain.h"
#include "mainwindow/mainrules.h"
#include "platform/numbers.h"
#include "platform/windowsystem.h"
#include "sidewindows/siderules.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

using platform::numberOr0;
using platform::roundHalfEven;

namespace {

const QColor Background(248, 248, 248);
const QColor LabelColour(64, 64, 64);
const QColor RuleColour(128, 128, 128);
const QColor OutlineColour(109, 109, 109);
const QColor NoticeColour(192, 0, 0);

} // namespace

QRect SideWindow::pxRect(int left, int top, int width, int height) {
    return ::pxRect(QRect(left, top, width, height));
}

void SideWindow::placeTwips(QWidget *control, int left, int top, int width, int height) {
    control->setGeometry(pxRect(left, top, width, height));
}

SideWindow::SideWindow(FormMain &main, const QString &title, LoadStep loadStep)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool), m_main(main) {
    setWindowTitle(QStringLiteral("Corvale Scrivulets"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon.svg")));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(px(SideWindowWidthTwips), px(SideWindowHeightTwips));

    // The classic dialog font for every control; labels in dark grey. Where
    // it is missing, a face of Arial's widths keeps the captions inside
    // controls sized for it (the default sans is wider and clips them).
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Background);
    pal.setColor(QPalette::WindowText, LabelColour);
    pal.setColor(QPalette::Button, Background);
    setPalette(pal);
    setAutoFillBackground(true);

    titleLabel = new QLabel(title, this);
    QFont bold = font;
    bold.setBold(true);
    titleLabel->setFont(bold);
    placeTwips(titleLabel, 120, 260, 1695, 255);

    btnClose = new platform::PictureButton(QStringLiteral(":/icons/side_close.svg"),
                                           QStringLiteral(" Fechar janela "), this);
    placeTwips(btnClose, 3855, 120, 390, 375);
    btnClose->setCursor(
        platform::pictureCursor(QStringLiteral(":/icons/cursor_close.svg"), QPoint(1, 1)));
    btnEsq = new platform::PictureButton(QStringLiteral(":/icons/arrow_left.svg"),
                                         QStringLiteral(" Alinhar à esquerda "), this);
    placeTwips(btnEsq, 120, 480, 225, 225);
    btnDir = new platform::PictureButton(QStringLiteral(":/icons/arrow_right.svg"),
                                         QStringLiteral(" Alinhar à direita "), this);
    placeTwips(btnDir, 4040, 480, 225, 225);
    connect(btnClose, &platform::PictureButton::clicked, this, &SideWindow::btnClose_Click);
    connect(btnEsq, &platform::PictureButton::clicked, this, &SideWindow::btnEsq_Click);
    connect(btnDir, &platform::PictureButton::clicked, this, &SideWindow::btnDir_Click);

    lblCheckTop = new QLabel(QStringLiteral("0"), this);
    lblCheckTop->hide();

    // Every side window but the save window gives up the main window's
    // topmost place as soon as it exists; for the help window, opened from
    // the About window and not through ShowSideWindow, this is the only place.
    if (loadStep == LoadStep::ClearTopmost && numberOr0(m_main.state.lblCheckTop) == 1)
        m_main.SetAlwaysOnTopMode(false);
}

void SideWindow::createNotice(QRect twips, NoticeTimer timer) {
    lblAviso = new QLabel(this);
    placeTwips(lblAviso, twips.x(), twips.y(), twips.width(), twips.height());
    QFont bold = font();
    bold.setBold(true);
    lblAviso->setFont(bold);
    QPalette pal = lblAviso->palette();
    pal.setColor(QPalette::WindowText, NoticeColour);
    lblAviso->setPalette(pal);
    lblAviso->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblAviso->setWordWrap(true);
    if (timer == NoticeTimer::Timer1) {
        // No interval and not running until the first notice.
        Timer1 = new QTimer(this);
        connect(Timer1, &QTimer::timeout, this, &SideWindow::Timer1_Timer);
        lblAviso->hide();
    }
}

void SideWindow::showNotice(const QString &message, int intervalMs) {
    if (!lblAviso)
        return;
    if (Timer1)
        Timer1->start(intervalMs);
    platform::beep();
    lblAviso->setVisible(true);
    lblAviso->setText(message);
}

void SideWindow::Timer1_Timer() {
    lblAviso->setText(QString());
    lblAviso->hide();
}

QPointF SideWindow::positionTwips() const {
    const QPoint at = platform::windowPosition(this);
    return QPointF(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
}

void SideWindow::moveTwips(QPointF topLeft) {
    move(px(topLeft.x()), px(topLeft.y()));
}

void SideWindow::moveBeside(double align) {
    moveTwips(placeSideWindow(align, QRectF(m_main.geometryTwips()),
                              QSizeF(SideWindowWidthTwips, SideWindowHeightTwips)));
}

void SideWindow::PlaceSideWindow() {
    moveBeside(numberOr0(m_main.state.lblAlignValue));
}

void SideWindow::ShowSideWindow() {
    if (numberOr0(m_main.state.lblCheckTop) == 1) {
        m_main.SetAlwaysOnTopMode(false);
        lblCheckTop->setText(QStringLiteral("1"));
    }
    PlaceSideWindow();
    show();
    raise();
    activateWindow();
}

// The arrows follow the main window where it stands now and leave the
// alignment setting alone.
void SideWindow::btnDir_Click() {
    moveBeside(3);
}
void SideWindow::btnEsq_Click() {
    moveBeside(1);
}

void SideWindow::CloseSideWindow() {
    if (numberOr0(lblCheckTop->text()) == 1) {
        m_main.state.lblCheckTop = QStringLiteral("1");
        lblCheckTop->setText(QStringLiteral("0"));
        m_main.SetAlwaysOnTopMode(true);
    }
    discard();
}

void SideWindow::discard() {
    if (m_discarded)
        return;
    m_discarded = true;
    hide();
    // Closing runs from inside a handler of one of the window's own controls,
    // which must not be deleted under its own feet.
    deleteLater();
}

void SideWindow::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(pxRect(120, 480, 4140, 30), RuleColour);
    // The outline follows the window's size.
    p.setPen(OutlineColour);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool SideWindow::isBackgroundAt(QPoint pos) const {
    // Qt hands a press that a label or a frame ignores on to the window; those
    // are controls, not background. The plain bands (the white band under the
    // title box, separator lines) are drawn on the background and drag with it.
    const QWidget *child = childAt(pos);
    return !child || child->metaObject() == &QWidget::staticMetaObject;
}

void SideWindow::mousePressEvent(QMouseEvent *event) {
    // The background acts as a caption: any button drags the window.
    if (isBackgroundAt(event->position().toPoint()))
        if (QWindow *w = windowHandle())
            w->startSystemMove();
    event->accept();
}

void SideWindow::showEvent(QShowEvent *event) {
    if (!m_captionsFitted) {
        // The places were drawn for a narrow system font; where the font at
        // hand is wider, a one-line caption shrinks a little rather than lose
        // its end.
        for (QLabel *label : findChildren<QLabel *>())
            if (!label->wordWrap() && label->isVisibleTo(this))
                platform::shrinkToFit(label, label->text());
        for (QAbstractButton *button : findChildren<QAbstractButton *>())
            platform::shrinkToFit(button, button->text());
        m_captionsFitted = true;
    }
    platform::keepOffTaskbar(this);
    QWidget::showEvent(event);
}

void SideWindow::closeEvent(QCloseEvent *event) {
    // A window manager's close command closes the window as its close button does.
    if (!m_discarded)
        CloseSideWindow();
    event->accept();
}

int SideWindow::keyPressCode(const QKeyEvent &event) {
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return 8;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    // These move the caret or the focus and type nothing, though X11 gives
    // Delete and Tab a character.
    if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return -1;
    if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}
