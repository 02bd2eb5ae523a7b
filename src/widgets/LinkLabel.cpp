#include "widgets/LinkLabel.h"

#include "widgets/keyboard.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace widgets {

namespace {

bool isActivationKey(const QKeyEvent *event) {
    const int key = event->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    // The captions are the program's own words, never markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(text);
}

void LinkLabel::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent *event) {
    if (!isActivationKey(event))
        return QLabel::keyPressEvent(event);
    event->accept();
    emit activated();
}

void LinkLabel::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus = byKeyboard(event);
    QLabel::focusInEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    if (hasFocus() && m_keyboardFocus) {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace widgets
