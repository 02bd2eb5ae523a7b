// File names made from whatever is typed or pasted: a name the save window
// lets through never leaves the text folder, and splitting a made name gives
// back what was typed.
#include "store/namerules.h"
#include "store/textfolder.h"

#include <cstdlib>

namespace {
void require(bool condition) {
    if (!condition)
        abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = input.indexOf(QChar(0));
    const QString title = cut < 0 ? input : input.left(cut);
    const QString extension = cut < 0 ? QString() : input.mid(cut + 1);

    for (const QString &name :
         {MakeTextFileName(title, extension), RenameTextFileName(title, extension)}) {
        // What the save window accepts is a safe name inside the folder.
        if (!HasForbiddenNameCharacter(title) && !HasForbiddenNameCharacter(extension) &&
            !IsEmptyRenameTitle(title))
            require(IsSafeTextName(name));
        if (name.contains(u'/') || name.contains(u'\\'))
            require(!IsSafeTextName(name));
    }
    const QString ext = TrimSpaces(extension);
    if (!ext.isEmpty() && !ext.contains(u'.')) {
        const TextFileName split = SplitTextFileName(MakeTextFileName(title, extension));
        require(split.title == TrimSpaces(title));
        require(split.extension == ext);
    }
    return 0;
}
