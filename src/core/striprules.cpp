#include "core/striprules.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace core {

TextBoxFit autoResizeHeight(int lines, double minHeightPx, double maxHeightPx, int lineTwips) {
    minHeightPx = clampPixels(minHeightPx);
    maxHeightPx = clampPixels(maxHeightPx);
    const int n = lines + 1;
    int h = 300 * n;
    if (n >= 2)
        h = lineTwips > DrawnLineTwips ? lineTwips * n : h - 54 * n;
    if (minHeightPx * TwipsPerPixel >= h)
        return {int(roundHalfEven(minHeightPx * TwipsPerPixel)), ScrollBarChange::Unchanged};
    if (maxHeightPx * TwipsPerPixel > h)
        return {h, ScrollBarChange::Hide};
    return {int(roundHalfEven(maxHeightPx * TwipsPerPixel)), ScrollBarChange::Show};
}

int autoResizeLineLimit(double minHeightPx, double maxHeightPx, int lineTwips) {
    // From n = lines + 1 = ceil(T / line) + 1 on, line n exceeds the taller
    // of the two heights T, and every longer text gets the same answer.
    const double tallest =
        std::max({clampPixels(minHeightPx), clampPixels(maxHeightPx), 0.0}) * TwipsPerPixel;
    return int(std::min(std::ceil(tallest / std::max(lineTwips, DrawnLineTwips)), 1e9)) + 1;
}

WidthFit fitWidth(int width, int baseWidth, int screenWidth) {
    WidthFit fit{width, false};
    // The rule re-enters itself through the resize its own change raises; a
    // few rounds always settle (on any screen wider than the base width).
    for (int round = 0; round < 4; ++round) {
        int w = std::max(fit.width, baseWidth);
        if (w > screenWidth) {
            w = screenWidth - 300;
            fit.movedToScreen = true;
        }
        if (w == fit.width)
            break;
        fit.width = w;
    }
    return fit;
}

MainLayout layoutMain(int W, int H) {
    MainLayout l;
    l.outline = QRect(0, 0, W, H);
    l.textBox = QRect(120, 635, W - 240, 0);
    l.topRule = QRect(120, 570, W - 240, 30);
    l.topBand = QRect(120, 570, W - 240, 120);
    l.bottomRule = QRect(120, H - 640, W - 240, 30);
    l.toolbar = QRect(120, H - 425, 2355, 375);
    l.cornerPicture = QRect(W - 1875, H - 340, 1875, 330);
    l.collapseButton = QRect(W / 2 - 225, 205, 450, 330);
    return l;
}

int alphaFor(double percent) {
    return int(roundHalfEven(percent / 100.0 * 255.0));
}

bool pointerOverWindow(QPoint p, QRect w) {
    const double x = p.x(), y = p.y();
    const double t = TwipsPerPixel;
    return w.left() / t <= x && x <= (w.left() + w.width()) / t && w.top() / t <= y &&
           y <= (w.top() + w.height()) / t;
}

} // namespace core
