#pragma once

#include <QRect>

// Units. Every place and size of the program's rules is in twips, fifteen to
// a pixel: the layout of every window is given in twips (a button at 1110,
// the text box 240 narrower than the strip), and the code keeps those numbers
// and the controls' layout names (btnSave, lblSave, Text1...) as they are
// given, so that a reader can hold the code against the layout. Pixels
// appear only where a window or a control is actually moved or sized; Qt's
// logical pixels make that right on high-DPI screens too.
namespace core {

constexpr int TwipsPerPixel = 15;

// Twips to whole pixels, halves to the even neighbour, held to the range a
// screen can take, as the window system places a window given in twips.
int px(double twips);
QRect pxRect(const QRect &twips);

// Twips as a whole number, held to the same range.
int wholeTwips(double twips);

// Pixels to twips.
constexpr QRect twipsRect(const QRect &px) {
    return QRect(px.x() * TwipsPerPixel, px.y() * TwipsPerPixel, px.width() * TwipsPerPixel,
                 px.height() * TwipsPerPixel);
}

} // namespace core
