#include "import_bench.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "db/data_file.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/title_index.h"
#include "interchange/import_command.h"

namespace tovalia::bench {

namespace {

const char* const kAdjectives[] = {"Spicy", "Golden", "Rustic", "Creamy", "Smoky", "Crispy", "Tangy",
                                   "Hearty", "Zesty", "Honey", "Garlic", "Lemon", "Sunday", "Country"};
const char* const kMains[] = {"Chicken", "Lentil", "Salmon", "Pork", "Mushroom", "Tomato", "Apple",
                              "Beef", "Potato", "Pumpkin", "Shrimp", "Cabbage", "Walnut", "Peach"};
const char* const kDishes[] = {"Soup", "Stew", "Pie", "Casserole", "Salad", "Tart", "Bread", "Curry",
                               "Cake", "Muffins", "Skillet", "Bake", "Risotto", "Crumble"};
const char* const kCategories[] = {"Soups", "Main Dish", "Desserts", "Breads", "Salads", "Vegetables"};
const char* const kIngredients[] = {
    "      2 c  all-purpose flour",        "  1 1/2 ts baking powder",
    "    1/2 ts salt",                     "    3/4 c  unsalted butter, softened",
    "      1 c  granulated sugar",         "      2 lg eggs",
    "      1 ts vanilla extract",          "    1/2 c  milk",
    "      2 tb olive oil",                "      1 md onion, chopped",
    "      3    cloves garlic, minced",    "      1 lb chicken thighs",
    "     14 oz can diced tomatoes",       "      1 pn cayenne pepper",
};
const char* const kSentences[] = {
    "Heat the oven to 350 F and grease a baking dish.",
    "Whisk the dry ingredients together in a large bowl.",
    "Cook the onion and garlic in the oil until soft, about 5 minutes.",
    "Stir in the remaining ingredients and bring to a simmer.",
    "Bake until golden and a skewer comes out clean, 35 to 40 minutes.",
    "Season to taste and serve warm with crusty bread.",
};

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Writes the file a piece at a time, so that a file of a million recipes
// (1.2 GB) never stands whole in memory; false when it could not.
bool WriteMealMasterFile(const std::string& path, int32_t recipes, int64_t& bytes) {
  DataFile file = OpenDataFile("o", path);
  if (!file.IsOpen()) return false;
  std::string text;
  text.reserve(2 << 20);
  bytes = 0;
  uint32_t state = 12345;
  auto next = [&state](uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  };
  for (int32_t i = 0; i < recipes; ++i) {
    text += "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n      Title: ";
    text += std::string(kAdjectives[next(14)]) + " " + kMains[next(14)] + " " + kDishes[next(14)] + " " +
            std::to_string(i) + "\r\n";
    text += " Categories: " + std::string(kCategories[next(6)]) + ", Imported\r\n";
    text += "      Yield: " + std::to_string(2 + next(10)) + " servings\r\n\r\n";
    for (int k = 0; k < 12; ++k) text += std::string(kIngredients[next(14)]) + "\r\n";
    text += "\r\n";
    for (int p = 0; p < 4; ++p) {
      text += "  " + std::string(kSentences[next(6)]) + " " + kSentences[next(6)] + "\r\n";
      text += "  " + std::string(kSentences[next(6)]) + "\r\n\r\n";
    }
    text += "MMMMM\r\n\r\n";
    if (text.size() >= (1 << 20) || i + 1 == recipes) {
      if (!WriteRaw(file, text.data(), text.size())) return false;
      bytes += static_cast<int64_t>(text.size());
      text.clear();
    }
  }
  return SyncDataFile(file);
}

// The process's own high-water mark of resident memory (VmHWM). The
// getrusage figure is no use here: it survives exec, so a child started by
// a parent holding a large collection would report the parent's memory.
long PeakResidentKb() {
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status))
      if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
    std::fclose(status);
    if (kb >= 0) return kb;
  }
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

bool PrepareMealMasterImport(const std::string& folder, int32_t recipes, ImportFigures& figures) {
  figures.recipesInFile = recipes;
  const auto start = std::chrono::steady_clock::now();
  const bool written = WriteMealMasterFile(MealMasterSource(folder), recipes, figures.fileBytes);
  figures.writeMs = MsSince(start);
  return written;
}

std::string MealMasterSource(const std::string& folder) { return folder + "big-import.mmf"; }

ImportRun ImportInThisProcess(const std::string& dataFolder, const std::string& source) {
  std::filesystem::remove_all(dataFolder);
  std::filesystem::create_directories(dataFolder);
  Database db(DataPaths::ForDataFolder(dataFolder));
  LoadIndex(db);
  ImportRequest request;
  request.sourcePath = source;
  request.sortByCategory = true;
  const auto start = std::chrono::steady_clock::now();
  const ImportOutcome outcome = RunImport(db, request, nullptr);
  ImportRun run;
  run.ms = MsSince(start);
  run.stored = outcome.result.stored;
  run.peakKb = PeakResidentKb();
  return run;
}

}  // namespace tovalia::bench
