#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Why Qt could not open a window for this program, as the end of one line for
// the user; empty when it can, or when the platform Qt will load is none that
// this check knows (offscreen, minimal, Windows...). Looked at before
// QApplication exists, since Qt aborts when its platform finds no display.
// `arguments` is the command line, for Qt's -platform and -display.
// An X display that answers stays connected until the next QApplication has
// connected too: an X server resets when its last client leaves.
QString displayProblem(const QStringList &arguments);

} // namespace platform
