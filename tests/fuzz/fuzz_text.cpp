// Any file reads as a text, and a text written and read again comes back
// unchanged, whatever characters it holds.
#include "core/textcodec.h"
#include "core/textfolder.h"

#include <cstdlib>

using core::decodeText;
using core::encodeText;
using core::textFromFileContent;

namespace {

void require(bool condition) {
    if (!condition)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Every byte of a file is a character of its text: nothing is replaced,
    // so writing the characters back gives text that reads the same.
    const QString content = decodeText(bytes);
    require(!content.contains(QChar::ReplacementCharacter) ||
            bytes.contains("\xEF\xBF\xBD")); // unless the file holds U+FFFD itself
    require(decodeText(encodeText(content)) == content);

    // The lines of the file, each ended by CR LF.
    const QString text = textFromFileContent(content);
    require(text.isEmpty() || text.endsWith(QStringLiteral("\r\n")));
    // The text as the file holds it after a save reads back as the same text,
    // and saves to the same bytes again.
    const QByteArray saved = encodeText(text);
    require(textFromFileContent(decodeText(saved)) == text);
    require(encodeText(textFromFileContent(decodeText(saved))) == saved);

    // Characters a person can type or paste that no file read gives: the
    // input as UTF-16 (a lone surrogate, which no file can hold, becomes
    // U+FFFD on the way) survives a save and a read.
    QString typed(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        typed[qsizetype(i / 2)] = QChar(char16_t(data[i] | data[i + 1] << 8));
    typed = QString::fromUtf8(typed.toUtf8());
    require(decodeText(encodeText(typed)) == typed);
    const QString typedText = textFromFileContent(typed);
    require(textFromFileContent(decodeText(encodeText(typedText))) == typedText);
    return 0;
}
