// Exporting a list of recipes: each record is loaded in turn and written in
// the chosen format, with the progress box counting them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"
#include "interchange/export_output.h"

namespace tovalia {

// In the order the format list offers them; the number is kept as setting 9.
enum class ExportFormat {
  kTovaliaWithPhotos = 0,
  kTovaliaText = 1,
  kMealMaster = 2,
  kMasterCook = 3,
  kXml = 4,
  kRecipeIndex = 5,
};
inline constexpr int kExportFormatCount = 6;

struct ExportReport {
  int32_t written = 0;                  // recipes written
  std::vector<std::string> unreadable;  // titles whose records could not be read
  bool outputFailed = false;            // the output refused bytes
};

// Writes the recipes of the index entries, in their order, to the sink.
// Records that cannot be read are left out and named in the report.
ExportReport ExportRecipes(Database& db, const std::vector<int32_t>& entries, ExportFormat format,
                           ExportSink& sink);

}  // namespace tovalia
