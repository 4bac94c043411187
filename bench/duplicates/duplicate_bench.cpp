// tovalia_duplicate_bench: times "Locate Duplicates" on a large collection
// in which some recipes were stored twice: gathering the fingerprints, the
// grouped pair search at the three accuracies, and the walk over every pair
// that it replaces (which must find the same pairs).
//
//   tovalia_duplicate_bench [--recipes N] [--copies PERCENT] [--no-walk] [--folder DIR]

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../collection_generator.h"
#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/record_format.h"
#include "db/title_index.h"
#include "interchange/duplicate_finder.h"

namespace tovalia::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint64_t kSeed = 20240615;
constexpr int32_t kChapters = 200;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of this process, for a machine that other work shares.
double CpuMs() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "tovalia_duplicate_bench: %s\n", message.c_str());
  std::exit(1);
}

// Appends a copy (with a RecipeId of its own) of every recipe and text
// record whose turn comes up, as a second import of some files would.
int32_t AddCopies(std::vector<uint8_t>& file, int32_t percent, int32_t nextId) {
  if (percent <= 0) return 0;
  const size_t end = file.size();
  const int32_t every = std::max(1, 100 / percent);
  int32_t seen = 0, copies = 0;
  for (size_t at = kRecordHeaderSize; at + kRecordHeaderSize <= end;) {
    const int32_t size = LoadI32(&file[at + header::kRecordSize]);
    if (size < kRecordHeaderSize || at + static_cast<size_t>(size) > end) Fail("generated file is damaged");
    if (file[at + header::kRecordKind] <= kKindTextRecord && ++seen % every == 0) {
      const size_t copyAt = file.size();
      file.insert(file.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                  file.begin() + static_cast<std::ptrdiff_t>(at + static_cast<size_t>(size)));
      StoreI32(&file[copyAt + header::kRecipeId], nextId++);
      ++copies;
    }
    at += static_cast<size_t>(size);
  }
  return copies;
}

bool SamePairs(const DuplicateSearch& a, const DuplicateSearch& b) {
  if (a.pairs.size() != b.pairs.size() || a.markedCount != b.markedCount) return false;
  for (size_t p = 0; p < a.pairs.size(); ++p)
    for (size_t h = 0; h < 2; ++h)
      if (a.pairs[p].halves[h].fingerprint != b.pairs[p].halves[h].fingerprint ||
          a.pairs[p].halves[h].marked != b.pairs[p].halves[h].marked)
        return false;
  return true;
}

int Run(int argc, char** argv) {
  int32_t recipes = 100000;
  int32_t percent = 5;
  bool walk = true;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--recipes" && i + 1 < argc) {
      recipes = std::atoi(argv[++i]);
    } else if (arg == "--copies" && i + 1 < argc) {
      percent = std::atoi(argv[++i]);
    } else if (arg == "--no-walk") {
      walk = false;
    } else if (arg == "--folder" && i + 1 < argc) {
      folder = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: tovalia_duplicate_bench [--recipes N] [--copies PERCENT] [--no-walk] [--folder DIR]\n");
      return 2;
    }
  }
  if (recipes < 1 || recipes > 1000000 || percent < 0 || percent > 100) Fail("--recipes 1-1000000, --copies 0-100");
  const bool temporary = folder.empty();
  if (temporary) folder = (fs::temp_directory_path() / ("tovalia-dupbench-" + std::to_string(::getpid()))).string();
  fs::create_directories(folder);
  if (folder.back() != '/') folder += '/';

  std::fprintf(stderr, "generating %d recipes with %d%% stored twice\n", recipes, percent);
  FileSummary summary;
  std::vector<uint8_t> bytes = BuildRecipeFile(recipes, kChapters, kSeed, summary);
  const int32_t copies = AddCopies(bytes, percent, recipes + 1);
  const DataPaths paths = DataPaths::ForDataFolder(folder);
  {
    DataFile file = OpenDataFile("o", paths.recipeFile);
    if (!file.IsOpen() || !WriteRaw(file, bytes.data(), bytes.size())) Fail("cannot write " + paths.recipeFile);
  }
  std::vector<uint8_t>().swap(bytes);
  Database db(paths);
  ScanRecords(db);

  std::printf("collection: %d recipes and text records, %d of them copies\n", db.recipeCount, copies);
  Clock::time_point start = Clock::now();
  double cpu = CpuMs();
  std::vector<RecipeFingerprint> prints;
  if (!GatherFingerprints(db, prints)) Fail("gathering stopped");
  std::printf("%-40s %9.1f ms, processor %9.1f ms  (%zu fingerprints)\n", "gathering the fingerprints", MsSince(start),
              CpuMs() - cpu, prints.size());

  SilentProgress quiet;
  const struct {
    const char* name;
    int32_t threshold;
  } levels[] = {{"best", kBestMatching}, {"average", kAverageMatching}, {"poor", kPoorMatching}};
  for (const auto& level : levels) {
    start = Clock::now();
    cpu = CpuMs();
    const DuplicateSearch grouped = FindDuplicatePairs(prints, level.threshold, quiet);
    std::printf("%-40s %9.1f ms, processor %9.1f ms  (%zu pairs, %d marked)\n",
                ("grouped pair search, " + std::string(level.name)).c_str(), MsSince(start), CpuMs() - cpu,
                grouped.pairs.size(), grouped.markedCount);
    if (!walk) continue;
    start = Clock::now();
    cpu = CpuMs();
    const DuplicateSearch walked = FindDuplicatePairsByWalk(prints, level.threshold, quiet);
    std::printf("%-40s %9.1f ms, processor %9.1f ms  (%zu pairs; %s)\n",
                ("walk over every pair, " + std::string(level.name)).c_str(), MsSince(start), CpuMs() - cpu,
                walked.pairs.size(), SamePairs(grouped, walked) ? "the same pairs" : "PAIRS DIFFER");
    if (!SamePairs(grouped, walked)) return 1;
  }
  if (temporary) fs::remove_all(folder);
  return 0;
}

}  // namespace
}  // namespace tovalia::bench

int main(int argc, char** argv) { return tovalia::bench::Run(argc, argv); }
