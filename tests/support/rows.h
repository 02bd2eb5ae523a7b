#pragma once

#include <QTest>

namespace support {

// One row of a data table: its name, then a cell for every column in order.
// A string literal fills a QString column, as with QTest::newRow(); a row on
// one line, with no table type and loop around it, keeps a table readable.
template <typename... Cells> void row(const char *name, const Cells &...cells) {
    (QTest::newRow(name) << ... << cells);
}

} // namespace support
