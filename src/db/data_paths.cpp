#include "db/data_paths.h"

namespace tovalia {

DataPaths DataPaths::ForDataFolder(std::string folder) {
  if (folder.empty()) folder.push_back('.');
  if (folder.back() != '/') folder += '/';
  DataPaths paths;
  paths.dataFolder = folder;
  paths.recipeFile = folder + "Recipe34.dat";
  paths.indexFile = folder + "Index34.dat";
  paths.backupFile = folder + "Recipe34.bak";
  paths.setupFile = folder + "Setup50.dat";
  paths.groceryFile = folder + "Grocer30.dat";
  paths.eventFile = folder + "Event40.dat";
  paths.spellFile = folder + "Spell54.dat";
  paths.tempFile = folder + "Temp.dat";
  return paths;
}

}  // namespace tovalia
