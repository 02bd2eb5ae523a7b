#include "windows/SideWindow.h"

#include "core/siderules.h"
#include "core/twips.h"
#include "platform/windowsystem.h"
#include "widgets/PictureButton.h"
#include "widgets/fitting.h"
#include "widgets/pictures.h"
#include "windows/look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace windows {

using core::px;
using core::TwipsPerPixel;

void SideWindow::placeTwips(QWidget *control, int left, int top, int width, int height) {
    control->setGeometry(core::pxRect(QRect(left, top, width, height)));
}

SideWindow::SideWindow(core::AppCore &core, core::Side side, const QString &title,
                       LoadStep loadStep)
    : QWidget(nullptr, platform::windowFlags()), m_core(core), m_side(side), m_loadStep(loadStep) {
    setWindowTitle(QStringLiteral("Corvale Scrivulets"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(px(core::SideWindowWidthTwips), px(core::SideWindowHeightTwips));

    // The small dialog font the controls are sized for; labels in dark grey.
    // Where it is missing, a face of Arial's widths keeps the captions inside
    // their controls (the default sans is wider and clips them).
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::Background);
    pal.setColor(QPalette::WindowText, look::Label);
    pal.setColor(QPalette::Button, look::Background);
    setPalette(pal);
    setAutoFillBackground(true);

    m_title = new QLabel(title, this);
    QFont bold = font;
    bold.setBold(true);
    m_title->setFont(bold);
    placeTwips(m_title, 120, 260, 1695, 255);

    m_closeButton = new widgets::PictureButton(QStringLiteral(":/icons/side_close.svg"),
                                               QStringLiteral(" Fechar janela "), this);
    m_closeButton->setObjectName(QStringLiteral("btnClose"));
    placeTwips(m_closeButton, 3855, 120, 390, 375);
    m_closeButton->setCursor(
        widgets::pictureCursor(QStringLiteral(":/icons/cursor_close.svg"), QPoint(1, 1)));
    m_leftButton = new widgets::PictureButton(QStringLiteral(":/icons/arrow_left.svg"),
                                              QStringLiteral(" Alinhar à esquerda "), this);
    m_leftButton->setObjectName(QStringLiteral("btnEsq"));
    placeTwips(m_leftButton, 120, 480, 225, 225);
    m_rightButton = new widgets::PictureButton(QStringLiteral(":/icons/arrow_right.svg"),
                                               QStringLiteral(" Alinhar à direita "), this);
    m_rightButton->setObjectName(QStringLiteral("btnDir"));
    placeTwips(m_rightButton, 4040, 480, 225, 225);
    connect(m_closeButton, &QAbstractButton::clicked, this, &SideWindow::closeSideWindow);
    // The arrows follow the strip where it stands now, wherever it puts the
    // window, and leave the alignment setting alone.
    connect(m_leftButton, &QAbstractButton::clicked, this,
            [this] { placeBeside(core::Align::Left, false); });
    connect(m_rightButton, &QAbstractButton::clicked, this,
            [this] { placeBeside(core::Align::Right, false); });
    // The background acts as a caption: any button drags the window.
    m_drag.dragBy(Qt::AllButtons, [this](QPoint at) { return isBackgroundAt(at); });
}

void SideWindow::createNotice(QRect twips, NoticeTimer timer) {
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("lblAviso"));
    placeTwips(m_notice, twips.x(), twips.y(), twips.width(), twips.height());
    QFont bold = font();
    bold.setBold(true);
    m_notice->setFont(bold);
    QPalette pal = m_notice->palette();
    pal.setColor(QPalette::WindowText, look::Notice);
    m_notice->setPalette(pal);
    m_notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_notice->setWordWrap(true);
    if (timer == NoticeTimer::m_noticeTimer) {
        // No interval and not running until the first notice.
        m_noticeTimer = new QTimer(this);
        connect(m_noticeTimer, &QTimer::timeout, this, &SideWindow::noticeTick);
        m_notice->hide();
    }
}

void SideWindow::showNotice(const QString &message, int intervalMs) {
    if (!m_notice)
        return;
    if (m_noticeTimer)
        m_noticeTimer->start(intervalMs);
    platform::beep();
    m_notice->setVisible(true);
    m_notice->setText(message);
}

void SideWindow::showPathNotice(const QString &before, const QString &path, const QString &after,
                                int intervalMs) {
    if (!m_notice)
        return;
    const int lines = std::max(1, m_notice->height() / QFontMetrics(m_notice->font()).height());
    showNotice(widgets::fitPath(m_notice->font(), before, path, after, m_notice->width(), lines),
               intervalMs);
}

void SideWindow::clearNotice() {
    if (m_notice)
        m_notice->setText(QString());
}

// Each tick empties and hides the notice; the timer keeps running.
void SideWindow::noticeTick() {
    m_notice->setText(QString());
    m_notice->hide();
}

QPointF SideWindow::placeTwips() const {
    const QPoint at = platform::windowPosition(this);
    return QPointF(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
}

void SideWindow::moveTwips(QPointF topLeft) {
    move(px(topLeft.x()), px(topLeft.y()));
}

void SideWindow::placeBeside(core::Align align, bool onScreen) {
    const QRectF strip = stripPlaceTwips();
    const QSizeF size(core::SideWindowWidthTwips, core::SideWindowHeightTwips);
    if (!onScreen)
        return moveTwips(core::placeSideWindow(align, strip, size));
    // The screen the strip stands on, less its panels.
    const QPoint centre(px(strip.center().x()), px(strip.center().y()));
    const QScreen *screen = QGuiApplication::screenAt(centre);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRectF area = screen ? QRectF(core::twipsRect(screen->availableGeometry())) : QRectF();
    moveTwips(core::placeSideWindowOnScreen(align, strip, size, area));
}

void SideWindow::showSideWindow() {
    emit opening(m_side);
    placeBeside(m_core.settings().align, true);
    show();
    raise();
    activateWindow();
}

void SideWindow::closeSideWindow() {
    // The keyboard is this window's or its message box's, or no window of the
    // program has it for a moment because such a box has just gone: a side
    // window only closes at the user's hand on it.
    bool hadKeyboard = !QApplication::activeWindow();
    for (const QWidget *w = QApplication::activeWindow(); w && !hadKeyboard; w = w->parentWidget())
        hadKeyboard = w == this;
    emit closing(m_side);
    // Handed back while the window is still there: a window manager left to
    // find a new home for the keyboard of a window that goes may give it to
    // no window at all (openbox, icewm and fluxbox do).
    if (hadKeyboard)
        emit closedWithKeyboard();
    discard();
}

void SideWindow::discard() {
    if (m_discarded)
        return;
    m_discarded = true;
    emit discarding(m_side);
    hide();
    // Closing runs from inside a handler of one of the window's own controls,
    // which must not be deleted under its own feet.
    deleteLater();
}

void SideWindow::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(core::pxRect(QRect(120, 480, 4140, 30)), look::Rule);
    // The outline follows the window's size.
    p.setPen(look::GrayText);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool SideWindow::isBackgroundAt(QPoint pos) const {
    // Qt hands a press that a label or a frame ignores on to the window; those
    // are controls, not background. The plain bands (the white band under the
    // title box, separator lines) are drawn on the background and drag with it.
    const QWidget *child = childAt(pos);
    return !child || child->metaObject() == &QWidget::staticMetaObject;
}

void SideWindow::keyPressEvent(QKeyEvent *event) {
    // Escape closes the window as its close button does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        closeSideWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SideWindow::showEvent(QShowEvent *event) {
    if (!m_captionsFitted) {
        // The places are sized for a narrow font; where the font at
        // hand is wider, a one-line caption shrinks a little rather than lose
        // its end.
        for (QLabel *label : findChildren<QLabel *>())
            if (!label->wordWrap() && label->isVisibleTo(this))
                widgets::shrinkToFit(label, label->text());
        for (QAbstractButton *button : findChildren<QAbstractButton *>())
            widgets::shrinkToFit(button, button->text());
        m_captionsFitted = true;
    }
    platform::applyWindowStates(this, false);
    QWidget::showEvent(event);
}

void SideWindow::closeEvent(QCloseEvent *event) {
    // A window manager's close command closes the window as its close button does.
    if (!m_discarded)
        closeSideWindow();
    event->accept();
}

int SideWindow::keyPressCode(const QKeyEvent &event) {
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return 8;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    // These move the caret or the focus and type nothing, though X11 gives
    // Delete, Tab and Escape a character.
    // Escape closes the window, whichever box has the focus.
    if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
        key == Qt::Key_Escape)
        return -1;
    if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}

} // namespace windows
