// Bringing the recipe database up at start-up and down at shut-down, the
// same for the window and for every command-line run.
#pragma once

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
};

// Loads the dead-space counter, brings the index into agreement with the
// recipe file, checks the file header and opens "All Recipes" with its first
// item selected.
StartupReport BringDatabaseUp(Database& db, Settings& settings);

struct ShutdownReport {
  bool compacted = false;
};

// Compacts when the dead space is above the threshold, then saves the
// dead-space counter.
ShutdownReport ShutDatabaseDown(Database& db, Settings& settings);

}  // namespace tovalia
