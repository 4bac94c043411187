// tovalia_bench: builds a large recipe collection and times the database
// engine's start-up, scan, list, edit, sort and compaction paths on it.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "collection_generator.h"
#include "grocery_bench.h"
#include "import_bench.h"
#include "print_bench.h"
#include "meal_bench.h"
#include "platform/canvas.h"
#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_file.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_search.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"

namespace tovalia::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint64_t kSeed = 20240615;
constexpr int32_t kEdits = 300;
constexpr int32_t kAppendBatch = 1000;
constexpr int32_t kAppendRounds = 3;
constexpr int kCheapRuns = 5;
constexpr int kCostlyRuns = 3;
constexpr const char* kSnapshotFolder = "bench-snapshot";

struct Options {
  int32_t recipes = 100000;
  int32_t chapters = 200;
  std::string folder;
  bool keep = false;
  bool cold = false;
  int32_t groceryItems = 10000;
  bool groceryOnly = false;
  bool onlyImport = false;
  bool mealsOnly = false;
};

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: tovalia_bench [--recipes N] [--chapters C] [--folder DIR] [--keep] "
               "[--cold] [--grocery-items N] [--grocery-only] [--only import] [--meals]\n"
               "  --recipes N   recipes and text records to generate (default 100000)\n"
               "  --chapters C  chapters to spread them over (default 200)\n"
               "  --folder DIR  data folder to build the collection in (must hold no\n"
               "                collection); default a fresh temporary folder\n"
               "  --keep        leave the collection behind instead of removing it\n"
               "  --cold        also time the scan and the start with the files evicted\n"
               "                from the page cache\n"
               "  --grocery-items N  grocery items in the generated catalogue (default 10000)\n"
               "  --grocery-only     time the grocery list only\n"
               "  --only import      time only the import of a Meal-Master file (median of 3)\n"
               "  --meals            only the Meals screen over a calendar of 20,000 meals\n");
}

bool ParseCount(const char* text, int32_t lo, int32_t hi, int32_t& out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < lo || value > hi) return false;
  out = static_cast<int32_t>(value);
  return true;
}

// Returns false after printing why when the arguments are not usable.
bool ParseOptions(int argc, char** argv, Options& options, bool& helpOnly) {
  helpOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--help" || arg == "-h") {
      helpOnly = true;
      return true;
    } else if (arg == "--recipes") {
      // Positions are 32-bit, and a million records already come near 2 GB.
      if (!ParseCount(value, 1, 1000000, options.recipes)) {
        std::fprintf(stderr, "tovalia_bench: --recipes wants a number from 1 to 1000000\n");
        return false;
      }
      ++i;
    } else if (arg == "--chapters") {
      if (!ParseCount(value, 1, 65535, options.chapters)) {
        std::fprintf(stderr, "tovalia_bench: --chapters wants a number from 1 to 65535\n");
        return false;
      }
      ++i;
    } else if (arg == "--folder") {
      if (!value || !*value) {
        std::fprintf(stderr, "tovalia_bench: --folder wants a folder\n");
        return false;
      }
      options.folder = value;
      ++i;
    } else if (arg == "--keep") {
      options.keep = true;
    } else if (arg == "--cold") {
      options.cold = true;
    } else if (arg == "--grocery-items") {
      // Item ids are 16-bit: the file holds at most 65,536 items.
      if (!ParseCount(value, 1, 65000, options.groceryItems)) {
        std::fprintf(stderr, "tovalia_bench: --grocery-items wants a number from 1 to 65000\n");
        return false;
      }
      ++i;
    } else if (arg == "--grocery-only") {
      options.groceryOnly = true;
    } else if (arg == "--only") {
      if (!value || std::strcmp(value, "import") != 0) {
        std::fprintf(stderr, "tovalia_bench: --only takes import\n");
        return false;
      }
      options.onlyImport = true;
      ++i;
    } else if (arg == "--meals") {
      options.mealsOnly = true;
    } else {
      std::fprintf(stderr, "tovalia_bench: unknown argument '%s'\n", arg.c_str());
      PrintUsage(stderr);
      return false;
    }
  }
  return true;
}

void Require(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what);
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t at = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

// Only the body is timed; prepare and check run outside the clock.
template <typename Prepare, typename Body, typename Check>
std::vector<double> Measure(int runs, Prepare&& prepare, Body&& body, Check&& check) {
  std::vector<double> ms;
  ms.reserve(static_cast<size_t>(runs));
  for (int r = 0; r < runs; ++r) {
    prepare();
    const Clock::time_point start = Clock::now();
    body();
    ms.push_back(MsSince(start));
    check();
  }
  return ms;
}

std::string WithCommas(int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return value < 0 ? "-" + out : out;
}

void Note(const char* text) {
  std::fprintf(stderr, "  ... %s\n", text);
  std::fflush(stderr);
}

// The data folder, and what to clear away at the end: the whole folder when
// this run made it, otherwise only the files this run wrote.
class WorkFolder {
 public:
  WorkFolder(const std::string& requested, bool keep) : keep_(keep) {
    if (requested.empty()) {
      std::string pattern = (fs::temp_directory_path() / "tovalia-bench-XXXXXX").string();
      std::vector<char> name(pattern.begin(), pattern.end());
      name.push_back('\0');
      Require(::mkdtemp(name.data()) != nullptr, "cannot make a temporary folder");
      path_ = name.data();
      created_ = true;
      return;
    }
    path_ = fs::absolute(requested);
    std::error_code ec;
    if (!fs::exists(path_, ec)) {
      Require(fs::create_directories(path_, ec), "cannot make the folder " + path_.string());
      created_ = true;
      return;
    }
    Require(fs::is_directory(path_, ec), path_.string() + " is not a folder");
    // Never overwrite somebody's collection.
    for (const char* name : {"Recipe34.dat", "Index34.dat", "Recipe34.bak", kSnapshotFolder})
      Require(!fs::exists(path_ / name, ec),
              path_.string() + " already holds " + name + "; pick an empty folder");
  }
  ~WorkFolder() {
    if (keep_) return;
    std::error_code ec;
    if (created_) {
      fs::remove_all(path_, ec);
      return;
    }
    for (const char* name :
         {"Recipe34.dat", "Index34.dat", "Index34.dat.new", "Recipe34.bak", kSnapshotFolder})
      fs::remove_all(path_ / name, ec);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::string Path() const { return path_.string(); }
  std::string Fate() const {
    if (keep_) return "kept";
    return created_ ? "removed at the end" : "its benchmark files removed at the end";
  }

 private:
  fs::path path_;
  bool created_ = false;
  bool keep_ = false;
};

// Drops the file's pages from the page cache, as after a reboot; the
// pages must be clean for the kernel to let them go.
void EvictFromPageCache(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

void CopyDurably(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  Require(!ec, "cannot copy " + from.string() + ": " + ec.message());
  // Settle the copy now so that its write-back does not land inside a timing.
  const int fd = ::open(to.c_str(), O_RDONLY | O_CLOEXEC);
  Require(fd >= 0, "cannot reopen " + to.string());
  ::fsync(fd);
  ::close(fd);
}

int64_t FileBytes(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

bool IndexInTitleOrder(const Database& db) {
  int32_t previous = -1;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) {
    if (previous >= 0 && CompareUpperCased(EntryTitle(db, previous), EntryTitle(db, o)) > 0)
      return false;
    previous = o;
  }
  return true;
}

// Rewrites the in-memory index with its entries in a random order.
void ShuffleIndex(Database& db, Rng& rng) {
  std::vector<int32_t> offsets;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o)) offsets.push_back(o);
  for (size_t i = offsets.size(); i > 1; --i)
    std::swap(offsets[i - 1], offsets[static_cast<size_t>(rng.Below(static_cast<int32_t>(i)))]);
  ByteBuffer shuffled;
  CreateBuffer(db.indexBuffer.Size(), shuffled);
  int32_t size = 0;
  for (int32_t o : offsets) {
    const int32_t length = EntryLength(db, o);
    MoveBytes(db.indexBuffer, o, shuffled, size, length);
    size += length;
  }
  Require(size == db.indexSize, "shuffling lost index bytes");
  db.indexBuffer = std::move(shuffled);
}

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) == 0) {
      const size_t colon = line.find(':');
      if (colon != std::string::npos) return line.substr(std::min(colon + 2, line.size()));
    }
  }
  return "unknown CPU";
}

// What one start or scan did in a process of its own.
struct ChildResult {
  double ms = 0;
  bool sound = false;
  int32_t recipes = 0;
  int32_t chapterRows = 0;
};

// The program runs this in a fresh process: a start pays for first-touch
// page faults on its index buffer, which a long-running process has long
// since paid, and those faults are a large part of a real start.
int RunChild(const std::string& operation, const std::string& folder) {
  Database db(DataPaths::ForDataFolder(folder));
  bool sound = true;
  const Clock::time_point start = Clock::now();
  if (operation == "start") {
    LoadIndex(db);
    sound = ValidateIndex(db);
  } else if (operation == "scan") {
    ScanRecords(db);
  } else {
    return 2;
  }
  const double ms = MsSince(start);
  std::printf("%.4f %d %d %d\n", ms, sound ? 1 : 0, db.recipeCount,
              static_cast<int>(db.chapterTable.size()));
  return 0;
}

ChildResult RunInFreshProcess(const char* operation, const std::string& folder) {
  int fds[2];
  Require(::pipe(fds) == 0, "cannot make a pipe");
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  Require(pid >= 0, "cannot start a child process");
  if (pid == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[0]);
    ::close(fds[1]);
    ::execl("/proc/self/exe", "tovalia_bench", "--child", operation, folder.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string out;
  char chunk[256];
  for (;;) {
    const ssize_t got = ::read(fds[0], chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    out.append(chunk, static_cast<size_t>(got));
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  Require(WIFEXITED(status) && WEXITSTATUS(status) == 0,
          std::string("the child process for '") + operation + "' failed");
  ChildResult result;
  int sound = 0;
  Require(std::sscanf(out.c_str(), "%lf %d %d %d", &result.ms, &sound, &result.recipes,
                      &result.chapterRows) == 4,
          "unreadable answer from the child process: " + out);
  result.sound = sound != 0;
  return result;
}

struct Figure {
  std::string name;
  std::vector<double> ms;
  double targetMs = 0;  // 0 when there is no target
};

struct Report {
  std::vector<Figure> figures;
  std::vector<std::string> notes;
};

void PrintTable(const Report& report) {
  std::printf("\n%-46s %10s %21s %5s   %s\n", "figure", "median ms", "min - max ms", "runs",
              "target");
  std::printf("%s\n", std::string(104, '-').c_str());
  for (const Figure& f : report.figures) {
    const double median = Median(f.ms);
    const double lo = *std::min_element(f.ms.begin(), f.ms.end());
    const double hi = *std::max_element(f.ms.begin(), f.ms.end());
    char range[48];
    std::snprintf(range, sizeof range, "%9.2f - %-9.2f", lo, hi);
    std::string target;
    if (f.targetMs > 0) {
      char text[48];
      std::snprintf(text, sizeof text, "< %.0f ms  %s", f.targetMs,
                    median < f.targetMs ? "met" : "MISSED");
      target = text;
    }
    std::printf("%-46s %10.2f %21s %5zu   %s\n", f.name.c_str(), median, range, f.ms.size(),
                target.c_str());
  }
  std::printf("%s\n", std::string(104, '-').c_str());
  for (const std::string& note : report.notes) std::printf("%s\n", note.c_str());
}

// The Meals screen over 20,000 meals: entering, scrolling, adding, ticking.
void AddMealFigures(const std::string& folder, Report& report) {
  Note("meal calendar");
  constexpr int kMeals = 20000;
  const bench::MealFigures meals = bench::MeasureMealCalendar(folder, kMeals);
  ReleaseFontCaches();  // the screen's canvas is gone; the font library may let go
  report.figures.push_back({"Meals screen: enter and draw (20,000 meals)", meals.enterMs, 50});
  report.figures.push_back({"Meals screen: scroll a week and draw", meals.scrollMs, 50});
  report.figures.push_back({"Meals screen: add a meal, write, draw", meals.addMs, 50});
  report.figures.push_back({"Meals screen: tick a meal, write, draw", meals.tickMs, 50});
  report.notes.push_back("meal calendar: " + WithCommas(meals.meals) + " meals, Event40.dat " +
                         WithCommas(int64_t{meals.meals} * 100) + " bytes; writes go through a flushed "
                         "temporary file and a rename");
}

constexpr int kGroceryRuns = 21;

// The grocery list's figures, in a folder of their own.
void AddGroceryFigures(const fs::path& workFolder, int32_t items, Report& report) {
  Note("grocery list");
  const fs::path folder = workFolder / "grocery";
  fs::create_directory(folder);
  const GroceryFigures g = MeasureGroceryList(folder.string() + "/", items, kGroceryRuns);
  fs::remove_all(folder);
  report.figures.push_back({"Grocery screen entry", g.entryMs, 50});
  report.figures.push_back({"grocery quantity change", g.quantityMs, 50});
  report.figures.push_back({"of which rewriting Grocer30.dat", g.rewriteMs, 0});
  report.figures.push_back({"grocery find", g.findMs, 50});
  report.figures.push_back({"grocery item added", g.addMs, 0});
  report.figures.push_back({"grocery export as Text", g.exportMs, 0});
  report.notes.push_back("grocery: " + WithCommas(items) + " items, Grocer30.dat " + WithCommas(g.fileBytes) +
                         " bytes, " + WithCommas(g.onTheList) + " items on the shopping list");
}

int RunGroceryOnly(const Options& options) {
  WorkFolder folder(options.folder, options.keep);
  Report report;
  AddGroceryFigures(folder.Path(), options.groceryItems, report);
  PrintTable(report);
  return 0;
}

// Importing a Meal-Master file as large as the collection, `runs` times.
void AddImportFigure(const Options& options, const std::string& folder, int runs, Report& report) {
  Note("import");
  std::vector<double> importMs;
  bench::ImportFigures imported;
  for (int run = 0; run < runs; ++run) {
    imported = bench::MeasureMealMasterImport(folder, options.recipes);
    Require(imported.recipesStored == imported.recipesInFile,
            "the import stored " + std::to_string(imported.recipesStored) + " of " +
                std::to_string(imported.recipesInFile) + " recipes");
    importMs.push_back(imported.importMs);
  }
  report.figures.push_back({"import a Meal-Master file (sort included)", importMs, 10000});
  char importRate[160];
  std::snprintf(importRate, sizeof importRate,
                "import: %s recipes, %s bytes of Meal-Master text, %.0f recipes/s",
                WithCommas(imported.recipesStored).c_str(), WithCommas(imported.fileBytes).c_str(),
                imported.recipesStored / (Median(importMs) / 1000));
  report.notes.push_back(importRate);
}

int Run(const Options& options) {
  WorkFolder folder(options.folder, options.keep);
  if (options.onlyImport) {
    Report report;
    AddImportFigure(options, folder.Path(), kCostlyRuns, report);
    PrintTable(report);
    return 0;
  }
  const DataPaths paths = DataPaths::ForDataFolder(folder.Path());
  Report report;
  if (options.mealsOnly) {
    AddMealFigures(folder.Path(), report);
    PrintTable(report);
    return 0;
  }
  auto fresh = [&paths] { return std::make_unique<Database>(paths); };

  // Build the file in memory and store it with one write.
  Note("generating the collection");
  FileSummary summary;
  Clock::time_point start = Clock::now();
  std::vector<uint8_t> fileBytes =
      BuildRecipeFile(options.recipes, options.chapters, kSeed, summary);
  const double buildMs = MsSince(start);
  start = Clock::now();
  {
    DataFile file = OpenDataFile("o", paths.recipeFile);
    Require(file.IsOpen(), "cannot create " + paths.recipeFile);
    Require(WriteRaw(file, fileBytes.data(), fileBytes.size()), "cannot write " + paths.recipeFile);
    Require(SyncDataFile(file), "cannot flush " + paths.recipeFile);
  }
  const double writeMs = MsSince(start);
  std::vector<uint8_t>().swap(fileBytes);

  const int32_t liveRecipes = summary.recipes + summary.textRecords;
  const int32_t chapterRows = summary.chapters + kReservedChapterRows;
  int32_t expectedRecipes = liveRecipes;
  auto checkLoaded = [&](const Database& db, const std::string& after) {
    Require(db.recipeCount == expectedRecipes,
            after + ": " + std::to_string(db.recipeCount) + " recipes in the index, expected " +
                std::to_string(expectedRecipes));
    Require(static_cast<int32_t>(db.chapterTable.size()) == chapterRows,
            after + ": chapter table has " + std::to_string(db.chapterTable.size()) + " rows");
    Require(IndexInTitleOrder(db), after + ": index not in title order");
  };

  std::unique_ptr<Database> db;

  // Full scan from a missing index.
  Note("full scan");
  report.figures.push_back(
      {"full scan (ScanRecords)",
       Measure(
           kCostlyRuns,
           [&] {
             DeleteDataFile(paths.indexFile);
             db = fresh();
           },
           [&] { ScanRecords(*db); },
           [&] {
             checkLoaded(*db, "full scan");
             Require(FileExists(paths.indexFile), "full scan saved no Index34.dat");
           }),
       2000});
  const int64_t recipeFileBytes = FileBytes(paths.recipeFile);
  const int64_t indexFileBytes = FileBytes(paths.indexFile);

  // The same scan as a program start with no index would run it.
  ChildResult child;
  auto checkChild = [&](const std::string& after) {
    Require(child.sound, after + ": ValidateIndex rejected a freshly saved index and rescanned");
    Require(child.recipes == expectedRecipes,
            after + ": " + std::to_string(child.recipes) + " recipes in the index");
    Require(child.chapterRows == chapterRows,
            after + ": chapter table has " + std::to_string(child.chapterRows) + " rows");
  };
  // Timed by the child's own clock, so exec and process set-up are not counted.
  auto freshProcessRuns = [&](int runs, const char* operation, bool evict,
                              const std::string& after) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
      if (std::strcmp(operation, "scan") == 0) DeleteDataFile(paths.indexFile);
      if (evict) {
        EvictFromPageCache(paths.recipeFile);
        EvictFromPageCache(paths.indexFile);
      }
      child = RunInFreshProcess(operation, folder.Path());
      ms.push_back(child.ms);
      checkChild(after);
      Require(FileExists(paths.indexFile), after + ": no Index34.dat afterwards");
    }
    return ms;
  };
  report.figures.push_back({"full scan, fresh process",
                            freshProcessRuns(kCostlyRuns, "scan", false, "fresh-process scan"),
                            2000});

  // Normal start over a sound index.
  Note("normal start");
  bool sound = false;
  report.figures.push_back(
      {"normal start (LoadIndex + ValidateIndex)",
       Measure(
           kCheapRuns, [&] { db = fresh(); },
           [&] {
             LoadIndex(*db);
             sound = ValidateIndex(*db);
           },
           [&] {
             Require(sound, "ValidateIndex rejected a freshly saved index and rescanned");
             checkLoaded(*db, "normal start");
           }),
       50});
  report.figures.push_back({"normal start, fresh process",
                            freshProcessRuns(kCheapRuns, "start", false, "fresh-process start"),
                            50});

  if (options.cold) {
    Note("full scan and normal start with the files out of the page cache");
    report.figures.push_back(
        {"full scan, fresh process, cold file",
         freshProcessRuns(kCostlyRuns, "scan", true, "cold scan"), 2000});
    report.figures.push_back(
        {"normal start, fresh process, cold files",
         freshProcessRuns(kCheapRuns, "start", true, "cold start"), 50});
  }
  db = fresh();
  LoadIndex(*db);
  Require(ValidateIndex(*db), "index rejected before the recipe lists");

  // Recipe lists over a freshly loaded index.
  Note("recipe lists");
  const int32_t listChapter = 1;
  report.figures.push_back(
      {"BuildRecipeList(-1) all recipes",
       Measure(
           kCheapRuns, [] {}, [&] { BuildRecipeList(*db, kAllRecipes); },
           [&] {
             Require(static_cast<int32_t>(db->recipeList.size()) == expectedRecipes,
                     "All Recipes lists " + std::to_string(db->recipeList.size()) + " records");
           }),
       0});
  const int32_t chapterSize = summary.perChapter[static_cast<size_t>(listChapter)];
  report.figures.push_back(
      {"BuildRecipeList(1) one chapter",
       Measure(
           kCheapRuns, [] {}, [&] { BuildRecipeList(*db, listChapter); },
           [&] {
             Require(static_cast<int32_t>(db->recipeList.size()) == chapterSize,
                     "chapter 1 lists " + std::to_string(db->recipeList.size()) +
                         " records, expected " + std::to_string(chapterSize));
           }),
       0});

  // Searching all three parts of every record for a two-word query with one
  // exclusion, beside the naive way that loads each record whole.
  Note("search");
  const std::string query = "butter -walnut";
  const std::vector<SearchTerm> terms = ParseQuery(query);
  int32_t found = 0;
  report.figures.push_back(
      {"search, 3 fields, all chapters (SearchRecords)",
       Measure(
           kCostlyRuns, [] {},
           [&] { found = SearchRecords(*db, query, SearchOptions{true, true, true, true}); },
           [&] { Require(found > 0 && found < expectedRecipes, "the search found " + std::to_string(found)); }),
       500});
  int32_t naiveFound = 0;
  report.figures.push_back(
      {"search the naive way (LoadRecord each)",
       Measure(
           kCostlyRuns, [] {},
           [&] {
             naiveFound = 0;
             std::string text;
             for (int32_t o = 0; o < db->indexSize; o += EntryLength(*db, o)) {
               if (EntryKind(*db, o) > kKindTextRecord) continue;
               LoadRecord(*db, EntryPosition(*db, o));
               const ByteBuffer& h = db->recordHeaderBuffer;
               text = UpperCase(GetBytes(db->titleBuffer, 0, GetU8(h, header::kTitleLength)) +
                                GetBytes(db->ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength)) +
                                GetBytes(db->directionsBuffer, 0, GetI32(h, header::kDirectionsLength)));
               if (TermsSatisfied(terms, text)) ++naiveFound;
             }
           },
           [&] { Require(naiveFound == found, "the naive search found " + std::to_string(naiveFound)); }),
       0});
  report.notes.push_back("search: \"" + query + "\" matched " + WithCommas(found) + " records");
  FindChapterRow(*db, kAllRecipes);
  BuildRecipeList(*db, kAllRecipes);

  // The sort on its own, from a random order and from sorted order; the
  // second is the part every SortIndex pays however little changed.
  Note("SortIndex");
  Rng shuffleRng(kSeed + 1);
  bool saved = false;
  auto sortChecked = [&] {
    Require(saved, "SortIndex could not save Index34.dat");
    checkLoaded(*db, "SortIndex");
  };
  report.figures.push_back({"SortIndex, index in random order",
                            Measure(
                                kCostlyRuns, [&] { ShuffleIndex(*db, shuffleRng); },
                                [&] { saved = SortIndex(*db); }, sortChecked),
                            0});
  report.figures.push_back({"SortIndex, index already sorted",
                            Measure(
                                kCheapRuns, [] {}, [&] { saved = SortIndex(*db); }, sortChecked),
                            0});
  report.figures.push_back({"  of which SaveIndex (write + fsync)",
                            Measure(
                                kCheapRuns, [] {}, [&] { saved = SaveIndex(*db); }, sortChecked),
                            0});

  // Edits: a rename stored as a new copy, the old copy flagged deleted.
  Note("edits");
  RecipeGenerator renames(kSeed + 2, options.chapters);
  Rng pick(kSeed + 3);
  const int32_t edits = std::min(kEdits, liveRecipes);
  struct Edit {
    int32_t recipeId = 0;
    int32_t offset = 0;
    std::string title;
    int32_t wastedBefore = 0;
    int32_t oldSize = 0;
    int32_t newPosition = -1;
  } edit;
  int64_t deadBytes = 0;
  const std::vector<double> editMs = Measure(
      edits,
      [&] {
        edit = Edit{};
        edit.recipeId = pick.Between(1, liveRecipes);
        edit.offset = FindEntryByRecipeId(*db, edit.recipeId);
        Require(edit.offset >= 0, "recipe " + std::to_string(edit.recipeId) + " not in the index");
        edit.title = renames.Title();
        edit.wastedBefore = db->wastedBytes;
      },
      [&] {
        const int32_t oldPosition = EntryPosition(*db, edit.offset);
        Require(LoadRecord(*db, oldPosition), "LoadRecord failed");
        edit.oldSize = GetI32(db->recordHeaderBuffer, header::kRecordSize);
        SetCurrentTitle(*db, edit.title);
        edit.newPosition = AppendRecord(*db);
        Require(edit.newPosition >= 0, "AppendRecord failed");
        SetEntryKind(*db, edit.offset, kKindDeleted);
        {
          DataFile file = OpenDataFile("u", paths.recipeFile);
          Require(file.IsOpen(), "cannot open Recipe34.dat in mode u");
          Require(MarkRecordDeleted(*db, file, oldPosition), "MarkRecordDeleted failed");
        }
        Require(SortIndex(*db), "SortIndex could not save Index34.dat");
      },
      [&] {
        Require(db->wastedBytes - edit.wastedBefore == edit.oldSize,
                "wastedBytes grew by " + std::to_string(db->wastedBytes - edit.wastedBefore) +
                    ", the old copy had " + std::to_string(edit.oldSize) + " bytes");
        deadBytes += edit.oldSize;
        const int32_t o = FindEntryByRecipeId(*db, edit.recipeId);
        Require(o >= 0 && EntryTitle(*db, o) == edit.title &&
                    EntryPosition(*db, o) == edit.newPosition,
                "the edited recipe's entry does not show the edit");
        checkLoaded(*db, "edit");
      });
  report.figures.push_back({"one edit (load, append, delete old, sort)", editMs, 100});

  // Compaction, each run from the same state with the edits' dead copies.
  Note("compaction");
  const fs::path snapshot = fs::path(folder.Path()) / kSnapshotFolder;
  fs::create_directory(snapshot);
  CopyDurably(paths.recipeFile, snapshot / "Recipe34.dat");
  CopyDurably(paths.indexFile, snapshot / "Index34.dat");
  const int64_t beforeCompaction = FileBytes(paths.recipeFile);
  bool compacted = false;
  report.figures.push_back(
      {"CompactDatabase (after " + std::to_string(edits) + " edits)",
       Measure(
           kCostlyRuns,
           [&] {
             CopyDurably(snapshot / "Recipe34.dat", paths.recipeFile);
             CopyDurably(snapshot / "Index34.dat", paths.indexFile);
             db = fresh();
             LoadIndex(*db);
             Require(ValidateIndex(*db), "restored index rejected");
           },
           [&] { compacted = CompactDatabase(*db); },
           [&] {
             Require(compacted, "CompactDatabase failed");
             Require(FileBytes(paths.recipeFile) == beforeCompaction - deadBytes,
                     "compacted file has " + WithCommas(FileBytes(paths.recipeFile)) +
                         " bytes, expected " + WithCommas(beforeCompaction - deadBytes));
             Require(!FileExists(paths.backupFile), "Recipe34.bak left behind");
             checkLoaded(*db, "compaction");
             auto reopened = fresh();
             LoadIndex(*reopened);
             Require(ValidateIndex(*reopened), "index after compaction rejected at next start");
           }),
       3000});
  const int64_t afterCompaction = FileBytes(paths.recipeFile);

  // Importing through the ordinary append path, one record at a time.
  Note("AppendRecord");
  db = fresh();
  LoadIndex(*db);
  Require(ValidateIndex(*db), "index rejected before the appends");
  RecipeGenerator imports(kSeed + 4, options.chapters);
  std::vector<GeneratedRecord> batch;
  std::vector<double> sortAfterMs;
  int64_t lengthBefore = 0;
  int64_t batchBytes = 0;
  int32_t nextId = 0;
  const std::vector<double> appendMs = Measure(
      kAppendRounds,
      [&] {
        batch.clear();
        batchBytes = 0;
        for (int32_t i = 0; i < kAppendBatch; ++i) {
          batch.push_back(imports.Next());
          const GeneratedRecord& r = batch.back();
          batchBytes += kRecordHeaderSize + static_cast<int64_t>(r.title.size()) +
                        static_cast<int64_t>(r.ingredients.size()) +
                        static_cast<int64_t>(r.directions.size()) +
                        static_cast<int64_t>(r.photo.size());
        }
        lengthBefore = FileBytes(paths.recipeFile);
        nextId = db->nextRecipeId;
      },
      [&] {
        for (const GeneratedRecord& r : batch) {
          ClearCurrentRecord(*db);
          SetU8(db->recordHeaderBuffer, header::kRecordKind, r.kind);
          SetI32(db->recordHeaderBuffer, header::kRecipeId, nextId++);
          SetU16(db->recordHeaderBuffer, header::kChapterNumber, r.chapter);
          SetU8(db->recordHeaderBuffer, header::kServings, r.servings);
          SetCurrentTitle(*db, r.title);
          SetCurrentIngredients(*db, r.ingredients);
          SetCurrentDirections(*db, r.directions);
          if (!r.photo.empty()) {
            CreateBuffer(static_cast<int32_t>(r.photo.size()), db->photoBuffer);
            PutBytes(db->photoBuffer, 0, r.photo);
            SetI32(db->recordHeaderBuffer, header::kPhotoLength,
                   static_cast<int32_t>(r.photo.size()));
          }
          Require(AppendRecord(*db) >= 0, "AppendRecord failed");
        }
      },
      [&] {
        Require(FileBytes(paths.recipeFile) == lengthBefore + batchBytes,
                "the appends did not grow Recipe34.dat by the records' sizes");
        const Clock::time_point sortStart = Clock::now();
        Require(SortIndex(*db), "SortIndex after the appends failed");
        sortAfterMs.push_back(MsSince(sortStart));
        expectedRecipes += kAppendBatch;
        checkLoaded(*db, "appends");
      });
  report.figures.push_back(
      {"AppendRecord x " + std::to_string(kAppendBatch) + " (no sort)", appendMs, 0});
  report.figures.push_back(
      {"SortIndex after those " + std::to_string(kAppendBatch) + " appends", sortAfterMs, 0});

  // The report.
  const unsigned cores = std::thread::hardware_concurrency();
  std::printf("Tovalia database benchmark\n");
#if defined(__OPTIMIZE__)
  std::printf("  build:        optimized\n");
#else
  std::printf("  build:        NOT optimized (figures are not representative)\n");
#endif
  std::printf("  machine:      %u cores, %s\n", cores, CpuModel().c_str());
  std::printf("  folder:       %s (%s)\n", folder.Path().c_str(), folder.Fate().c_str());
  std::printf("  collection:   %s recipes and text records (%s text records, %s with a photo), "
              "%s chapters\n",
              WithCommas(liveRecipes).c_str(), WithCommas(summary.textRecords).c_str(),
              WithCommas(summary.photos).c_str(), WithCommas(summary.chapters).c_str());
  std::printf("                %s distinct titles\n", WithCommas(summary.distinctTitles).c_str());
  std::printf("  Recipe34.dat: %s bytes\n", WithCommas(recipeFileBytes).c_str());
  std::printf("  Index34.dat:  %s bytes\n", WithCommas(indexFileBytes).c_str());
  std::printf("  records:      %s (plus the file header)\n",
              WithCommas(int64_t{liveRecipes} + summary.chapters).c_str());
  std::printf("  generation:   %.1f ms in memory, %.1f ms to write and flush (%.0f MB/s)\n",
              buildMs, writeMs,
              static_cast<double>(recipeFileBytes) / 1e6 / std::max(writeMs / 1000, 1e-9));

  report.notes.push_back(
      "one edit: " + std::to_string(editMs.size()) + " edits, 90th percentile " +
      std::to_string(static_cast<int>(Percentile(editMs, 0.9) + 0.5)) + " ms, " +
      std::to_string(std::count_if(editMs.begin(), editMs.end(),
                                   [](double ms) { return ms >= 100; })) +
      " took 100 ms or more; they left " +
      WithCommas(deadBytes) + " dead bytes");
  report.notes.push_back("compaction: Recipe34.dat " + WithCommas(beforeCompaction) + " -> " +
                         WithCommas(afterCompaction) + " bytes");
  char rate[160];
  std::snprintf(rate, sizeof rate,
                "AppendRecord: %.0f recipes/s (median of %d batches of %d, onto %s records)",
                kAppendBatch / (Median(appendMs) / 1000), kAppendRounds, kAppendBatch,
                WithCommas(int64_t{liveRecipes} + summary.chapters).c_str());
  report.notes.push_back(rate);

  AddImportFigure(options, folder.Path(), 1, report);
  AddGroceryFigures(folder.Path(), options.groceryItems, report);

  // Printing 1,000 recipes on four 3x5 cards a sheet to a PDF file.
  Note("print");
  const std::string printFolder = folder.Path() + "print-bench/";
  fs::create_directories(printFolder);
  const bench::PrintFigures printed = bench::MeasurePrint(printFolder, 1000);
  fs::remove_all(printFolder);
  report.figures.push_back({"print 1,000 recipes, 3x5 cards 4 a sheet, to PDF", {printed.printMs}, 0});
  char printNote[200];
  std::snprintf(printNote, sizeof printNote,
                "print: %d recipes on %d cards, %d pages, PDF of %s bytes, %.0f ms of processor time",
                printed.recipes, printed.cards, printed.pages, WithCommas(printed.fileBytes).c_str(), printed.cpuMs);
  report.notes.push_back(printNote);
  AddMealFigures(folder.Path(), report);
  PrintTable(report);
  return 0;
}

}  // namespace
}  // namespace tovalia::bench

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
    return tovalia::bench::RunChild(argv[2], argv[3]);
  tovalia::bench::Options options;
  bool helpOnly = false;
  if (!tovalia::bench::ParseOptions(argc, argv, options, helpOnly)) return 2;
  if (helpOnly) {
    tovalia::bench::PrintUsage(stdout);
    return 0;
  }
  try {
    return options.groceryOnly ? tovalia::bench::RunGroceryOnly(options) : tovalia::bench::Run(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tovalia_bench: %s\n", e.what());
    return 1;
  }
}
