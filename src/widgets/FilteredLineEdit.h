#pragma once

#include <QLineEdit>
#include <QString>
#include <functional>

namespace widgets {

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

} // namespace widgets
