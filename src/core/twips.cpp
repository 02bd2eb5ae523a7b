#include "core/twips.h"

#include "core/numbers.h"

namespace core {

int px(double twips) {
    return int(roundHalfEven(clampPixels(twips / TwipsPerPixel)));
}

int wholeTwips(double twips) {
    return int(roundHalfEven(clampPixels(twips / TwipsPerPixel) * TwipsPerPixel));
}

QRect pxRect(const QRect &t) {
    return QRect(px(t.x()), px(t.y()), px(t.width()), px(t.height()));
}

} // namespace core
