#include "widgets/fitting.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTextLayout>

namespace widgets {

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

} // namespace widgets
