#include "core/shortcut.h"

#include <QStringList>

namespace core {

namespace {

struct Name {
    const char *text;
    Qt::Key key;
};

// Keys by the names Qt gives them in its portable key-sequence text.
constexpr Name NamedKeys[] = {
    {"Space", Qt::Key_Space}, {"Esc", Qt::Key_Escape},      {"Ins", Qt::Key_Insert},
    {"Del", Qt::Key_Delete},  {"Home", Qt::Key_Home},       {"End", Qt::Key_End},
    {"PgUp", Qt::Key_PageUp}, {"PgDown", Qt::Key_PageDown}, {"Left", Qt::Key_Left},
    {"Up", Qt::Key_Up},       {"Right", Qt::Key_Right},     {"Down", Qt::Key_Down},
    {"Print", Qt::Key_Print}, {"Pause", Qt::Key_Pause},
};

struct Modifier {
    const char *text;
    Qt::KeyboardModifier modifier;
};

constexpr Modifier Modifiers[] = {
    {"Ctrl", Qt::ControlModifier},
    {"Alt", Qt::AltModifier},
    {"Shift", Qt::ShiftModifier},
    {"Meta", Qt::MetaModifier},
};

constexpr int FunctionKeys = 24;

std::optional<Qt::Key> keyNamed(const QString &name) {
    if (name.size() == 1) {
        const char16_t c = name[0].toUpper().unicode();
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            return Qt::Key(c);
        return std::nullopt;
    }
    if (name.size() > 1 && name[0].toUpper() == u'F') {
        bool number = false;
        const int n = name.mid(1).toInt(&number);
        // "F01" is no name Qt writes.
        if (number && n >= 1 && n <= FunctionKeys && name[1] != u'0')
            return Qt::Key(Qt::Key_F1 + n - 1);
        return std::nullopt;
    }
    for (const Name &k : NamedKeys)
        if (name.compare(QLatin1StringView(k.text), Qt::CaseInsensitive) == 0)
            return k.key;
    return std::nullopt;
}

// Keys that neither type nor move the caret, which may stand alone.
bool standsAlone(Qt::Key key) {
    return (key >= Qt::Key_F1 && key < Qt::Key_F1 + FunctionKeys) || key == Qt::Key_Print ||
           key == Qt::Key_Pause;
}

} // namespace

std::optional<KeyCombination> parseKeyCombination(const QString &text) {
    const QStringList parts = text.split(u'+');
    KeyCombination combination{};
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        const Modifier *found = nullptr;
        for (const Modifier &m : Modifiers)
            if (part.compare(QLatin1StringView(m.text), Qt::CaseInsensitive) == 0)
                found = &m;
        if (!found || combination.modifiers.testFlag(found->modifier))
            return std::nullopt;
        combination.modifiers |= found->modifier;
    }
    const std::optional<Qt::Key> key = keyNamed(parts.last().trimmed());
    if (!key)
        return std::nullopt;
    combination.key = *key;
    const Qt::KeyboardModifiers holding = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!(combination.modifiers & holding) && !standsAlone(*key))
        return std::nullopt;
    return combination;
}

} // namespace core
