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
    return pos() * TwipsPerPixel;
}

void FormIni::moveTwips(std::optional<double> left, std::optional<double> top) {
    const auto toPx = [](double t) { return int(platform::roundHalfEven(t / TwipsPerPixel)); };
    move(left ? toPx(*left) : x(), top ? toPx(*top) : y());
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
    // Any button drags the window, as a caption would.
    if (QWindow *w = windowHandle())
        w->startSystemMove();
    event->accept();
}

void FormIni::showEvent(QShowEvent *event) {
    platform::keepOffTaskbar(this);
    QWidget::showEvent(event);
}
