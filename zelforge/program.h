#pragma once
#include <string>

#include "platform/ui/dialogs.h"

class Gra;

namespace zelforge {

// The program entry of the authoring tool, after the application object
// exists: creates the authoring window (which binds the library from
// libraryFolder), then the settings dialog, which runs modally at once; runs
// the message loop only when the settings were accepted. Any exception during
// start-up is shown as the exception report and ends the program. Returns 0.
int RunZelforge(platform::Dialogs &dialogs, Gra &gra, const std::string &libraryFolder);

}  // namespace zelforge
