#include "widgets/FilteredLineEdit.h"

namespace widgets {

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

} // namespace widgets
