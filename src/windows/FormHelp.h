#pragma once

#include "windows/SideWindow.h"

namespace windows {

// "Ajuda": one row per button of the strip, its picture beside a line on
// what it does, and a warning about the configuration file. Opened only
// from the About window, in its place.
class FormHelp : public SideWindow {
    Q_OBJECT
public:
    explicit FormHelp(core::AppCore &core);
};

} // namespace windows
