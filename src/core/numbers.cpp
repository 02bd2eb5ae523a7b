#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace core {

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

std::optional<double> parseNumber(const QString &text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < end && isDigit(text[i]))
        ++i, ++digits;
    if (i < end && text[i] == u'.') {
        ++i;
        while (i < end && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0 || i != end)
        return std::nullopt;
    // Only ASCII is left between begin and end, so Latin-1 is exact.
    const QByteArray ascii = text.mid(begin, end - begin).toLatin1();
    const char *first = ascii.constData();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, ascii.constData() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range)
        return std::nullopt;
    if (ec != std::errc() || ptr != ascii.constData() + ascii.size()) {
        // from_chars refuses "5." and ".5" forms on some libraries; QString does not.
        bool ok = false;
        value = QString::fromLatin1(ascii).toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return value;
}

double numberOr0(const QString &text) {
    return parseNumber(text).value_or(0.0);
}

QString formatNumber(float value) {
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return QString::number(double(value), 'f', 0);
    return QString::fromLatin1(buffer, ptr - buffer);
}

long long roundHalfEven(double value) {
    return std::llrint(value);
}

double clampPixels(double pixels) {
    if (std::isnan(pixels))
        return 0;
    return std::clamp(pixels, -MaxPixels - 1, MaxPixels);
}

} // namespace core
