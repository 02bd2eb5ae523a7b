#pragma once

#include <QPushButton>

namespace widgets {

// A push button that Enter and Return press too, as on every desktop: Qt
// leaves those keys to a dialog's default button.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    PushButton(const QString &text, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace widgets
