// The config reader takes any bytes: whatever the file holds, start-up gets a
// whole set of accepted values, and a file written from them reads back as
// the same values.
#include "platform/numbers.h"
#include "startup/config.h"

#include <cstdlib>

using platform::parseNumber;

namespace {
void require(bool condition) {
    if (!condition)
        abort();
}
bool numberAtLeast(const QString &text, double minimum) {
    const auto n = parseNumber(text);
    return n && *n >= minimum;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const config::Accepted a = config::accept(config::readValues(bytes));
    require(numberAtLeast(a.width, 294));
    require(numberAtLeast(a.txtMin, 140));
    require(numberAtLeast(a.txtMax, *parseNumber(a.txtMin)));
    require(numberAtLeast(a.transparency, 0) && *parseNumber(a.transparency) <= 100);
    require(numberAtLeast(a.align, 1) && *parseNumber(a.align) <= 3);
    require(numberAtLeast(a.optIni, 1) && *parseNumber(a.optIni) <= 2);
    require(config::FontNames.contains(a.font));

    // Writing the accepted values and reading them again gives them back, as
    // long as a value holds no line end or separator of its own and is not empty.
    std::array<QString, config::LineCount> lines = {a.width,
                                                    a.txtMin,
                                                    a.txtMax,
                                                    a.transparency,
                                                    a.align,
                                                    a.optIni,
                                                    a.font,
                                                    QStringLiteral("1|2|3|4"),
                                                    a.lastText.value_or(QStringLiteral("*"))};
    for (const QString &line : lines)
        if (line.isEmpty() || line.contains(u'\r') || line.contains(QChar(0x7F)))
            return 0;
    const config::RawValues back = config::readValues(config::fileText(lines));
    for (int i = 0; i < config::LineCount; ++i)
        require(back[i] == lines[i]);
    return 0;
}
