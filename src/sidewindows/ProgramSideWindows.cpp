#include "startup/Program.h"

// Side windows come with their own code; until then the toolbar opens nothing.
void Program::discardSideWindow(Side) {}
void Program::openSaveWindow() {}
void Program::openListWindow() {}
void Program::openConfigWindow() {}
void Program::openAboutWindow() {}
