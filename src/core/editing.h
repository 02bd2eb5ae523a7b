#pragma once

#include <QString>
#include <Qt>

// The text box's own rules: bullets, the saving badge and the two keys the
// program gives a meaning to. Texts and caret positions are counted in the
// CR LF text, as the text box shows it to the rest of the program.
namespace core::editing {

// The bullet: a middle dot and a space.
inline const QString Bullet = QStringLiteral("\u00B7 ");

struct TextWithCaret {
    QString text;
    int caret;
};

// A bullet at the caret: at the very start or at the start of a line it goes
// in place, anywhere else it opens a new line below. A selection counts only
// by its start, so the selected passage stays after the bullet.
TextWithCaret insertBullet(const QString &text, int caret);

// One 50 ms step of the "  Salvando" badge, chosen by the step counter
// (1 to 5, 1 when idle).
struct BadgeStep {
    int widthTwips; // the badge's width after the step
    int next;       // the counter after the step
    bool visible;   // false once the badge has run its course: the timer stops
};
BadgeStep badgeStep(int step);

// The badge at rest.
constexpr int IdleBadgeWidthTwips = 150;

// Ctrl+S, with or without Shift, as the character 19 arrives: Alt or the
// system key make it another key.
bool isQuickSaveKey(int key, Qt::KeyboardModifiers modifiers);

// Ctrl+A with Ctrl alone: Ctrl+Shift+A and Ctrl+Alt+A are not select-all.
bool isSelectAllKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace core::editing
