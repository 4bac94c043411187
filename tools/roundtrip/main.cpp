// export_roundtrip: how much of a collection comes back through each export
// format. Imports the given files (by default the Meal-Master, MasterCook,
// Now You're Cooking and BigOven files of the shared corpus) into a fresh
// collection by category, gives every tenth recipe a photo, and for each
// format exports everything, imports the export into another fresh
// collection and compares the two recipe by recipe.
//
//   export_roundtrip [--show N] [--format NAME]... [FILE | FOLDER]...
//
// --show N prints the first N differences of each format; --format limits
// the run to the named formats (tovalia, tovalia-text, mealmaster,
// mastercook). "again" tells whether what came back, exported again,
// gives the same bytes as the first export.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "db/cp1252.h"
#include "roundtrip/round_trip.h"
#include "roundtrip/scratch_collection.h"

using namespace tovalia;
using namespace tovalia::roundtrip;

namespace {

const std::map<std::string, ExportFormat> kFormats = {
    {"tovalia", ExportFormat::kTovaliaWithPhotos},
    {"tovalia-text", ExportFormat::kTovaliaText},
    {"mealmaster", ExportFormat::kMealMaster},
    {"mastercook", ExportFormat::kMasterCook},
};

std::vector<std::string> FilesUnder(const std::filesystem::path& path) {
  std::vector<std::string> files;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
      if (entry.is_regular_file()) files.push_back(entry.path().string());
  } else {
    files.push_back(path.string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A long text is shown around the first place where the two differ.
std::string Excerpt(const std::string& text, const std::string& other) {
  constexpr size_t kBefore = 60, kLength = 300;
  size_t at = 0;
  while (at < text.size() && at < other.size() && text[at] == other[at]) ++at;
  const size_t from = text.size() <= kLength || at < kBefore ? 0 : std::min(at - kBefore, text.size() - kLength);
  std::string shown = text.substr(from, kLength);
  return (from > 0 ? "..." : "") + Cp1252ToUtf8(shown) + (from + kLength < text.size() ? "..." : "");
}

}  // namespace

int main(int argc, char** argv) {
  size_t show = 0;
  std::vector<std::string> formats, sources;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--show" || arg == "--format") && i + 1 < argc) {
      if (arg == "--show") {
        show = static_cast<size_t>(std::stoul(argv[++i]));
      } else {
        formats.push_back(argv[++i]);
        if (!kFormats.count(formats.back())) {
          std::cerr << "unknown format " << formats.back() << '\n';
          return 2;
        }
      }
    } else {
      sources.push_back(arg);
    }
  }
  if (formats.empty()) formats = {"tovalia", "tovalia-text", "mealmaster", "mastercook"};
  if (sources.empty()) {
    for (const char* folder : {"mealmaster", "mastercook", "nyc", "bigoven"})
      sources.push_back(std::string(TOVALIA_CORPUS_DIR) + "/" + folder);
  }

  ScratchCollection imported;
  int32_t stored = 0;
  for (const std::string& source : sources)
    for (const std::string& file : FilesUnder(source)) stored += imported.Import(file);
  ScratchCollection collection;
  collection.CopyFrom(imported.db(), 10);
  std::printf("%d recipes imported from the sources; every tenth given a photo\n\n", stored);
  std::printf("%-13s %8s %9s %8s %7s %5s %6s %6s  differing fields\n", "format", "recipes", "returned", "equal",
              "share", "lost", "extra", "again");
  std::vector<std::pair<std::string, Comparison>> results;
  for (const std::string& name : formats) {
    Comparison c = MeasureRoundTrip(collection.db(), kFormats.at(name), show);
    std::string fields;
    for (const auto& [field, count] : c.fields) fields += field + " " + std::to_string(count) + ", ";
    if (!fields.empty()) fields.resize(fields.size() - 2);
    std::printf("%-13s %8d %9d %8d %6.2f%% %5d %6d %6s  %s\n", name.c_str(), c.recipes, c.returned, c.equal,
                c.recipes ? 100.0 * c.equal / c.recipes : 0.0, c.lost, c.extra, c.sameBytesAgain ? "same" : "other",
                fields.c_str());
    std::fflush(stdout);
    results.emplace_back(name, std::move(c));
  }
  for (const auto& [name, c] : results) {
    if (show > 0 && !c.sameBytesAgain)
      std::printf("\n== %s: exported again, the bytes part %s\n", name.c_str(), Cp1252ToUtf8(c.againDiffers).c_str());
    if (c.differences.empty()) continue;
    std::printf("\n== %s: the first %zu differences\n", name.c_str(), c.differences.size());
    for (const Difference& d : c.differences) {
      std::printf("* %s -- %s\n    out: %s\n    in:  %s\n", Cp1252ToUtf8(d.title).c_str(), d.field.c_str(),
                  Excerpt(d.before, d.after).c_str(), Excerpt(d.after, d.before).c_str());
    }
  }
  return 0;
}
