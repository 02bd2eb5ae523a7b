// Any file reads as a text, and a text written and read again comes back
// unchanged, whatever characters it holds.
#include "platform/textcodec.h"
#include "store/textfolder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = TextFromFileContent(platform::decodeText(bytes));
    if (!text.isEmpty() && !text.endsWith(QStringLiteral("\r\n")))
        abort();
    // The text as the file holds it after a save: every line ended by CR LF.
    const QByteArray saved = platform::encodeText(text);
    if (TextFromFileContent(platform::decodeText(saved)) != text)
        abort();
    // Reading is stable: a saved text saves to the same bytes.
    if (platform::encodeText(TextFromFileContent(platform::decodeText(saved))) != saved)
        abort();
    return 0;
}
