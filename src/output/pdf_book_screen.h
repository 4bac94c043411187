// "Save PDF Book": the size and title prompt, the screen where the user
// ticks chapters and recipes, the file choice, and the build.
#pragma once

#include "state/app_state.h"

namespace tovalia {

void SavePdfBook(App& app);

}  // namespace tovalia
