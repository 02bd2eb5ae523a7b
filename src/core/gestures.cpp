#include "core/gestures.h"

#include "core/striprules.h"

namespace core {

TwipsGeometry applyLayoutWidth(MaximizeState &state, TwipsGeometry window, float width,
                               int screenWidthTwips) {
    const WidthFit fit = fitWidth(wholeTwips(width), int(BaseWidthTwips), screenWidthTwips);
    window.width = float(fit.width);
    if (fit.movedToScreen) {
        window.left = 200;
        state.restoreWidth = BaseWidthTwips;
    }
    return window;
}

MaximizeToggle toggleMaximize(const MaximizeState &state, TwipsGeometry window,
                              int screenWidthTwips, std::optional<float> savedLeft) {
    MaximizeToggle r{state, window};
    MaximizeState &s = r.state;
    TwipsGeometry &g = r.geometry;
    const float S = float(screenWidthTwips - 300);

    if (!s.maximized) {
        s.restoreLeft = g.left;
        s.restoreWidth = g.width;
        g = applyLayoutWidth(s, g, S, screenWidthTwips);
        if (g.width == S)
            g.left = 200;
        else if (savedLeft)
            // The base width did not fit: the left edge of the last position save.
            g.left = *savedLeft;
        // Before the first position save there is no such edge; the strip
        // then stays where it is rather than jumping to the screen's edge.
        s.maximized = true;
    } else {
        if (s.restoreWidth != S) {
            g = applyLayoutWidth(s, g, s.restoreWidth, screenWidthTwips);
            s.restoreWidth = g.width;
            g.left = s.restoreLeft;
        } else {
            // It was already as wide as the screen allows: the base width.
            g = applyLayoutWidth(s, g, BaseWidthTwips, screenWidthTwips);
            s.restoreWidth = g.width;
            g.left = 200;
        }
        s.maximized = false;
    }
    return r;
}

PointerShape hoverCursor(float X, float Y, float W, float H, float edgeX, float edgeY,
                         bool leftButtonHeld) {
    PointerShape shape = PointerShape::Unchanged;
    if (!leftButtonHeld)
        shape = PointerShape::Arrow;
    if (X < edgeX || X > W - edgeX)
        shape = PointerShape::SizeWE;
    if (Y < edgeY || Y > H - edgeY)
        shape = PointerShape::SizeNS;
    if ((Y < edgeY && X < edgeX) || (Y > H - edgeY && X > W - edgeX))
        shape = PointerShape::SizeNWSE;
    if ((Y > H - edgeY && X < edgeX) || (Y < edgeY && X > W - edgeX))
        shape = PointerShape::SizeNESW;
    return shape;
}

DragSession::DragSession(QPointF cursor, TwipsGeometry window, float edgeX, float edgeY)
    : X(float(cursor.x()) - window.left), Y(float(cursor.y()) - window.top),
      L(X < edgeX ? window.width : 0), T(Y < edgeY ? window.height : 0),
      R(X > window.width - edgeX), B(Y > window.height - edgeY), sx(float(cursor.x())),
      sy(float(cursor.y())), m_pressWindow(window), m_edgeX(edgeX), m_edgeY(edgeY) {}

std::optional<QPointF> DragSession::snapPoint() const {
    const TwipsGeometry &w = m_pressWindow;
    std::optional<QPointF> p;
    if (L != 0)
        p = QPointF(w.left, w.top + Y);
    if (T != 0)
        p = QPointF(w.left + X, w.top);
    if (R)
        p = QPointF(w.left + w.width, w.top + Y);
    if (B)
        p = QPointF(w.left + X, w.top + w.height);
    return p;
}

void DragSession::setStart(QPointF cursor) {
    sx = float(cursor.x());
    sy = float(cursor.y());
}

TwipsGeometry DragSession::pass(QPointF cursor, TwipsGeometry window, const Apply &apply) const {
    const float cx = float(cursor.x()), cy = float(cursor.y());
    TwipsGeometry g = window;
    if (!resizing())
        // The press point stays under the cursor; the size is the window's own.
        return apply({cx - X, cy - Y, g.width, g.height});

    if (L != 0) {
        const float width = L + sx - cx;
        if (width > 2 * m_edgeX)
            g = apply({cx, g.top, width, g.height});
    }
    if (T != 0) {
        const float height = T + sy - cy;
        if (height > 2 * m_edgeY)
            g = apply({g.left, cy, g.width, height});
    }
    if (R && cx - g.left > 2 * m_edgeX)
        g = apply({g.left, g.top, cx - g.left, g.height});
    if (B && cy - g.top > 2 * m_edgeY)
        g = apply({g.left, g.top, g.width, cy - g.top});
    return g;
}

} // namespace core
