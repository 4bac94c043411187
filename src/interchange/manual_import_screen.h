// The manual import screen: the source shown line by line, where the user
// highlights lines, declares them the title, yield, ingredients or
// directions of a recipe, and saves it; as many recipes as the text holds.
#pragma once

#include <string>

#include "interchange/import_lines.h"
#include "interchange/imported_recipe.h"
#include "state/app_state.h"

namespace tovalia {

// Runs the screen over the source file until "Done"; returns the tally of
// the recipes saved (the index is left for the caller to sort).
ImportResult ManualImport(App& app, const std::string& sourcePath, const ImportOptions& options,
                          const TitlePrompt& askForTitle);

}  // namespace tovalia
