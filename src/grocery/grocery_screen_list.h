// The Grocery screen's commands on the shopping list as a whole: starting
// a new list, printing it and exporting it to a file.
#pragma once

#include "state/app_state.h"

namespace tovalia {

void NewListCommand(App& app);
void PrintListCommand(App& app);
void ExportListCommand(App& app);

}  // namespace tovalia
