#include "core/textcodec.h"

#include <QStringDecoder>

namespace core {

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the code page leaves
// undefined decode to the C1 control of the same value, so every byte survives
// a read and a write.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

// The byte for a character, or -1 when Windows-1252 has none.
int windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == c)
            return 0x80 + i;
    return -1;
}

bool hasHighByte(const QByteArray &bytes) {
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80)
            return true;
    return false;
}

bool isUtf8(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

QString decodeText(const QByteArray &bytes) {
    if (bytes.startsWith(Utf8Bom)) {
        // Only our own mark goes: a second one is a character of the text
        // (QString::fromUtf8 would drop it too). A file that only starts like
        // ours is read byte for byte below, so that nothing of it is replaced.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf8.decode(QByteArrayView(bytes).sliced(3));
        if (!utf8.hasError())
            return text;
    } else if (hasHighByte(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    } else {
        return QString::fromLatin1(bytes);
    }
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b);
    }
    return text;
}

QByteArray encodeText(const QString &text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = windows1252Byte(text[i].unicode());
        if (b < 0)
            return Utf8Bom + text.toUtf8();
        bytes[i] = static_cast<char>(b);
    }
    // Windows-1252 bytes that happen to form UTF-8 ("Ã©" is C3 A9, which is
    // "é") would be read back as UTF-8; such a text is kept as UTF-8 instead.
    if (hasHighByte(bytes) && isUtf8(bytes))
        return Utf8Bom + text.toUtf8();
    return bytes;
}

} // namespace core
