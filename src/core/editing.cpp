#include "core/editing.h"

#include <algorithm>

namespace core::editing {

TextWithCaret insertBullet(const QString &text, int caret) {
    // A caret outside the text (a stale position) is brought back to its ends
    // rather than cutting the text at a position it does not have.
    const qsizetype p = std::clamp<qsizetype>(caret, 0, text.size());
    const QString head = text.left(p);
    const QString tail = text.mid(p);
    if (p == 0)
        return {Bullet + text, int(Bullet.size())};
    const QChar last = head.back();
    if (last == u'\n' || last == u'\r')
        return {head + Bullet + tail, int(p + Bullet.size())};
    return {head + QStringLiteral("\r\n") + Bullet + tail, int(p + 2 + Bullet.size())};
}

BadgeStep badgeStep(int step) {
    // Three visible widths; the fourth step ends the run, so its width (2625)
    // is never seen.
    static constexpr int Widths[] = {300, 1025, 1850};
    if (step < 1 || step > 3)
        return {IdleBadgeWidthTwips, 1, false};
    return {Widths[step - 1], step + 1, true};
}

bool isQuickSaveKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return key == Qt::Key_S && held == Qt::ControlModifier;
}

bool isSelectAllKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return key == Qt::Key_A && held == Qt::ControlModifier;
}

} // namespace core::editing
