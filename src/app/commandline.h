#pragma once

#include "app/SingleInstance.h"

#include <optional>

// The command line and Qt's own language, around the creation of QApplication.
namespace app {

// Answers --help and --version, and checks that a window can be shown at all:
// all before QApplication exists, since QApplication needs a display and
// aborts without one. Returns the exit status when the program is done.
std::optional<int> handleCommandLine(int argc, char *argv[]);

// Once QApplication has taken Qt's own options (-platform, -style,
// -session...) from the command line, whatever is left is a mistake,
// reported in one line with status 1.
std::optional<int> rejectLeftoverArguments();

// What the launch asks of the running copy: --alternar toggles the strip;
// no option, or --mostrar, shows it. Where no copy runs, either starts one.
SingleInstance::Request launchRequest();

// The data folder (config.txt, textos/, recuperados/): the one --pasta names,
// made when missing, or the system's place for it. Nothing when the folder
// named can be no folder of texts, said in one line on standard error.
std::optional<QString> dataFolder();

// Qt's own texts (the text box's context menu, standard dialogs, this
// command line's messages) in Portuguese, from the translation Qt ships
// (Debian: qt6-translations-l10n). Needs the application object; false when
// the translation is missing, and Qt's English stays.
bool installQtTranslation();

} // namespace app
