// Writing an imported recipe into the record buffers by the line rules,
// and storing it.
#pragma once

#include "db/database.h"
#include "interchange/import_lines.h"
#include "interchange/imported_recipe.h"

namespace tovalia {

// Shapes the recipe into the current record (title cleaned, servings,
// ingredient lines parsed and rebuilt, direction lines joined into
// paragraphs and steps, photo) and stores it in the chapter the options and
// its categories choose. The tally counts it, or names it when it could not
// be stored or its text was cut at the size limit.
void WriteImportedRecipe(Database& db, const ImportedRecipe& recipe, const ImportOptions& options,
                         const TitlePrompt& askForTitle, ImportResult& result);

// Stores the current record in the chapter the options and categories
// choose, tallies it (or names it when it could not be stored or was cut
// short) and clears the record. The chapter, or -1 when not stored.
int32_t StoreAndTally(Database& db, const std::string& categories, const ImportOptions& options,
                      const std::string& title, bool whole, ImportResult& result);

// An empty ingredient line: the ingredients text ends in an empty line,
// unless it is shorter than three characters. False when it did not fit.
bool EndIngredientGroup(Database& db);

// A break that nothing follows is no part of the text: the ingredients end
// with their last line's end, the directions with their last word.
void DropTrailingBreaks(Database& db);

// Does the part of WriteImportedRecipe's shaping that depends on the recipe alone (the
// title cleaned without asking, each ingredient line parsed and rebuilt,
// each direction line cleaned), so that it can be done on another thread.
void PrepareImportedRecipe(ImportedRecipe& recipe);

// Whether a direction line opens a numbered step: "1.", "2)", "Step 3".
bool OpensStep(std::string_view line);

}  // namespace tovalia
