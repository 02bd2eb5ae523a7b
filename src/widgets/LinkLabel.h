#pragma once

#include <QLabel>

namespace widgets {

// A label that is a link: it takes the keyboard focus by Tab, and a click,
// Enter or the space bar opens it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    bool m_pressed = false;
    bool m_keyboardFocus = false;
};

} // namespace widgets
