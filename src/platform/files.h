#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// The folder that holds config.txt and the text folder. Beside the executable
// on Windows; the per-user data folder elsewhere, where an installed program
// cannot write beside its executable.
QString appFolderPath();

// Creates the application folder when it is missing. False when it cannot be.
bool ensureAppFolder();

// Writes the whole file through a temporary file in the same folder that is
// then put in place, so a crash, a kill or a full disk never leaves a
// truncated file. An existing read-only file is left alone and the write fails.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

// The bytes of a plain file; nothing when it is missing, a folder, or unreadable.
std::optional<QByteArray> readWholeFile(const QString &path);

// A path as the user's system writes it.
QString displayPath(const QString &path);

} // namespace platform
