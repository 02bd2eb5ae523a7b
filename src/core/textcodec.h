#pragma once

#include <QByteArray>
#include <QString>

// Texts and config.txt are 8-bit Windows-1252 files. A text holding a character
// that code page cannot hold is kept as UTF-8 with a byte-order mark instead, so
// nothing the user typed is ever replaced by a question mark.
namespace core {

// Valid UTF-8 after a UTF-8 byte-order mark, or valid UTF-8 with at least one
// multi-byte sequence, is UTF-8; anything else is Windows-1252, in which all
// 256 bytes decode, so every byte of a file survives a read and a write.
QString decodeText(const QByteArray &bytes);

// Windows-1252 when every character fits, otherwise UTF-8 with a byte-order mark.
QByteArray encodeText(const QString &text);

} // namespace core
