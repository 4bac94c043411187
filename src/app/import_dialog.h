// The Index screen's "Import": the file chooser (with the clipboard), the
// checks of the source, the "Verify Import Format" dialog, the import and
// its messages.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// True when something was imported (the list then shows where it went).
bool RunImportCommand(App& app);

}  // namespace tovalia
