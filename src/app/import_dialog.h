// The Index screen's "Import": the file chooser (with the clipboard), the
// checks of the source, the "Verify Import Format" dialog, the import and
// its messages.
#pragma once

#include <string>

#include "state/app_state.h"

namespace tovalia {

// True when something was imported (the list then shows where it went).
bool RunImportCommand(App& app);

// A file handed to the program (`tovalia FILE`, or opened from the file
// manager): its checks, the chapter it goes to when the Index screen shows a
// reserved view, then "Verify Import Format" and the import as above.
bool ImportOpenedFile(App& app, const std::string& path);

}  // namespace tovalia
