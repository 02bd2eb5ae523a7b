#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

// What the in-process benchmarks share: made-up texts and the median.
namespace bench {

// `lines` lines of short Portuguese-looking words, each ended by CR LF, that
// fit the box's width so no line wraps.
QString textOfLines(int lines);

// About `bytes` bytes of longer lines (they wrap in the box), ended by CR LF.
QByteArray textOfSize(qsizetype bytes);

double median(QList<double> values);

// CPU time this process has used, all threads, in milliseconds. Next to the
// wall-clock figures it tells a slow program from a busy machine.
double processCpuMs();

// Makes the text folder in the data folder `dir` (what Program takes);
// returns the text folder.
QString prepareDataFolder(const QString &dir);

// The program's strip among its windows, found by its name as a user's
// tools find it; null while it has none.
QWidget *strip();

} // namespace bench
