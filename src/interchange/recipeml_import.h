// RecipeML: <recipe> elements with a <head> (<title>, <categories><cat>,
// <yield>), <ingredients> of <ing> (<amt><qty>|<range><q1><q2></amt>,
// <unit>, <item>, <prep>) perhaps in <ing-div> groups with a <title>, and
// <directions> as <step>s or plain text.
#pragma once

#include <string_view>
#include <vector>

#include "interchange/imported_recipe.h"

namespace tovalia {

std::vector<ImportedRecipe> ReadRecipeMl(std::string_view text);

}  // namespace tovalia
