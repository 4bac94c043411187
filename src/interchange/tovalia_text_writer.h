// The program's own text export, which its import reads back whole: the
// chapter line, title, ingredients, a "." line, the directions, the photo
// in Base64 (when asked for), the servings and the banner.
#pragma once

#include <string>

#include "interchange/export_recipe.h"

namespace tovalia {

void WriteTovaliaText(const ExportRecipe& recipe, bool withPhoto, std::string& out);

}  // namespace tovalia
