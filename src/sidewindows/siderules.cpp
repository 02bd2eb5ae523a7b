#include "sidewindows/siderules.h"

QPointF placeSideWindow(double align, const QRectF &mainTwips, const QSizeF &sideTwips) {
    const float left = float(mainTwips.left());
    const float top = float(mainTwips.top());
    const float width = float(mainTwips.width());
    const float height = float(mainTwips.height());
    const float sideWidth = float(sideTwips.width());
    const float sideHeight = float(sideTwips.height());
    const float gap = float(SideWindowGapTwips);
    if (align == 1)
        return QPointF(double(left - sideWidth - gap), double(top));
    if (align == 2)
        return QPointF(double(left + (width - sideWidth) / 2.0f),
                       double(top + (height - sideHeight) / 2.0f));
    return QPointF(double(left + width + gap), double(top));
}

int LimitaValor(int keyAscii) {
    if (keyAscii == 8)
        return keyAscii;
    if (keyAscii >= '0' && keyAscii <= '9')
        return keyAscii;
    return 0;
}
