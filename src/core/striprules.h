#pragma once

#include "core/twips.h"

#include <QPoint>
#include <QRect>

// The strip's own rules: how tall its text box is for its lines, how wide it
// may be, where its controls stand, how translucent it is. Twips throughout.
namespace core {

enum class ScrollBarChange { Unchanged, Hide, Show };

struct TextBoxFit {
    int height; // twips
    ScrollBarChange scrollBar;
};

// The line height, in twips, that the text box's height rule counts on; a
// font with taller lines is counted at its own height.
constexpr int DrawnLineTwips = 246;

// The text box's height for its displayed line count: a line's height for
// every line plus a spare one, between the minimum and maximum heights
// (pixels); at the maximum the box scrolls. Lines are 246 twips apart where
// the font allows; a taller font's lines get their own height, so that
// below the maximum every line shows.
TextBoxFit autoResizeHeight(int lines, double minHeightPx, double maxHeightPx,
                            int lineTwips = DrawnLineTwips);

// A line count from which autoResizeHeight no longer changes: the box is at
// its maximum and scrolls.
int autoResizeLineLimit(double minHeightPx, double maxHeightPx, int lineTwips = DrawnLineTwips);

// The strip's height for a text box of the given height.
// What the toolbar, the collapse button and the band along the top add.
constexpr int StripChromeTwips = 1270;
constexpr int windowHeightFor(int textHeight) {
    return textHeight + StripChromeTwips;
}

struct WidthFit {
    int width;          // twips
    bool movedToScreen; // the window was wider than the screen: left edge 200,
                        // and the width falls back to the base width
};

// The first two steps of the layout rule: never below the base width, never
// wider than the screen.
WidthFit fitWidth(int width, int baseWidth, int screenWidth);

// Where the layout rule puts the controls, for window width W and height H.
struct MainLayout {
    QRect textBox;    // height left to AutoResize
    QRect toolbar;    // the toolbar
    QRect bottomRule; // rule under the text box
    QRect topRule;    // rule over the text box
    QRect topBand;    // white band over the text box
    QRect collapseButton;
    QRect cornerPicture;
    QRect outline; // the outline
};
MainLayout layoutMain(int W, int H);

// Alpha byte for an opacity in percent, halves to the even neighbour: 90 -> 230.
int alphaFor(double percent);

// The transparency timer's hit test, in pixels, both ends inclusive: the
// column just right of the window and the row just below it count as over it.
bool pointerOverWindow(QPoint cursorPx, QRect windowTwips);

} // namespace core
