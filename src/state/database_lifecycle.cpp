#include "state/database_lifecycle.h"

#include <algorithm>

#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/maintenance.h"
#include "db/title_index.h"

namespace tovalia {

namespace {

// Loads what a reader may use as it stands; anything that needs rewriting
// is left to a writer.
StartupReport BringUpForReading(Database& db) {
  StartupReport report;
  if (FileExists(db.paths.recipeFile) || FileExists(db.paths.indexFile)) {
    report.needsWriter = true;
    if (!FileExists(db.paths.indexFile)) return report;
    LoadIndex(db);
    if (!IndexAgreesWithFile(db) || !FileHeaderIsCurrent(db)) return report;
    report.needsWriter = false;
    report.indexLoaded = true;
    report.header = HeaderCheckOutcome::kHeaderCurrent;
  } else {
    LoadIndex(db);  // no files yet: an empty collection
  }
  return report;
}

}  // namespace

StartupReport BringDatabaseUp(Database& db, Settings& settings, FolderAccess access) {
  StartupReport report;
  // A damaged settings file must not make the counter negative: compaction
  // would then never come due.
  db.wastedBytes = std::max(0, GetNumberSetting(settings, setting::kWastedBytes));
  if (access == FolderAccess::kRead) {
    report = BringUpForReading(db);
    if (report.needsWriter) return report;
  } else {
    for (const std::string* path :
         {&db.paths.groceryFile, &db.paths.eventFile, &db.paths.setupFile, &db.paths.recipeFile,
          &db.paths.indexFile, &db.paths.backupFile, &db.paths.spellFile})
      ClearReadOnly(*path);
    if (FileExists(db.paths.indexFile)) {
      LoadIndex(db);
      report.indexLoaded = ValidateIndex(db);
      report.indexRebuilt = !report.indexLoaded;
    } else {
      ScanRecords(db);
      report.indexRebuilt = true;
    }
    report.header = CheckFileHeader(db);
  }

  db.currentChapterRow = 0;
  db.firstVisibleChapterRow = 0;
  db.listPosition = 0;
  BuildRecipeList(db, kAllRecipes);
  if (!db.selectionFlags.empty()) db.selectionFlags[0] = 1;
  db.indexChanged = false;
  return report;
}

ShutdownReport ShutDatabaseDown(Database& db, Settings& settings) {
  ShutdownReport report;
  if (db.wastedBytes > kCompactionThreshold) report.compacted = CompactDatabase(db);
  PutNumberSetting(settings, setting::kWastedBytes, db.wastedBytes);
  return report;
}

}  // namespace tovalia
