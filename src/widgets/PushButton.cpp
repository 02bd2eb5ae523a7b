#include "widgets/PushButton.h"

#include "widgets/keyboard.h"

#include <QKeyEvent>

namespace widgets {

PushButton::PushButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

void PushButton::keyPressEvent(QKeyEvent *event) {
    if (!pressedByEnter(this, event))
        QPushButton::keyPressEvent(event);
}

} // namespace widgets
