#pragma once

#include <QPointF>
#include <functional>
#include <optional>

// The strip's own gestures as rules over plain values: the horizontal
// maximize toggle, the drag that moves or resizes the borderless strip, and
// the sizing cursor over its edges. Everything is in screen twips, single
// precision, as the strip's rules are.
namespace core {

struct TwipsGeometry {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const TwipsGeometry &, const TwipsGeometry &) = default;
};

// The narrowest the strip may be: 294 pixels.
constexpr float BaseWidthTwips = 4410;

// The horizontal maximize toggle's memory.
struct MaximizeState {
    bool maximized = false;
    float restoreWidth = 0;  // the width to give back
    float restoreLeft = 300; // the left edge to give back
};

// The width the layout rule leaves the strip with when it is asked for
// `width`: never below the base width; a strip wider than the screen goes to
// the left edge 200 at the screen's width less 300, and the width to give
// back after a maximize falls back to the base width.
TwipsGeometry applyLayoutWidth(MaximizeState &state, TwipsGeometry window, float width,
                               int screenWidthTwips);

struct MaximizeToggle {
    MaximizeState state;
    TwipsGeometry geometry;
};

// The double-click on the strip's surface: stretch it to the screen's width
// less 300 at the left edge 200, or give back the width and left edge it
// had. Where the base width does not fit, the left edge of the last position
// save is used when there is one. Top and height never change.
MaximizeToggle toggleMaximize(const MaximizeState &state, TwipsGeometry window,
                              int screenWidthTwips, std::optional<float> savedLeft);

enum class PointerShape {
    Unchanged, // the window keeps the cursor it has
    Arrow,
    SizeWE,   // west-east
    SizeNS,   // north-south
    SizeNWSE, // north-west/south-east
    SizeNESW, // north-east/south-west
    Move,
};

// The cursor over the strip's surface for a point X, Y (twips from its
// top-left corner) of a strip W x H. The later rules override the earlier
// ones, so the sizing shapes show with the button up as well.
PointerShape hoverCursor(float X, float Y, float W, float H, float edgeX, float edgeY,
                         bool leftButtonHeld);

// One press of the left button on the strip's surface, until its release.
// The press decides which edges are grabbed; each cursor position afterwards
// is one pass of the move or resize rules.
class DragSession {
public:
    // Carries out one geometry request on the window (the layout rule runs
    // when the size changes) and answers the geometry it has afterwards.
    using Apply = std::function<TwipsGeometry(const TwipsGeometry &request)>;

    DragSession(QPointF cursor, TwipsGeometry window, float edgeX, float edgeY);

    // Where the cursor goes so that it sits on the grabbed edges; for a
    // corner the later edge decides. Nothing when no edge is grabbed.
    std::optional<QPointF> snapPoint() const;

    // The cursor as read after the snap: the origin of every resize.
    void setStart(QPointF cursor);

    bool resizing() const { return L != 0 || T != 0 || R || B; }

    // One pass with the cursor at `cursor`; `window` is the geometry before
    // it. Each rule that applies is requested through `apply` in turn and
    // sees what the previous one left. Answers the geometry after the pass.
    TwipsGeometry pass(QPointF cursor, TwipsGeometry window, const Apply &apply) const;

    // The press point relative to the window's top-left corner.
    float X, Y;
    // Width (height) at the press when the left (top) edge is grabbed, else 0.
    float L, T;
    // The right (bottom) edge is grabbed.
    bool R, B;
    // The cursor after the snap.
    float sx, sy;

private:
    TwipsGeometry m_pressWindow;
    float m_edgeX, m_edgeY;
};

} // namespace core
