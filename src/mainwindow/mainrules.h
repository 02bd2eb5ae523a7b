#pragma once

#include <QPoint>
#include <QRect>

// Twips are the unit of every rule; pixels appear only where a window is moved.
constexpr int TwipsPerPixel = 15;

// Twips to whole pixels, halves to the even neighbour, as the window system
// places a window given in twips.
int px(double twips);

// Twips as a whole number, held to the range a screen can take.
int wholeTwips(double twips);
QRect pxRect(const QRect &twips);

enum class ScrollBarChange { Unchanged, Hide, Show };

struct TextBoxFit {
    int height; // twips
    ScrollBarChange scrollBar;
};

// The text box's height for its displayed line count: 246 twips a line plus a
// spare line, between the minimum and maximum heights (pixels); at the maximum
// the box scrolls.
TextBoxFit autoResizeHeight(int lines, double txtMinPx, double txtMaxPx);

// A line count from which autoResizeHeight no longer changes: the box is at
// its maximum and scrolls.
int autoResizeLineLimit(double txtMinPx, double txtMaxPx);

// The main window's height for a text box of the given height.
constexpr int windowHeightFor(int textHeight) {
    return textHeight + 1270;
}

struct WidthFit {
    int width;          // twips
    bool movedToScreen; // the window was wider than the screen: left edge 200,
                        // and lblWidth falls back to the base width
};

// The first two steps of the layout rule: never below the base width, never
// wider than the screen.
WidthFit fitWidth(int width, int baseWidth, int screenWidth);

// Where the layout rule puts the controls, for window width W and height H.
struct MainLayout {
    QRect text1;      // height left to AutoResize
    QRect frame1;     // the toolbar
    QRect linhaFundo; // rule under the text box
    QRect linhaTopo;  // rule over the text box
    QRect linhaTopo2; // white band over the text box
    QRect btnUpDown;
    QRect imgDirBottom;
    QRect shape1; // the outline
};
MainLayout layoutMain(int W, int H);

// Alpha byte for an opacity in percent, halves to the even neighbour: 90 -> 230.
int alphaFor(double percent);

// The transparency timer's hit test, in pixels, both ends inclusive: the
// column just right of the window and the row just below it count as over it.
bool pointerOverWindow(QPoint cursorPx, QRect windowTwips);
