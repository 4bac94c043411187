// Splitting the collected body of one recipe into ingredient lines and
// direction lines, by the shape of the format that wrote it: Meal-Master's
// and MasterCook's ingredient columns, Now You're Cooking's first
// paragraph, and for the rest a scan for the last ingredient-like line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/imported_recipe.h"

namespace tovalia {

void SplitMealMasterBody(const std::vector<std::string>& lines, ImportedRecipe& recipe);
void SplitMasterCookBody(const std::vector<std::string>& lines, ImportedRecipe& recipe);
void SplitNowYoureCookingBody(const std::vector<std::string>& lines, ImportedRecipe& recipe);
void SplitBodyByScan(const std::vector<std::string>& lines, ImportedRecipe& recipe);
// The program's own export: the ingredients end at the first "." line, and
// lines are kept as written. A text record's lines are its text.
void SplitOwnTextBody(const std::vector<std::string>& lines, bool textRecord, ImportedRecipe& recipe);

// For a line that opens with a directions marker ("DIRECTIONS: Mix the
// flour", "Directions", "INSTRUCTIONS:", "-= INSTRUCTIONS =-", "."): the
// text after it, empty when there is none.
std::optional<std::string> AfterDirectionsMarker(std::string_view trimmed);

// The heading of a section line ("-----FILLING-----", "MMMMM---SAUCE---",
// "----VANILLA FROSTING---", "GLAZE-----"), upper-cased; nothing for any
// other line.
std::optional<std::string> HeadingText(std::string_view trimmed);

// Tabs as blanks up to the next multiple of eight columns, as the columns
// of an export were laid out.
std::string ExpandTabs(std::string_view line);

}  // namespace tovalia
