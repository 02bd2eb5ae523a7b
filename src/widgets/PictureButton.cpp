#include "widgets/PictureButton.h"

#include "widgets/keyboard.h"
#include "widgets/pictures.h"

#include <QKeyEvent>
#include <QPainter>

namespace widgets {

namespace {

// The shades of a picture button under the pointer and pressed, over the
// strip's light grey.
const QColor HoverShade(0, 0, 0, 28);
const QColor PressedShade(0, 0, 0, 64);

} // namespace

PictureButton::PictureButton(const QString &picture, const QString &toolTip, QWidget *parent)
    : QAbstractButton(parent), m_picture(picture) {
    setToolTipAndName(toolTip);
    // Clicks leave the focus where it is (the caret stays in the text box);
    // Tab and the owner's own keys bring it here.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setToolTipAndName(const QString &toolTip) {
    setToolTip(toolTip);
    setAccessibleName(toolTip.trimmed());
}

void PictureButton::setPicture(const QString &picture) {
    m_picture = picture;
    m_cache = QPixmap();
    update();
}

void PictureButton::keyPressEvent(QKeyEvent *event) {
    if (!pressedByEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

void PictureButton::enterEvent(QEnterEvent *event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus = byKeyboard(event);
    QAbstractButton::focusInEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.deviceIndependentSize() != QSizeF(size()) ||
        m_cache.devicePixelRatio() != dpr)
        m_cache = renderPicture(m_picture, size(), dpr);
    p.drawPixmap(0, 0, m_cache);
    if (isDown() || (m_hovered && isEnabled())) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(isDown() ? PressedShade : HoverShade);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
    if (hasFocus() && m_keyboardFocus) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace widgets
