#include "core/siderules.h"

#include <QString>
#include <algorithm>

namespace core {

QPointF placeSideWindow(Align align, const QRectF &stripTwips, const QSizeF &sideTwips) {
    const float left = float(stripTwips.left());
    const float top = float(stripTwips.top());
    const float width = float(stripTwips.width());
    const float height = float(stripTwips.height());
    const float sideWidth = float(sideTwips.width());
    const float sideHeight = float(sideTwips.height());
    const float gap = float(SideWindowGapTwips);
    if (align == Align::Left)
        return QPointF(double(left - sideWidth - gap), double(top));
    if (align == Align::Centre)
        return QPointF(double(left + (width - sideWidth) / 2.0f),
                       double(top + (height - sideHeight) / 2.0f));
    return QPointF(double(left + width + gap), double(top));
}

QPointF placeSideWindowOnScreen(Align align, const QRectF &stripTwips, const QSizeF &sideTwips,
                                const QRectF &screenTwips) {
    const auto fits = [&](QPointF at) { return screenTwips.contains(QRectF(at, sideTwips)); };
    const QPointF chosen = placeSideWindow(align, stripTwips, sideTwips);
    if (screenTwips.isEmpty() || fits(chosen))
        return chosen;
    if (align != Align::Centre) {
        const QPointF other = placeSideWindow(align == Align::Left ? Align::Right : Align::Left,
                                              stripTwips, sideTwips);
        if (fits(other))
            return other;
    }
    // A screen smaller than the window shows at least its top-left corner,
    // where its title and close button are.
    return QPointF(
        std::max(screenTwips.left(), std::min(chosen.x(), screenTwips.right() - sideTwips.width())),
        std::max(screenTwips.top(),
                 std::min(chosen.y(), screenTwips.bottom() - sideTwips.height())));
}

int limitToDigits(int keyAscii) {
    if (keyAscii == 8)
        return keyAscii;
    if (keyAscii >= '0' && keyAscii <= '9')
        return keyAscii;
    return 0;
}

QString digitsOfFirstLine(const QString &text) {
    QString digits;
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n')
            break;
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    return digits;
}

} // namespace core
