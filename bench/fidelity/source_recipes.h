// Cutting a source file into the recipes its own markers announce, apart
// from the import's reading of it, so that what the import stored can be
// held against what the file holds.
#pragma once

#include <string>
#include <vector>

namespace tovalia::fidelity {

enum class SourceKind { kMealMaster, kMasterCookText, kNowYoureCooking, kMasterCookXml, kRecipeMl, kJsonLd, kOther };

struct SourceRecipe {
  std::string title;                 // as the source writes it
  int servings = 0;                  // the header's number, 0 when none
  std::vector<std::string> content;  // the lines that are not header or marker lines
  std::vector<std::string> all;      // every line from the start marker on, for reading by eye
};

// The kind of file by its folder in the corpus and its name.
SourceKind KindOfFile(const std::string& corpusName);

// The recipes of a text export (Meal-Master, MasterCook text, Now You're
// Cooking), cut at the format's start markers. `text` is CP1252.
std::vector<SourceRecipe> CutTextExport(SourceKind kind, const std::string& text);

// How many recipes a structured file announces: <RcpE elements, <recipe>
// elements, schema.org Recipe objects, or "<Recipe " elements.
int CountStructuredRecipes(SourceKind kind, const std::string& text);

}  // namespace tovalia::fidelity
