#pragma once

#include <QString>
#include <Qt>
#include <optional>

// The key combination that brings or hides the strip from any program,
// written in config.txt as Qt writes key sequences ("Ctrl+Alt+E").
namespace core {

struct KeyCombination {
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;

    friend bool operator==(const KeyCombination &, const KeyCombination &) = default;
};

// The combination a text names, or nothing when it names none the program
// will take from every other program: modifier names (Ctrl, Alt, Shift,
// Meta), each at most once, then one key (a letter, a digit, F1 to F24,
// Space, Esc, Ins, Del, Home, End, PgUp, PgDown, the arrows, Print, Pause),
// joined by "+"; case and spaces around the parts do not matter. A key that
// types or moves the caret needs Ctrl, Alt or Meta with it: taken alone or
// with Shift, it would be lost to typing everywhere.
std::optional<KeyCombination> parseKeyCombination(const QString &text);

} // namespace core
