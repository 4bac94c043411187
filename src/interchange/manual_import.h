// Manual import apart from its screen: the source shown line by line, the
// segments the user marks in it (title, yield, ingredients, directions),
// and the recipe saved from them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"
#include "interchange/import_lines.h"
#include "interchange/imported_recipe.h"

namespace tovalia {

inline constexpr size_t kManualImportMostLines = 4000;
inline constexpr size_t kManualImportLineWidth = 80;

// The lines of a decoded source as manual import shows them: entities and
// a few UTF-8 forms decoded, tabs as blanks, a line of more than 80
// characters cut at its last blank within them (hard at 80 when there is
// none) and continued on the next line, at most 4000 lines.
std::vector<std::string> ManualImportLines(std::string_view text);
// Reads the source file; false when it cannot be read.
bool ReadManualImportLines(const std::string& path, std::vector<std::string>& lines);

// Lines first to last, both included; -1 when not defined.
struct LineRange {
  int32_t first = -1;
  int32_t last = -1;
  bool Defined() const { return first >= 0; }
  bool Holds(int32_t line) const { return Defined() && line >= first && line <= last; }
};

enum class ManualSegment { kTitle, kYield, kIngredients, kDirections };

struct ManualSegments {
  LineRange title;
  LineRange yield;
  LineRange ingredients;
  LineRange directions;
  LineRange selection;  // the highlighted lines

  LineRange& Of(ManualSegment segment);
  const LineRange& Of(ManualSegment segment) const;
};

// Highlights the lines between two line numbers, in either order.
void Highlight(ManualSegments& segments, int32_t from, int32_t to);

// Makes the highlighted lines the segment (the title and the yield take
// the first of them only) and clears the highlight. False, with nothing
// changed, when nothing is highlighted.
bool AssignSegment(ManualSegments& segments, ManualSegment segment);

// Why the marked recipe cannot be saved yet, or an empty text.
std::string MissingSegmentMessage(const ManualSegments& segments);

// Whether title, ingredients and directions are all marked (a recipe that
// "Done" offers to save).
bool RecipeIsMarked(const ManualSegments& segments);

// Builds the recipe from the marked lines and stores it in the chapter the
// options choose (servings 4 unless the yield line gives a number above 0).
// Then every segment and the highlight are cleared. The tally counts the
// recipe, or names it when it could not be stored. False when the segments
// are incomplete or the recipe could not be stored; the segments stay then.
bool SaveManualRecipe(Database& db, const std::vector<std::string>& lines, ManualSegments& segments,
                      const ImportOptions& options, const TitlePrompt& askForTitle, ImportResult& result);

}  // namespace tovalia
