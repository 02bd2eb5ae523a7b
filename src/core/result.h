#pragma once

#include <QString>

namespace core {

// How an operation of the core went, as the windows must tell it to the
// user: what happened and, when it did not go as asked, the file it was
// about, ready to show.
struct Result {
    enum class Kind {
        Done,
        // Ctrl+S with no text open: saving it is the save window's business.
        NoTextOpen,
        // Refused before any file was touched.
        ForbiddenCharacters,
        EmptyTitle,
        NameTaken,
        EmptyField,
        // The text is not, or no longer, in the text folder.
        Missing,
        Unreadable,
        // No trash could take the text: it stays until the user says to
        // delete it for good.
        NoTrash,
        // The unsaved text in the strip could not be kept in a recovery copy
        // (the path is the recovery folder's): nothing changed.
        NotKept,
        // Done, but config.txt could not record it.
        ConfigNotWritten,
        // A file could not be written, renamed or deleted; nothing changed.
        Failed,
    };

    Result() = default;
    Result(Kind kind, QString path = QString()) : kind(kind), path(std::move(path)) {}

    Kind kind = Kind::Done;
    QString path;

    bool done() const { return kind == Kind::Done; }
};

} // namespace core
