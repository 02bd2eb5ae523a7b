#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <limits>

namespace widgets {

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
    // The height of a displayed line.
    qreal lineHeight() const;
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

} // namespace widgets
