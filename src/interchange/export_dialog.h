// The window's "Export": which recipes, the "Select Export Format" list with
// the destination buttons, the file name, and the hand-over to a file, the
// clipboard or a new e-mail, with every message on the way.
#pragma once

#include "state/app_state.h"

namespace tovalia {

enum class ExportFrom {
  kIndexScreen,   // the ticked recipes of the current list
  kRecipeScreen,  // the recipe on screen
};

void RunExportCommand(App& app, ExportFrom from);

// The name a typed file name is saved under: as typed, with ".txt" added
// when it holds no "." at all.
std::string ExportFileName(const std::string& typed);

}  // namespace tovalia
