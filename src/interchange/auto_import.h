// The automatic import: one pass over a text recognises other programs'
// exports by their marker lines, cuts the text into recipes, reads each
// one's title, categories, servings and photo, and splits its body into
// ingredients and directions before storing it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "db/database.h"
#include "interchange/import_lines.h"

namespace tovalia {

// Which program wrote the recipe being read, by its start marker.
enum class ImportFormat {
  kNone = 0,
  kOwnText = 2,
  kMealMaster = 3,
  kMasterCook = 4,
  kBigOven = 5,
  kRecipeBegins = 6,
  kStarBanner = 7,
  kNowYoureCooking = 8,
  kXml = 9,
  kCookbookWizard = 10,
  kRpw = 11,
  kTildeCoded = 12,
};

struct ImportResult {
  int32_t stored = 0;        // recipes and text records stored
  int32_t lastChapter = -1;  // the chapter that received the last one
  std::map<int32_t, int32_t> perChapter;  // chapter number -> records stored there
};

// Imports every recipe the source file holds into the chapters the options
// choose. The index is not sorted here; the caller sorts when something was
// stored. Stops early when the user asks (a typed space).
ImportResult ImportAutomatically(Database& db, const std::string& sourcePath, const ImportOptions& options,
                                 const TitlePrompt& askForTitle);

// Stores the whole source (up to 999 lines) as one text record titled with
// the file's name. `truncated` tells whether the 999 lines were reached.
ImportResult ImportAsInformationRecord(Database& db, const std::string& sourcePath,
                                       const ImportOptions& options, bool& truncated);

}  // namespace tovalia
