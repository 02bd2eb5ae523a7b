#include "core/screens.h"

#include <algorithm>
#include <climits>

namespace core {

namespace {

// The distance between a rectangle and another, 0 when they meet.
long long gap(const QRect &a, const QRect &b) {
    const long long dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const long long dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QRect reachablePlace(const QRect &window, const QList<QRect> &screens) {
    if (screens.isEmpty())
        return window;
    for (const QRect &s : screens) {
        const QRect shown = s.intersected(window);
        if (shown.width() >= std::min(GrabbablePixels, window.width()) &&
            shown.height() >= std::min(GrabbablePixels, window.height()))
            return window;
    }
    const QRect nearest =
        *std::min_element(screens.begin(), screens.end(), [&](const QRect &a, const QRect &b) {
            return gap(window, a) < gap(window, b);
        });
    QRect moved = window;
    moved.moveLeft(std::clamp(window.left(), nearest.left(),
                              std::max(nearest.left(), nearest.right() + 1 - window.width())));
    moved.moveTop(std::clamp(window.top(), nearest.top(),
                             std::max(nearest.top(), nearest.bottom() + 1 - window.height())));
    return moved;
}

} // namespace core
