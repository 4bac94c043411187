// The automatic import of one source: a structured export (a web page's
// schema.org recipes, MasterCook XML, RecipeML) is read by its reader, any
// other text by the pass over its marker lines; every recipe found is
// stored.
#pragma once

#include <string>

#include "db/database.h"
#include "interchange/import_lines.h"
#include "interchange/imported_recipe.h"

namespace tovalia {

struct AutomaticImport {
  ImportResult result;
  bool unreadable = false;  // the source could not be read at all
  bool webPage = false;     // an HTML page: read for its recipe data only
};

// Imports every recipe the source file holds into the chapters the options
// choose. The index is not sorted here; the caller sorts when something was
// stored. Stops early when the user asks.
AutomaticImport ImportAutomatically(Database& db, const std::string& sourcePath, const ImportOptions& options,
                                    const TitlePrompt& askForTitle);

// Stores the whole source (up to 999 lines) as one text record titled with
// the file's name. `truncated` tells whether the 999 lines were reached; a
// text cut at the size limit is named in the result's cutShort.
ImportResult ImportAsInformationRecord(Database& db, const std::string& sourcePath,
                                       const ImportOptions& options, bool& truncated);

}  // namespace tovalia
