#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <functional>
#include <limits>

namespace platform {

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

// A push button that Enter and Return press too, as on every desktop: Qt
// leaves those keys to a dialog's default button.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    PushButton(const QString &text, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

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

// A one-line box whose pasted or dropped text goes through a filter; typed
// keys are the owner's business (an event filter sees them first).
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using Filter = std::function<QString(const QString &inserted)>;
    FilteredLineEdit(Filter filter, QWidget *parent);

private:
    void onEdited(const QString &text);

    Filter m_filter;
    QString m_before;
    bool m_filtering = false;
    bool m_afterEdit = false;
};

// The places were drawn for a narrower font than most systems have: a label
// whose text does not fit grows rather than cut its text: to the right when
// it is one line, downward when it wraps, but no lower than maxHeight (the
// next row and a gap); what does not fit then takes a slightly smaller font.
void fitLabel(QLabel *label, int maxHeight);

// Makes the widget's font smaller, a quarter point at a time down to 6
// points, until its one-line caption fits its width.
void shrinkToFit(QWidget *widget, const QString &caption);

// A path in a label of the given width and lines: the file name whole, the
// middle of the folders left out ("…") when the whole does not fit.
QString fitPath(const QFont &font, const QString &before, const QString &path, const QString &after,
                int width, int lines);

// A picture that is only a picture (with a tooltip, if any), drawn at the
// size given in pixels.
QLabel *pictureLabel(const QString &picture, const QString &toolTip, QRect place, QWidget *parent);

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

    // Replaces the selection with text, as typing does: one step of the undo
    // history, the rest of the history kept.
    void insertAtCaret(const QString &crlfText);

    // Lays the text out for a box of that width now, shown or not, so that
    // wrapped lines count before the box first appears.
    void layOutForWidth(int width);

    // Lines as displayed, wrapped lines counted; an empty box is one line.
    // Counting stops at atMost.
    int displayedLineCount(int atMost = std::numeric_limits<int>::max()) const;
    // The height of a displayed line and what the box adds around its lines.
    qreal lineHeight() const;
    qreal verticalMargins() const;
    void setVerticalScrollBarShown(bool shown);

private:
    int crlfPosition(int qtPosition) const;
    int qtPosition(int crlfPosition) const;
    QString toBox(const QString &crlfText) const;

    // QTextDocument breaks a paragraph at U+2029, U+FDD0 and U+FDD1 wherever
    // they stand, so a text holding them gets unused characters in their
    // place while it is in the box, and has them back when it is read.
    static constexpr char16_t Breakers[3] = {0x2029, 0xFDD0, 0xFDD1};
    char16_t m_standIns[3] = {};
};

} // namespace platform
