#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

namespace widgets {

// A picture that acts as a button: a real button to the keyboard and to
// screen readers (its tooltip is its name), drawn as its picture alone at
// rest, with a light shade under the pointer and a deeper one while pressed.
// A click does not take the focus, so the text box keeps its caret; the
// keyboard reaches it only on purpose.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(const QString &picture, const QString &toolTip, QWidget *parent);
    void setPicture(const QString &picture);
    QString picture() const { return m_picture; }
    // The tooltip and the name screen readers give the button.
    void setToolTipAndName(const QString &toolTip);

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QString m_picture;
    QPixmap m_cache;
    bool m_hovered = false;
    // The focus is drawn only when the keyboard brought it: a window that
    // opens keeps its look at rest.
    bool m_keyboardFocus = false;
};

} // namespace widgets
