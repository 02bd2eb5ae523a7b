#pragma once

#include <QColor>

// The colours of every window of the program, the same whatever the
// desktop's theme: a light ground, grey borders and rules, dark grey labels
// and a red notice, so that the strip reads alike on every desktop.
namespace look {

inline const QColor Background(248, 248, 248);
inline const QColor ActiveBorder(180, 180, 180);
inline const QColor GrayText(109, 109, 109);
inline const QColor AppWorkspace(171, 171, 171);
inline const QColor Label(64, 64, 64);
inline const QColor Rule(128, 128, 128);
inline const QColor Notice(192, 0, 0);

} // namespace look
