#pragma once

#include "mainwindow/MainWindowState.h"

#include <QPointF>
#include <functional>
#include <optional>

// The main window's own gestures as rules over plain values: the horizontal
// maximize toggle, the drag that moves or resizes the borderless strip, and
// the sizing cursor over its edges. Everything is in screen twips, single
// precision, as the window's rules are.

struct TwipsGeometry {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const TwipsGeometry &, const TwipsGeometry &) = default;
};

// The width the layout rule leaves the window with when it is asked for
// `width`, and what that does to the window: a window wider than the screen
// goes to the left edge 200 and lblWidth falls back to the base width.
// Height and top are not the layout rule's business here.
TwipsGeometry applyLayoutWidth(MainWindowState &state, TwipsGeometry window, float width,
                               int screenWidthTwips);

struct MaximizeToggle {
    MainWindowState state;
    TwipsGeometry geometry;
};

// The double-click on the window's surface: stretch the strip to the
// screen's width less 300 at the left edge 200, or give back the width and
// left edge it had. Top and height never change.
MaximizeToggle toggleMaximize(const MainWindowState &state, TwipsGeometry window,
                              int screenWidthTwips);

enum class PointerShape {
    Unchanged, // the window keeps the cursor it has
    Arrow,
    SizeWE,   // west-east
    SizeNS,   // north-south
    SizeNWSE, // north-west/south-east
    SizeNESW, // north-east/south-west
    Move,
};

// The cursor over the window's surface for a point X, Y (twips from the
// window's top-left corner) of a window W x H. The later rules override the
// earlier ones, so the sizing shapes show with the button up as well.
PointerShape hoverCursor(float X, float Y, float W, float H, float edgeX, float edgeY,
                         bool leftButtonHeld);

// One press of the left button on the window's surface, until its release.
// The press decides which edges are grabbed; each cursor position afterwards
// is one pass of the move or resize rules.
class DragSession {
public:
    // Carries out one geometry request on the window (the layout rule runs)
    // and answers the geometry the window has afterwards.
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
