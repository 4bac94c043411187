// Timing the import of a large Meal-Master file into an empty collection.
#pragma once

#include <cstdint>
#include <string>

namespace tovalia::bench {

struct ImportFigures {
  int64_t fileBytes = 0;
  int32_t recipesInFile = 0;
  int32_t recipesStored = 0;
  double writeMs = 0;
  double importMs = 0;  // the pass, storing and the final sort
};

// Writes `recipes` Meal-Master recipes into a file in `folder`, imports it
// into an empty collection there (by category) and times the import.
ImportFigures MeasureMealMasterImport(const std::string& folder, int32_t recipes);

}  // namespace tovalia::bench
