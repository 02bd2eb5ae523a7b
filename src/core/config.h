#pragma once

#include "core/siderules.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// config.txt: nine values, one a line, known by their position alone, and
// an optional tenth that older copies, which stop at the ninth, never see.
namespace core::config {

constexpr int LineCount = 9;
using Lines = std::array<QString, LineCount>;
// Where each value stands in Lines.
namespace line {
constexpr int Width = 0, TextMin = 1, TextMax = 2, Opacity = 3, Align = 4, StartMinimized = 5,
              Font = 6, Positions = 7, LastText = 8;
}
constexpr int ValueCount = LineCount + 1;

// The five fonts the program offers, in the order the settings window lists them.
inline const QStringList FontNames = {QStringLiteral("Arial"), QStringLiteral("Georgia"),
                                      QStringLiteral("MS Sans Serif"),
                                      QStringLiteral("Times New Roman"), QStringLiteral("Verdana")};

// The values as they stand in the file; a value past the end is missing.
using RawValues = std::array<std::optional<QString>, ValueCount>;

// What start-up accepts of each line, as text: the writers put the values
// back as they were read ("300" stays "300", "150.5" stays "150.5").
struct Accepted {
    QString width;        // pixels
    QString minHeight;    // pixels
    QString maxHeight;    // pixels
    QString transparency; // percent
    QString align;        // "1" left, "2" centre, "3" right
    QString startMode;    // "1" start minimized, "2" not
    QString font;
    // Line 8, split at "|": start-up window left and top, main window left and top.
    std::array<std::optional<QString>, 4> positions;
    // Line 9: missing, "*", or the name of the last text.
    std::optional<QString> lastText;
    // Line 10: the key combination that brings or hides the strip from any
    // program ("Ctrl+Alt+E"), as written; empty when there is none. Kept
    // even when it names no combination, so that the writers never drop
    // what the user typed.
    QString globalKey;
};

// Reading steps: lines end at CR or CR LF (a lone LF stays inside its line),
// empty lines are dropped, and one empty value follows the kept lines.
RawValues readValues(const QString &fileText);
RawValues readValues(const QByteArray &fileBytes);

Accepted accept(const RawValues &values);

// The settings as the program uses them, read once from the file: numbers
// as numbers, and the accepted text of every line beside them, which the
// writers put back unchanged.
struct Settings {
    double widthPx = 0;
    double textMinPx = 0;
    double textMaxPx = 0;
    double opacityPercent = 0;
    Align align = Align::Centre;
    bool startMinimized = false;
    QString font;
    // Line 8's parts that are numbers, in twips: start-up window left and
    // top, strip left and top.
    std::array<std::optional<double>, 4> positionsTwips;
    // Line 9 turns the reopening on unless it is missing or "*"; it names the
    // text to reopen unless it is empty.
    bool reopenLastText = false;
    std::optional<QString> lastText;
    QString globalKey;
    Accepted text;
};
Settings settingsFrom(const QByteArray &fileBytes);

// The nine lines of a file nobody has written yet.
Lines defaultLines();

// The lines every writer puts in the file: the settings in force as they
// were read (line 1 the width they opened the strip at), with `lastText` on
// line 9. A writer replaces the lines it writes anew.
Lines linesInForce(const Settings &settings, const std::optional<QString> &lastText);

// The bytes of the whole file: every line, the last included, ended by CR LF,
// and the tenth line when there is a global key and no empty line before it
// (the reader drops empty lines). A value never carries a
// line break (nor the reader's separator) into the file, whatever was pasted
// into it: the next start would read every later value from the wrong line.
QByteArray fileText(const Lines &lines, const QString &globalKey = QString());

// Line 9 as every writer puts it: the name, or "*" for none and for a name
// that would not read back as itself (a control character, a byte that is
// not text).
QString lastTextLine(const std::optional<QString> &name);

// config.txt in the data folder.
QString path(const QString &dataFolder);

} // namespace core::config
