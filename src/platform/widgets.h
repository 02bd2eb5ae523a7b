#pragma once

#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>
#include <limits>

namespace platform {

// A click as the program counts one: the left button pressed and released
// over the same control.
class ClickTracker {
public:
    void press(QMouseEvent *event);
    // True when this release completes a click on a control of that size.
    bool release(QMouseEvent *event, const QRect &rect);

private:
    bool m_pressed = false;
};

// A picture that acts as a button: no focus (the text box keeps it), a click
// is a press and release of the left button on it.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const QString &picture, const QString &toolTip, QWidget *parent);
    void setPicture(const QString &picture);
    QString picture() const { return m_picture; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_picture;
    QPixmap m_cache;
    ClickTracker m_click;
};

// Makes the widget's font smaller, a quarter point at a time down to 6
// points, until its one-line caption fits its width.
void shrinkToFit(QWidget *widget, const QString &caption);

// A picture drawn at the size of its rectangle, rendered once per size.
QPixmap renderPicture(const QString &picture, QSize size, qreal devicePixelRatio);

// A mouse cursor from one of the program's pictures.
QCursor pictureCursor(const QString &picture, QPoint hotSpot);

// The text box as the rest of the program sees it: lines end with CR LF and
// caret positions are counted in that text, as in the saved files. Qt keeps
// "\n"; this is the one place that converts.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent);

    QString text() const;
    void setText(const QString &crlfText);

    // Selection start and length, counted in the CR LF text.
    int selStart() const;
    int selLength() const;
    void setSelection(int start, int length);

    // Lines as displayed, wrapped lines counted; an empty box is one line.
    // Counting stops at atMost.
    int displayedLineCount(int atMost = std::numeric_limits<int>::max()) const;
    void setVerticalScrollBarShown(bool shown);

private:
    int crlfPosition(int qtPosition) const;
    int qtPosition(int crlfPosition) const;

    // QTextDocument breaks a paragraph at U+2029, U+FDD0 and U+FDD1 wherever
    // they stand, so a text holding them gets unused characters in their
    // place while it is in the box, and has them back when it is read.
    static constexpr char16_t Breakers[3] = {0x2029, 0xFDD0, 0xFDD1};
    char16_t m_standIns[3] = {};
};

} // namespace platform
