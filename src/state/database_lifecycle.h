// Bringing the recipe database up at start-up and down at shut-down, the
// same for the window and for every command-line run.
#pragma once

#include "db/data_folder_lock.h"
#include "db/database.h"
#include "db/maintenance.h"
#include "state/settings.h"

namespace tovalia {

// Dead space above which shut-down compacts the recipe file.
inline constexpr int32_t kCompactionThreshold = 50000;

struct StartupReport {
  bool indexLoaded = false;   // Index34.dat was read and agreed with the recipe file
  bool indexRebuilt = false;  // the index was rebuilt from the recipe file
  HeaderCheckOutcome header = HeaderCheckOutcome::kNoRecipeFile;
  // Read-only start-up only: the files need work (a rebuilt index, a
  // compaction) that only a writer may do; nothing was loaded.
  bool needsWriter = false;
};

// Loads the dead-space counter, brings the index into agreement with the
// recipe file, checks the file header and opens "All Recipes" with its first
// item selected. With read access nothing is written: a collection whose
// files need repairing comes back with needsWriter set instead.
StartupReport BringDatabaseUp(Database& db, Settings& settings,
                              FolderAccess access = FolderAccess::kWrite);

struct ShutdownReport {
  bool compacted = false;
};

// Compacts when the dead space is above the threshold, then saves the
// dead-space counter.
ShutdownReport ShutDatabaseDown(Database& db, Settings& settings);

}  // namespace tovalia
