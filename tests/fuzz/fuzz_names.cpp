// File names made from whatever is typed or pasted: a name the save window
// lets through is a safe name, a safe name never leads out of the text
// folder (checked on a real folder), and splitting a made name gives back
// what was typed.
#include "core/names.h"
#include "core/textfolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>

using namespace core;

namespace {

void require(bool condition) {
    if (!condition)
        abort();
}

// The raw names in a folder, read past the program's own listing, which
// leaves out the temporary files of a save.
QList<QByteArray> entriesOf(const QString &folder) {
    QList<QByteArray> names;
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    require(dir != nullptr);
    while (const dirent *e = readdir(dir))
        if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
            names << QByteArray(e->d_name);
    closedir(dir);
    return names;
}

// A data folder with its text folder, made once: the texts go into the
// text folder, and nothing may ever appear beside it.
struct Folders {
    QTemporaryDir data;
    TextFolder texts{data.path() + QStringLiteral("/textos")};
    Folders() { require(data.isValid() && texts.ensure()); }
};

// Writes a text under the name and removes it again: a safe name is one
// plain file in the text folder and nothing else anywhere; any other name
// writes nothing at all.
void requireStaysInside(const QString &name) {
    static Folders folders;
    const bool safe = isSafeTextName(name);
    const bool written = folders.texts.write(name, QStringLiteral("lembrete\r\n"));
    require(written == safe);
    require(entriesOf(folders.data.path()) == QList<QByteArray>{"textos"});
    const QList<QByteArray> entries = entriesOf(folders.texts.path());
    require(entries.size() == (written ? 1 : 0));
    if (!written)
        return;
    require(folders.texts.exists(name));
    require(folders.texts.read(name).value_or(core::TextFile()).text ==
            QStringLiteral("lembrete\r\n"));
    require(unlink(QFile::encodeName(folders.texts.path()).append('/').append(entries.first())) ==
            0);
}

void checkNames(const QString &title, const QString &extension) {
    for (const QString &name :
         {makeTextFileName(title, extension), renameTextFileName(title, extension)}) {
        // What the save window accepts is a safe name inside the folder, or
        // one too long for a file name, whose save fails and says so.
        if (!hasForbiddenNameCharacter(title) && !hasForbiddenNameCharacter(extension) &&
            !isEmptyRenameTitle(title))
            require(isSafeTextName(name) || name.toUtf8().size() > NAME_MAX);
        if (name.contains(u'/'))
            require(!isSafeTextName(name));
        requireStaysInside(name);
    }
    const QString ext = trimSpaces(extension);
    if (!ext.isEmpty() && !ext.contains(u'.')) {
        const TextFileName split = splitTextFileName(makeTextFileName(title, extension));
        require(split.title == trimSpaces(title));
        require(split.extension == ext);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // A title and an extension, cut at the first NUL.
    const auto cut = [](const QString &input) {
        const qsizetype at = input.indexOf(QChar(0));
        return at < 0 ? std::pair(input, QString()) : std::pair(input.left(at), input.mid(at + 1));
    };
    const auto [title, extension] =
        cut(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    checkNames(title, extension);
    // The whole input as one name, as UTF-16: lone surrogates included, which
    // is how the program holds the bytes of a listed name that are not UTF-8.
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        units[qsizetype(i / 2)] = QChar(char16_t(data[i] | data[i + 1] << 8));
    requireStaysInside(units);
    return 0;
}
