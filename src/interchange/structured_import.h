// Sources that are structured data rather than text lines: a saved web page
// or a JSON-LD file with schema.org recipes, a MasterCook XML (.mx2) file,
// a RecipeML file. Each has its reader; they hand over the same imported
// recipes as the text pass.
#pragma once

#include <string_view>
#include <vector>

#include "interchange/imported_recipe.h"

namespace tovalia {

enum class StructuredKind {
  kNone,           // text for the pass over marker lines
  kWebPage,        // HTML: only its JSON-LD blocks are read
  kJsonLd,         // a bare JSON-LD document
  kMasterCookXml,  // <mx2> with <RcpE> recipes
  kRecipeMl,       // <recipeml> with <recipe> elements
};

// By the first markup of the text (CP1252).
StructuredKind DetectStructuredKind(std::string_view text);

std::vector<ImportedRecipe> ReadStructuredRecipes(StructuredKind kind, std::string_view text);

}  // namespace tovalia
