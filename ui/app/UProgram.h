// The program's start after its command line: the application, the data set
// store, the main window and the exit dialog, then the event loop, with the
// file named on the command line opened in it. No settings.
#pragma once

#include "UCommandLine.h"

#include <functional>

class TMainForm;

// `mainFormShown` runs once the main window has been asked to show, just
// before the event loop; the start-up benchmark watches the window through it.
int RunProgram(int& argc, char** argv, const TCommandLine& commandLine,
               const std::function<void(TMainForm&)>& mainFormShown = {});
