#include "core/config.h"

#include "core/numbers.h"
#include "core/textcodec.h"
#include "core/twips.h"
#include "platform/files.h"

namespace core::config {

namespace {

constexpr QChar Separator(0x7F);

// Each line: what a file nobody has written yet holds, and what start-up
// takes in place of a value it does not accept (none: see accept()).
struct LineDefault {
    const char16_t *newFile;
    const char16_t *replacement;
};
constexpr std::array<LineDefault, LineCount> Defaults = {{
    {u"294", u"294"},                  // strip width, pixels, at least 294
    {u"140", u"140"},                  // text box height at least, pixels, at least 140
    {u"280", nullptr},                 // text box height at most, at least line 2
    {u"90", u"100"},                   // opacity, percent, 0 to 100
    {u"1", u"2"},                      // side windows: 1 left, 2 centre, 3 right
    {u"2", u"2"},                      // 1 start minimized, 2 not
    {u"Arial", u"Arial"},              // font, one of FontNames
    {u"1000|1000|1000|1000", nullptr}, // start-up window left|top, strip left|top, twips
    {u"*", nullptr},                   // the text start-up reopens, "*" for none
}};

QString replacement(int line) {
    return QString::fromUtf16(Defaults[line].replacement);
}

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
    return readValues(decodeText(fileBytes));
}

Accepted accept(const RawValues &v) {
    Accepted a;
    a.width = atLeast(v[line::Width], 294, replacement(line::Width));
    a.minHeight = atLeast(v[line::TextMin], 140, replacement(line::TextMin));
    a.maxHeight = atLeast(v[line::TextMax], *parseNumber(a.minHeight), a.minHeight);
    a.transparency = replacement(line::Opacity);
    if (v[line::Opacity]) {
        const auto n = parseNumber(*v[line::Opacity]);
        if (n && *n >= 0 && *n <= 100)
            a.transparency = *v[line::Opacity];
    }
    a.align = oneOf(v[line::Align], {1, 2, 3}, replacement(line::Align));
    a.startMode = oneOf(v[line::StartMinimized], {1, 2}, replacement(line::StartMinimized));
    a.font = (v[line::Font] && FontNames.contains(*v[line::Font])) ? *v[line::Font]
                                                                   : replacement(line::Font);
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

Settings settingsFrom(const QByteArray &fileBytes) {
    Settings s;
    s.text = accept(readValues(fileBytes));
    const Accepted &a = s.text;
    // Every accepted value but the positions is a number.
    s.widthPx = clampPixels(numberOr0(a.width));
    s.textMinPx = clampPixels(numberOr0(a.minHeight));
    s.textMaxPx = clampPixels(numberOr0(a.maxHeight));
    s.opacityPercent = numberOr0(a.transparency);
    s.align = Align(int(numberOr0(a.align)));
    s.startMinimized = numberOr0(a.startMode) == 1;
    s.font = a.font;
    for (int i = 0; i < 4; ++i)
        if (a.positions[i])
            if (const auto n = parseNumber(*a.positions[i]))
                s.positionsTwips[i] = clampPixels(*n / TwipsPerPixel) * TwipsPerPixel;
    s.reopenLastText = a.lastText && *a.lastText != u"*";
    if (s.reopenLastText && !a.lastText->isEmpty())
        s.lastText = a.lastText;
    s.globalKey = a.globalKey;
    return s;
}

Lines defaultLines() {
    Lines lines;
    for (int i = 0; i < LineCount; ++i)
        lines[i] = QString::fromUtf16(Defaults[i].newFile);
    return lines;
}

Lines linesInForce(const Settings &s, const std::optional<QString> &lastText) {
    QStringList positions;
    for (const std::optional<QString> &part : s.text.positions)
        positions << part.value_or(QStringLiteral("0"));
    return {formatNumber(float(s.widthPx)),
            s.text.minHeight,
            s.text.maxHeight,
            s.text.transparency,
            s.text.align,
            s.text.startMode,
            s.text.font,
            positions.join(u'|'),
            lastTextLine(lastText)};
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
    return encodeText(text);
}

QString lastTextLine(const std::optional<QString> &name) {
    if (!name)
        return QStringLiteral("*");
    const QString &openName = *name;
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
