#include "widgets/TextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace widgets {

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent) {
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(false);
}

// The text as it stands in the document, not toPlainText(), which turns a
// no-break space into a space and a line separator into a line break: a text
// opened and saved again must keep every character. The conversions copy
// once: QString::replace moves the tail of the text for every batch of
// matches, which is quadratic on a text of many lines.
QString TextBox::text() const {
    const QString raw = document()->toRawText();
    QString crlf(raw.size() + raw.count(QChar::ParagraphSeparator), Qt::Uninitialized);
    QChar *const first = crlf.data();
    QChar *out = first;
    const bool standIns = m_standIns[0] != 0;
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator) {
            *out++ = u'\r';
            *out++ = u'\n';
            continue;
        }
        QChar kept = c;
        if (standIns)
            for (int k = 0; k < 3; ++k)
                if (c.unicode() == m_standIns[k])
                    kept = QChar(Breakers[k]);
        *out++ = kept;
    }
    crlf.truncate(out - first);
    return crlf;
}

void TextBox::setText(const QString &crlfText) {
    std::fill(std::begin(m_standIns), std::end(m_standIns), char16_t(0));
    if (std::any_of(std::begin(Breakers), std::end(Breakers),
                    [&](char16_t b) { return crlfText.contains(QChar(b)); })) {
        // Noncharacters first, then the private use area: whatever the text
        // does not hold already.
        int k = 0;
        for (char16_t c = 0xFDD2; k < 3 && c != 0xF900; c = char16_t(c == 0xFDEF ? 0xE000 : c + 1))
            if (!crlfText.contains(QChar(c)))
                m_standIns[k++] = c;
    }
    setPlainText(toBox(crlfText));
}

QString TextBox::toBox(const QString &crlfText) const {
    // Line by line, each found by searching, which Qt does many characters
    // at a time: a character at a time was a tenth of opening a large text.
    QString plain;
    plain.reserve(crlfText.size());
    const QStringView text(crlfText);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype cr = text.indexOf(u'\r', start);
        if (cr < 0)
            cr = text.size();
        plain += text.mid(start, cr - start);
        if (cr == text.size())
            break;
        plain += u'\n';
        start = cr + (cr + 1 < text.size() && text[cr + 1] == u'\n' ? 2 : 1);
    }
    if (m_standIns[0] != 0)
        for (int k = 0; k < 3; ++k)
            plain.replace(QChar(Breakers[k]), QChar(m_standIns[k]));
    return plain;
}

void TextBox::insertAtCaret(const QString &crlfText) {
    textCursor().insertText(toBox(crlfText));
}

void TextBox::layOutForWidth(int width) {
    if (this->width() == width && !testAttribute(Qt::WA_PendingResizeEvent))
        return;
    const QSize old = size();
    const QSize oldViewport = viewport()->size();
    resize(width, height());
    // A hidden box and its viewport hear of their new sizes only when they
    // are shown, and the text wraps anew only when the viewport does: both
    // are told now, so that the lines wrap at that width before it appears.
    // Told once, as Qt would at the show, which then tells them no more: a
    // large text is laid out anew at every resize event.
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent event(size(), old);
        QCoreApplication::sendEvent(this, &event);
        setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    if (viewport()->testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent event(viewport()->size(), oldViewport);
        QCoreApplication::sendEvent(viewport(), &event);
        viewport()->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
}

qreal TextBox::lineHeight() const {
    // The layout's own line, which holds the font's leading besides its height.
    const QTextBlock first = document()->begin();
    document()->documentLayout()->blockBoundingRect(first);
    if (first.layout() && first.layout()->lineCount() > 0)
        return first.layout()->lineAt(0).height();
    return QFontMetricsF(font()).lineSpacing();
}

int TextBox::crlfPosition(int qtPos) const {
    // Every paragraph break before the position is one more character in CR LF.
    return qtPos + document()->findBlock(qtPos).blockNumber();
}

int TextBox::qtPosition(int crlfPos) const {
    // Paragraph i starts i characters later in the CR LF text. A position on
    // the CR or the LF of a break falls at the end of its paragraph.
    int i = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next(), ++i) {
        const int start = b.position() + i;
        const int length = b.length() - 1;
        if (crlfPos <= start + length + 1 || !b.next().isValid())
            return b.position() + std::clamp(crlfPos - start, 0, length);
    }
    return 0;
}

int TextBox::selStart() const {
    return crlfPosition(textCursor().selectionStart());
}

void TextBox::setSelection(int start, int length) {
    QTextCursor c = textCursor();
    c.setPosition(qtPosition(start));
    c.setPosition(qtPosition(start + length), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int TextBox::displayedLineCount(int atMost) const {
    // QPlainTextDocumentLayout lays blocks out lazily; asking for a block's
    // rectangle lays it out at the current width, so wrapped lines count.
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    int lines = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (!b.isVisible())
            continue;
        if (b.layout()->lineCount() == 0)
            layout->blockBoundingRect(b);
        lines += std::max(1, b.layout()->lineCount());
        if (lines >= atMost)
            return atMost;
    }
    return std::max(1, lines);
}

void TextBox::setVerticalScrollBarShown(bool shown) {
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

} // namespace widgets
