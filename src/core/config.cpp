#include "core/config.h"

#include "core/numbers.h"
#include "platform/files.h"
#include "platform/textcodec.h"

namespace core::config {

namespace {

constexpr QChar Separator(0x7F);

QStringList nonEmptyLines(const QString &text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        if (i > start)
            lines << text.mid(start, i - start);
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

// The value when it is a number at least `minimum`, else the replacement.
QString atLeast(const std::optional<QString> &value, double minimum, const QString &replacement) {
    if (value) {
        const auto n = parseNumber(*value);
        if (n && *n >= minimum)
            return *value;
    }
    return replacement;
}

QString oneOf(const std::optional<QString> &value, std::initializer_list<double> allowed,
              const QString &replacement) {
    if (value) {
        if (const auto n = parseNumber(*value))
            for (double a : allowed)
                if (*n == a)
                    return *value;
    }
    return replacement;
}

} // namespace

RawValues readValues(const QString &fileText) {
    // Joining the kept lines with a separator and splitting again is how the
    // values are defined: it gives the trailing empty value, and a separator
    // character inside a line splits that line.
    QString joined;
    for (const QString &line : nonEmptyLines(fileText))
        joined += line + Separator;
    const QStringList parts = joined.split(Separator);
    RawValues values;
    for (int i = 0; i < ValueCount && i < parts.size(); ++i)
        values[i] = parts[i];
    return values;
}

RawValues readValues(const QByteArray &fileBytes) {
    return readValues(platform::decodeText(fileBytes));
}

Accepted accept(const RawValues &v) {
    Accepted a;
    a.width = atLeast(v[0], 294, QStringLiteral("294"));
    a.txtMin = atLeast(v[1], 140, QStringLiteral("140"));
    a.txtMax = atLeast(v[2], *parseNumber(a.txtMin), a.txtMin);
    a.transparency = QStringLiteral("100");
    if (v[3]) {
        const auto n = parseNumber(*v[3]);
        if (n && *n >= 0 && *n <= 100)
            a.transparency = *v[3];
    }
    a.align = oneOf(v[4], {1, 2, 3}, QStringLiteral("2"));
    a.optIni = oneOf(v[5], {1, 2}, QStringLiteral("2"));
    a.font = (v[6] && FontNames.contains(*v[6])) ? *v[6] : QStringLiteral("Arial");
    if (v[7]) {
        const QStringList parts = v[7]->split(u'|');
        for (int i = 0; i < 4 && i < parts.size(); ++i)
            a.positions[i] = parts[i];
    }
    a.lastText = v[8];
    // A name that cannot be a file of the text folder (too long, a NUL, a
    // path) names nothing; kept, it would reach every message and write.
    if (a.lastText && *a.lastText != u"*" && !a.lastText->isEmpty() &&
        !platform::isSingleName(*a.lastText))
        a.lastText.reset();
    a.globalKey = v[9].value_or(QString()).trimmed();
    return a;
}

Lines defaultLines() {
    return {QStringLiteral("294"),   QStringLiteral("140"),
            QStringLiteral("280"),   QStringLiteral("90"),
            QStringLiteral("1"),     QStringLiteral("2"),
            QStringLiteral("Arial"), QStringLiteral("1000|1000|1000|1000"),
            QStringLiteral("*")};
}

QByteArray fileText(const Lines &lines, const QString &globalKey) {
    auto oneLine = [](QString value) {
        return value.remove(u'\r').remove(u'\n').remove(Separator);
    };
    QString text;
    bool everyLineKept = true;
    for (const QString &line : lines) {
        const QString value = oneLine(line);
        everyLineKept = everyLineKept && !value.isEmpty();
        text += value + QStringLiteral("\r\n");
    }
    // Written only when there is one, so that files without it stay as every
    // copy wrote them; and only after nine lines the reader keeps: after an
    // empty one, which it drops, the key would be read as the ninth value.
    if (const QString key = oneLine(globalKey).trimmed(); !key.isEmpty() && everyLineKept)
        text += key + QStringLiteral("\r\n");
    return platform::encodeText(text);
}

QString lastTextLine(bool reopen, const QString &openName) {
    if (!reopen)
        return QStringLiteral("*");
    for (qsizetype i = 0; i < openName.size(); ++i) {
        const QChar c = openName[i];
        if (c.isHighSurrogate() && i + 1 < openName.size() && openName[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || c.category() == QChar::Other_Control || c == Separator)
            return QStringLiteral("*");
    }
    return openName;
}

QString path(const QString &dataFolder) {
    return dataFolder + QStringLiteral("/config.txt");
}

} // namespace core::config
