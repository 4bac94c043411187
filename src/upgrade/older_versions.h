// Finding the data folders of earlier installations: default places,
// uninstall entries, shortcuts on desktops and in start menus, and earlier
// copies on this system; each offered once, with the version it holds.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/progress.h"
#include "upgrade/windows_places.h"

namespace tovalia {

inline constexpr size_t kMostUpgradeCandidates = 30;

struct UpgradeCandidate {
  std::string label;    // the version text and the folder, as offered
  std::string version;  // "Version 5.7", or empty when it cannot be told
  std::string folder;   // ends with the separator
};

// The folders found so far. A path is cut after its last separator; the
// folder counts when it holds the recipe file, or else its "tv_data"
// subfolder does. The current data folder (also as the folder above it)
// and the skipped folders are never taken.
class CandidateFolders {
 public:
  CandidateFolders(const std::string& currentDataFolder, const std::vector<std::string>& skipped);
  void Add(const std::string& path);
  const std::vector<std::string>& Folders() const { return folders_; }

 private:
  bool Refused(const std::string& folder) const;
  std::string current_;
  std::vector<std::string> skipped_;
  std::vector<std::string> folders_;
};

// The version text of a candidate folder ("Version 5.7 - " or empty): from
// the recipe file's own header, an old settings file, the default folder it
// is, or the size of the program beside it.
std::string VersionText(const std::string& folder, const std::map<std::string, std::string>& defaultVersions);

// The whole search, with the "Checking Upgrade Status" progress box of
// seven steps; the candidates sorted by label, each once.
std::vector<UpgradeCandidate> FindOlderVersions(const UpgradeScope& scope, const std::string& currentDataFolder,
                                                Progress& progress);

}  // namespace tovalia
