#include "windows/FormIni.h"

#include "core/twips.h"
#include "platform/windowsystem.h"
#include "widgets/PictureButton.h"
#include "widgets/pictures.h"

#include <QCloseEvent>
#include <QPainter>

namespace windows {

using core::TwipsPerPixel;

FormIni::FormIni() : QWidget(nullptr, platform::windowFlags()) {
    setObjectName(QStringLiteral("FormIni"));
    setWindowTitle(QStringLiteral("Corvale Scrivulets"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(56, 56);
    m_expandButton = new widgets::PictureButton(QStringLiteral(":/icons/expand.svg"),
                                                QStringLiteral(" Expandir "), this);
    m_expandButton->setObjectName(QStringLiteral("btnShow"));
    m_expandButton->setGeometry(1, 26, 54, 24);
    connect(m_expandButton, &QAbstractButton::clicked, this, &FormIni::showMainRequested);
    // Any button drags the window by its background, as a caption would.
    m_drag.dragBy(Qt::AllButtons);
}

QPointF FormIni::placeTwips() const {
    const QPoint at = isVisible() ? platform::windowPosition(this) : m_lastShownPx.value_or(pos());
    if (at == m_placedPx)
        return m_placedTwips;
    return QPointF(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
}

void FormIni::moveTwips(std::optional<double> left, std::optional<double> top) {
    const QPointF here = placeTwips();
    const QPointF to(left.value_or(here.x()), top.value_or(here.y()));
    move(core::px(to.x()), core::px(to.y()));
    m_placedTwips = to;
    m_placedPx = pos();
    m_lastShownPx.reset();
}

void FormIni::setVisible(bool visible) {
    // Under a reparenting window manager Qt's idea of the place can be left
    // at (0, 0): the manager's first ConfigureNotify can come while it is
    // still placing its frame there, and the frame's later move does not
    // reach Qt. The window system knows while the window is shown; once
    // hidden, nobody does, so the place is taken as it goes.
    if (!visible && isVisible())
        m_lastShownPx = platform::windowPosition(this);
    QWidget::setVisible(visible);
}

void FormIni::setTopmost(bool on) {
    m_topmost = on;
    platform::setTopmost(this, on);
}

void FormIni::takeFocus() {
    raise();
    activateWindow();
    m_expandButton->setFocus(Qt::ActiveWindowFocusReason);
}

void FormIni::paintEvent(QPaintEvent *) {
    QPainter p(this);
    static const QPixmap logo = widgets::renderPicture(QStringLiteral(":/icons/logo.svg"),
                                                       QSize(56, 56), devicePixelRatioF());
    p.drawPixmap(0, 0, logo);
}

void FormIni::showEvent(QShowEvent *event) {
    platform::applyWindowStates(this, m_topmost);
    QWidget::showEvent(event);
}

void FormIni::closeEvent(QCloseEvent *event) {
    // Closed alone, it would leave a program with no window and a hidden
    // strip that nothing brings back.
    event->ignore();
    emit closeRequested();
}

} // namespace windows
