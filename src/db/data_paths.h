// Full paths of the data files, fixed once the data folder is known.
#pragma once

#include <string>

namespace tovalia {

struct DataPaths {
  std::string dataFolder;  // ends with the separator
  std::string recipeFile;
  std::string indexFile;
  std::string backupFile;
  std::string setupFile;
  std::string groceryFile;
  std::string eventFile;
  std::string spellFile;
  std::string tempFile;

  static DataPaths ForDataFolder(std::string folder);
};

}  // namespace tovalia
