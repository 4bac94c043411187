// Bringing the files of an earlier installation into the data folder. The
// files they replace are first moved into a dated folder inside the data
// folder, so a wrong choice costs nothing.
#pragma once

#include <string>
#include <vector>

#include "db/data_paths.h"

namespace tovalia {

struct UpgradeCopyReport {
  bool done = false;
  std::string error;                // why nothing was copied
  std::string backupFolder;         // "before-upgrade-...", or empty when nothing was replaced
  std::vector<std::string> copied;  // the data files now in place ("Recipe34.dat", ...)
};

// "YYYY-MM-DD-HHMM" of the local time now.
std::string BackupStamp();

// Copies the meal calendar, the grocery items and the recipe file of the
// folder (names matched ignoring case) over the current ones, and removes
// the index so that the next start rebuilds it. On any failure the current
// files are put back as they were.
UpgradeCopyReport CopyOlderVersion(const DataPaths& paths, const std::string& fromFolder, const std::string& stamp);

}  // namespace tovalia
