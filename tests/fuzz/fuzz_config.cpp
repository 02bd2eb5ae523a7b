// config.txt from both sides. The reader takes any bytes: whatever the file
// holds, start-up gets a whole set of accepted values, and a file written
// from them reads back as the same values. The writer takes any nine values,
// whatever was pasted into them: it always writes nine lines, so no value
// can push the later ones onto the wrong line.
#include "core/config.h"
#include "core/numbers.h"

#include <cstdlib>

namespace config = core::config;
using core::parseNumber;

namespace {

void require(bool condition) {
    if (!condition)
        abort();
}

bool numberAtLeast(const QString &text, double minimum) {
    const auto n = parseNumber(text);
    return n && *n >= minimum;
}

// What the reader gives back of a value: the writer drops line breaks and the
// reader's separator from it.
QString asWritten(QString value) {
    return value.remove(u'\r').remove(u'\n').remove(QChar(0x7F));
}

// The file holds nine lines (ten with a global key), each ended by CR LF,
// and no other line break: in Windows-1252 and in UTF-8 alike, CR and LF are
// single bytes that no other character's bytes contain.
void requireLines(const QByteArray &file, int count = config::LineCount) {
    qsizetype lines = 0;
    for (qsizetype i = 0; i < file.size(); ++i) {
        if (file[i] == '\n')
            require(false);
        if (file[i] != '\r')
            continue;
        require(i + 1 < file.size() && file[i + 1] == '\n');
        ++lines;
        ++i;
    }
    require(lines == count && file.endsWith("\r\n"));
}

void readAndAccept(const QByteArray &bytes) {
    const config::Accepted a = config::accept(config::readValues(bytes));
    require(numberAtLeast(a.width, 294));
    require(numberAtLeast(a.minHeight, 140));
    require(numberAtLeast(a.maxHeight, *parseNumber(a.minHeight)));
    require(numberAtLeast(a.transparency, 0) && *parseNumber(a.transparency) <= 100);
    require(numberAtLeast(a.align, 1) && *parseNumber(a.align) <= 3);
    require(numberAtLeast(a.startMode, 1) && *parseNumber(a.startMode) <= 2);
    require(config::FontNames.contains(a.font));

    // The writers put the accepted values back as they were read; line 8 is
    // the writers' own, and line 9 the name of the text start-up reopens
    // (none when the line is missing or "*"), as every writer puts it.
    const bool reopen = a.lastText && *a.lastText != u"*";
    const config::Lines lines = {a.width,
                                 a.minHeight,
                                 a.maxHeight,
                                 a.transparency,
                                 a.align,
                                 a.startMode,
                                 a.font,
                                 QStringLiteral("1|2|3|4"),
                                 config::lastTextLine(reopen ? a.lastText : std::nullopt)};
    // The key is written after nine lines the reader keeps, or not at all.
    bool everyLineKept = true;
    for (const QString &line : lines)
        everyLineKept = everyLineKept && !asWritten(line).isEmpty();
    const QString key = everyLineKept ? asWritten(a.globalKey).trimmed() : QString();
    const QByteArray file = config::fileText(lines, a.globalKey);
    requireLines(file, key.isEmpty() ? config::LineCount : config::ValueCount);
    const config::RawValues back = config::readValues(file);
    // An empty line 9 (a file of eight lines) reads back as the empty value
    // that follows the last line, so every value comes back as it was.
    for (int i = 0; i < config::LineCount; ++i)
        require(back[i] == lines[i]);
    const config::Accepted again = config::accept(back);
    require(again.width == a.width && again.minHeight == a.minHeight &&
            again.maxHeight == a.maxHeight && again.transparency == a.transparency &&
            again.align == a.align && again.startMode == a.startMode && again.font == a.font);
    // A name that would not read back as itself is not written at all.
    require(again.lastText == lines[8]);
    require(lines[8] == u"*" || lines[8] == a.lastText);
    // The global key comes back without what the writer drops from every line.
    require(again.globalKey == key);
}

// Nine values cut from the input at NUL characters, as they might reach a
// writer from a settings box or a text's name.
void writeAnyValues(const QString &input) {
    config::Lines lines;
    const QStringList parts = input.split(QChar(0));
    for (int i = 0; i < config::LineCount; ++i)
        lines[i] = i < parts.size() ? parts[i] : QStringLiteral("1");
    const QByteArray file = config::fileText(lines);
    requireLines(file);
    // Only an empty line is left out by the reader (the writers refuse an
    // empty box); with none, every value is read from its own line.
    for (int i = 0; i < config::LineCount - 1; ++i)
        if (asWritten(lines[i]).isEmpty())
            return;
    const config::RawValues back = config::readValues(file);
    for (int i = 0; i < config::LineCount; ++i)
        require(back[i] == asWritten(lines[i]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readAndAccept(bytes);
    writeAnyValues(QString::fromUtf8(bytes));
    // The input as UTF-16 too, which reaches every character quickly; a lone
    // surrogate, which no file can hold, becomes U+FFFD on the way.
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        units[qsizetype(i / 2)] = QChar(char16_t(data[i] | data[i + 1] << 8));
    writeAnyValues(QString::fromUtf8(units.toUtf8()));
    return 0;
}
