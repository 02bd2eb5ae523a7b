#include "platform/widgets.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextLayout>

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

QLabel *pictureLabel(const QString &picture, const QString &toolTip, QRect place, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setGeometry(place);
    label->setPixmap(renderPicture(picture, place.size(), parent->devicePixelRatioF()));
    label->setToolTip(toolTip);
    return label;
}

QCursor pictureCursor(const QString &picture, QPoint hotSpot) {
    return QCursor(renderPicture(picture, QSize(32, 32), 1.0), hotSpot.x(), hotSpot.y());
}

namespace {

// The shades of a picture button under the pointer and pressed, over the
// strip's light grey.
const QColor HoverShade(0, 0, 0, 28);
const QColor PressedShade(0, 0, 0, 64);

bool byKeyboard(const QFocusEvent *event) {
    return event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
           event->reason() == Qt::ShortcutFocusReason;
}

bool isActivationKey(const QKeyEvent *event) {
    const int key = event->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// Enter and Return press a focused button. Held down, the key presses it
// once, as the space bar does: a held key must not delete text after text.
bool pressedByEnter(QAbstractButton *button, QKeyEvent *event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    event->accept();
    if (!event->isAutoRepeat())
        button->click();
    return true;
}

} // namespace

PictureButton::PictureButton(const QString &picture, const QString &toolTip, QWidget *parent)
    : QAbstractButton(parent), m_picture(picture) {
    setToolTipAndName(toolTip);
    // Clicks leave the focus where it is (the caret stays in the text box);
    // Tab and the owner's own keys bring it here.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setToolTipAndName(const QString &toolTip) {
    setToolTip(toolTip);
    setAccessibleName(toolTip.trimmed());
}

void PictureButton::setPicture(const QString &picture) {
    m_picture = picture;
    m_cache = QPixmap();
    update();
}

void PictureButton::keyPressEvent(QKeyEvent *event) {
    if (!pressedByEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

void PictureButton::enterEvent(QEnterEvent *event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus = byKeyboard(event);
    QAbstractButton::focusInEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.deviceIndependentSize() != QSizeF(size()) ||
        m_cache.devicePixelRatio() != dpr)
        m_cache = renderPicture(m_picture, size(), dpr);
    p.drawPixmap(0, 0, m_cache);
    if (isDown() || (m_hovered && isEnabled())) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(isDown() ? PressedShade : HoverShade);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
    if (hasFocus() && m_keyboardFocus) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

PushButton::PushButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

void PushButton::keyPressEvent(QKeyEvent *event) {
    if (!pressedByEnter(this, event))
        QPushButton::keyPressEvent(event);
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    // The captions are the program's own words, never markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(text);
}

void LinkLabel::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent *event) {
    if (!isActivationKey(event))
        return QLabel::keyPressEvent(event);
    event->accept();
    emit activated();
}

void LinkLabel::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus = byKeyboard(event);
    QLabel::focusInEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    if (hasFocus() && m_keyboardFocus) {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

FilteredLineEdit::FilteredLineEdit(Filter filter, QWidget *parent)
    : QLineEdit(parent), m_filter(std::move(filter)) {
    // Qt announces an edit (textEdited) before the change (textChanged), and
    // announces that change once more with the unfiltered text after the
    // filter has set its own: that late one is not the box's text.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_filtering)
            return;
        if (m_afterEdit) {
            m_afterEdit = false;
            return;
        }
        m_before = text;
    });
    connect(this, &QLineEdit::textEdited, this, &FilteredLineEdit::onEdited);
}

// What an edit inserted lies between the part it kept at the front and the
// part it kept at the end; only that goes through the filter, so a value
// the box was given keeps its text.
void FilteredLineEdit::onEdited(const QString &text) {
    const QString before = m_before;
    qsizetype head = 0;
    while (head < before.size() && head < text.size() && before[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < text.size() - head &&
           before[before.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    const QString inserted = text.mid(head, text.size() - head - tail);
    const QString kept = m_filter(inserted);
    m_afterEdit = true;
    m_before = text;
    if (kept == inserted)
        return;
    m_before = text.left(head) + kept + text.right(tail);
    m_filtering = true;
    setText(m_before);
    setCursorPosition(int(head + kept.size()));
    m_filtering = false;
}

void fitLabel(QLabel *label, int maxHeight) {
    if (!label->wordWrap()) {
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        return;
    }
    QFont font = label->font();
    while (label->heightForWidth(label->width()) > maxHeight && font.pointSizeF() > 6.0) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        label->setFont(font);
    }
    label->resize(
        label->width(),
        std::max(label->height(), std::min(maxHeight, label->heightForWidth(label->width()))));
}

namespace {

// Laid out as a word-wrapped label lays it out: within that many lines, no
// line wider than the label (a word wider than it would stick out).
bool fitsLines(const QFont &font, const QString &text, int width, int lines) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int count = 0;
    bool narrow = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        narrow = narrow && line.naturalTextWidth() <= width;
        ++count;
    }
    layout.endLayout();
    return narrow && count <= lines;
}

} // namespace

QString fitPath(const QFont &font, const QString &before, const QString &path, const QString &after,
                int width, int lines) {
    const auto fits = [&](const QString &text) { return fitsLines(font, text, width, lines); };
    if (fits(before + path + after))
        return before + path + after;
    // The folders lose their middle first; only when even that is not enough
    // does the file name itself.
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString folders = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const auto shortened = [](const QString &s, qsizetype keep) {
        return s.left((keep + 1) / 2) + QChar(0x2026) + s.right(keep / 2);
    };
    for (qsizetype keep = folders.size() - 1; keep >= 0; --keep) {
        const QString text = before + shortened(folders, keep) + name + after;
        if (fits(text))
            return text;
    }
    for (qsizetype keep = name.size() - 1; keep > 0; --keep) {
        const QString text = before + QChar(0x2026) + shortened(name, keep) + after;
        if (fits(text))
            return text;
    }
    return before + QChar(0x2026) + after;
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
    setPlainText(toBox(crlfText));
}

QString TextBox::toBox(const QString &crlfText) const {
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
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent event(size(), old);
        QCoreApplication::sendEvent(this, &event);
    }
    if (viewport()->testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent event(viewport()->size(), oldViewport);
        QCoreApplication::sendEvent(viewport(), &event);
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

qreal TextBox::verticalMargins() const {
    const QMargins m = contentsMargins();
    return 2 * document()->documentMargin() + m.top() + m.bottom();
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
