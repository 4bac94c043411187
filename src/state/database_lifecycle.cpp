#include "state/database_lifecycle.h"

#include "db/data_file.h"
#include "db/recipe_lists.h"
#include "db/title_index.h"

namespace tovalia {

StartupReport BringDatabaseUp(Database& db, Settings& settings) {
  for (const std::string* path :
       {&db.paths.groceryFile, &db.paths.eventFile, &db.paths.setupFile, &db.paths.recipeFile,
        &db.paths.indexFile, &db.paths.backupFile, &db.paths.spellFile})
    ClearReadOnly(*path);

  StartupReport report;
  db.wastedBytes = GetNumberSetting(settings, setting::kWastedBytes);
  if (FileExists(db.paths.indexFile)) {
    LoadIndex(db);
    report.indexLoaded = ValidateIndex(db);
    report.indexRebuilt = !report.indexLoaded;
  } else {
    ScanRecords(db);
    report.indexRebuilt = true;
  }
  report.header = CheckFileHeader(db);

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
