#include "startup/FormIni.h"

#include "mainwindow/mainrules.h"
#include "platform/numbers.h"
#include "platform/windowsystem.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

FormIni::FormIni() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
    setWindowTitle(QStringLiteral("Corvale Scrivulets"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon.svg")));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(56, 56);
    btnShow = new platform::PictureButton(QStringLiteral(":/icons/expand.svg"),
                                          QStringLiteral(" Expandir "), this);
    btnShow->setGeometry(1, 26, 54, 24);
    connect(btnShow, &platform::PictureButton::clicked, this, &FormIni::showMainRequested);
}

QPoint FormIni::positionTwips() const {
    return platform::windowPosition(this) * TwipsPerPixel;
}

void FormIni::moveTwips(std::optional<double> left, std::optional<double> top) {
    move(left ? px(*left) : x(), top ? px(*top) : y());
}

void FormIni::SetAlwaysOnTopMode(bool on) {
    platform::setTopmost(this, on);
}

void FormIni::paintEvent(QPaintEvent *) {
    QPainter p(this);
    static const QPixmap logo = platform::renderPicture(QStringLiteral(":/icons/logo.svg"),
                                                        QSize(56, 56), devicePixelRatioF());
    p.drawPixmap(0, 0, logo);
}

void FormIni::mousePressEvent(QMouseEvent *event) {
    // Any button drags the window, as a caption would. The window manager's
    // own move follows the left button only (Qt asks X11 window managers for
    // a move by button 1, and openbox then waits for that button's release),
    // so the other buttons move the window here.
    event->accept();
    if (m_dragButton != Qt::NoButton)
        return;
    QWindow *w = windowHandle();
    if (event->button() == Qt::LeftButton && w && w->startSystemMove())
        return;
    m_dragButton = event->button();
    m_dragOffset = event->position();
}

void FormIni::mouseMoveEvent(QMouseEvent *event) {
    event->accept();
    if (m_dragButton == Qt::NoButton)
        return;
    if (!(event->buttons() & m_dragButton)) {
        m_dragButton = Qt::NoButton;
        return;
    }
    // From the press point, not from pos(): a reparenting window manager can
    // leave Qt with a stale idea of where the window stands.
    move((event->globalPosition() - m_dragOffset).toPoint());
}

void FormIni::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    if (event->button() == m_dragButton)
        m_dragButton = Qt::NoButton;
}

void FormIni::showEvent(QShowEvent *event) {
    platform::keepOffTaskbar(this);
    QWidget::showEvent(event);
}
