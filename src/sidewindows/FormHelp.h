#pragma once

#include "sidewindows/FormAbout.h"
#include "sidewindows/SideWindow.h"

#include <array>

// "Ajuda": one row per button of the main window, its picture beside a line
// on what it does, and a warning about the configuration file. Opened only
// from the About window.
class FormHelp : public SideWindow {
    Q_OBJECT
public:
    explicit FormHelp(FormMain &main);

    QLabel *Label3; // the title, the frame's title label
    // The copies of the main window's button pictures, top to bottom:
    // btnIdent, btnSave, btnList, btnConfig, the always-on-top button when
    // off (imgTopNao), btnPosicao, btnAbout. They do nothing when clicked.
    std::array<platform::PictureButton *, 7> pictures;
    // The text beside btnSave's picture.
    ClickLabel *Label1;
    // The texts beside the other pictures (0 to 5) and the warning (6).
    std::array<ClickLabel *, 7> lblSobre;
};
