#include "platform/widgets.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTextBlock>

namespace platform {

QPixmap renderPicture(const QString &picture, QSize size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(picture);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

void shrinkToFit(QWidget *widget, const QString &caption) {
    if (caption.isEmpty() || caption.contains(u'\n'))
        return;
    // Room the widget needs beside its text: a check box's box as measured
    // at the present font, a push button's frame (its size hint holds a
    // minimum width as well, which is not the text's business).
    const int extra = qobject_cast<QPushButton *>(widget)
                          ? 8
                          : std::max(0, widget->sizeHint().width() -
                                            widget->fontMetrics().horizontalAdvance(caption));
    QFont font = widget->font();
    while (QFontMetrics(font).horizontalAdvance(caption) + extra > widget->width() &&
           font.pointSizeF() > 6.0)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font != widget->font())
        widget->setFont(font);
}

QCursor pictureCursor(const QString &picture, QPoint hotSpot) {
    return QCursor(renderPicture(picture, QSize(32, 32), 1.0), hotSpot.x(), hotSpot.y());
}

PictureButton::PictureButton(const QString &picture, const QString &toolTip, QWidget *parent)
    : QWidget(parent), m_picture(picture) {
    setToolTip(toolTip);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setPicture(const QString &picture) {
    m_picture = picture;
    m_cache = QPixmap();
    update();
}

void PictureButton::paintEvent(QPaintEvent *) {
    const qreal dpr = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.deviceIndependentSize() != QSizeF(size()) ||
        m_cache.devicePixelRatio() != dpr)
        m_cache = renderPicture(m_picture, size(), dpr);
    QPainter(this).drawPixmap(0, 0, m_cache);
}

void ClickTracker::press(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

bool ClickTracker::release(QMouseEvent *event, const QRect &rect) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect.contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    return click;
}

void PictureButton::mousePressEvent(QMouseEvent *event) {
    m_click.press(event);
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event) {
    if (m_click.release(event, rect()))
        emit clicked();
}

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
    qsizetype n = 0;
    const bool standIns = m_standIns[0] != 0;
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator) {
            crlf[n++] = u'\r';
            crlf[n++] = u'\n';
            continue;
        }
        QChar out = c;
        if (standIns)
            for (int k = 0; k < 3; ++k)
                if (c.unicode() == m_standIns[k])
                    out = QChar(Breakers[k]);
        crlf[n++] = out;
    }
    crlf.truncate(n);
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
    QString plain(crlfText.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < crlfText.size(); ++i) {
        const QChar c = crlfText[i];
        if (c == u'\r') {
            plain[n++] = u'\n';
            if (i + 1 < crlfText.size() && crlfText[i + 1] == u'\n')
                ++i;
            continue;
        }
        QChar out = c;
        if (m_standIns[0] != 0)
            for (int k = 0; k < 3; ++k)
                if (c.unicode() == Breakers[k])
                    out = QChar(m_standIns[k]);
        plain[n++] = out;
    }
    plain.truncate(n);
    setPlainText(plain);
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

int TextBox::selLength() const {
    const QTextCursor c = textCursor();
    return crlfPosition(c.selectionEnd()) - crlfPosition(c.selectionStart());
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

} // namespace platform
