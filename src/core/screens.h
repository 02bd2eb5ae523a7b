#pragma once

#include <QList>
#include <QRect>

namespace core {

// How much of a window a screen must show for the user to grab it, in pixels.
constexpr int GrabbablePixels = 24;

// Where a window goes so that a screen shows it (pixels). A window that any
// screen shows enough of to grab stays exactly where it is; one that no
// screen shows (a monitor unplugged, a place from a broken config.txt) is
// brought inside the nearest screen's area.
QRect reachablePlace(const QRect &window, const QList<QRect> &screens);

} // namespace core
