// schema.org recipes in JSON-LD: in the <script type="application/ld+json">
// blocks of a saved web page, or a bare JSON-LD document. A Recipe object
// is found wherever it stands (top level, an array, "@graph", nested); its
// name, recipeYield, recipeIngredient, recipeInstructions (text, steps,
// sections) and recipeCategory are read.
#pragma once

#include <string_view>
#include <vector>

#include "interchange/imported_recipe.h"

namespace tovalia {

// `page` and `document` are CP1252 text.
std::vector<ImportedRecipe> ReadJsonLdInPage(std::string_view page);
std::vector<ImportedRecipe> ReadJsonLd(std::string_view document);

}  // namespace tovalia
