#pragma once

class QAbstractButton;
class QFocusEvent;
class QKeyEvent;

// How the program's buttons and links meet the keyboard.
namespace widgets {

// Whether the focus came by Tab or a shortcut: the focus is drawn only then,
// so that a window that opens keeps its look at rest.
bool byKeyboard(const QFocusEvent *event);

// Enter and Return press a focused button. Held down, the key presses it
// once, as the space bar does: a held key must not delete text after text.
bool pressedByEnter(QAbstractButton *button, QKeyEvent *event);

} // namespace widgets
