// Timing the import of a large Meal-Master file into an empty collection.
#pragma once

#include <cstdint>
#include <string>

namespace tovalia::bench {

struct ImportFigures {
  int64_t fileBytes = 0;
  int32_t recipesInFile = 0;
  double writeMs = 0;
};

// Where the generated Meal-Master file of a run lies in `folder`.
std::string MealMasterSource(const std::string& folder);

// Writes `recipes` Meal-Master recipes into that file (a piece at a time).
bool PrepareMealMasterImport(const std::string& folder, int32_t recipes, ImportFigures& figures);

struct ImportRun {
  double ms = 0;       // the pass, storing and the final sort
  int32_t stored = 0;  // recipes stored
  long peakKb = 0;     // the process's peak resident memory
};

// Imports the source into an empty collection in `dataFolder` (by
// category), the way the program does; meant for a process of its own, so
// that the peak memory is the import's.
ImportRun ImportInThisProcess(const std::string& dataFolder, const std::string& source);

}  // namespace tovalia::bench
