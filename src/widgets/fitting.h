#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace widgets {

// The places are sized for a narrower font than most systems have: a label
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

} // namespace widgets
