#include "widgets/keyboard.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>

namespace widgets {

bool byKeyboard(const QFocusEvent *event) {
    return event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
           event->reason() == Qt::ShortcutFocusReason;
}

bool pressedByEnter(QAbstractButton *button, QKeyEvent *event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    event->accept();
    if (!event->isAutoRepeat())
        button->click();
    return true;
}

} // namespace widgets
