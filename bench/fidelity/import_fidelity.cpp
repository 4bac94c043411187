// import_fidelity: imports every file of the recipe corpus into a fresh
// collection and holds what was stored against the source: recipes the
// files' markers announce and recipes stored, per folder; for the text
// exports the share of each source recipe's content words found again, the
// stored ingredient lines that hold two ingredients, and a check of title,
// servings and words per recipe. With --dump it writes a sample of recipes,
// source beside stored, for reading by eye.
//
//   import_fidelity [--corpus DIR] [--dump DIR] [--sample N] [--files PART] [--per-file] [--list-two] [--list-rejected]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "content_words.h"
#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/import_command.h"
#include "interchange/import_lines.h"
#include "interchange/source_text.h"
#include "source_recipes.h"

namespace fs = std::filesystem;
using namespace tovalia;
using namespace tovalia::fidelity;

namespace {

struct StoredRecipe {
  int32_t id = 0;
  int kind = 0;
  int servings = 0;
  std::string title;
  std::string ingredients;
  std::string directions;
};

std::vector<std::string> SplitCr(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line, '\r');) lines.push_back(line);
  return lines;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Imports one file into a fresh collection; the stored records in the
// order they were stored.
std::vector<StoredRecipe> ImportIntoFreshCollection(const fs::path& file, const fs::path& scratch) {
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  Database db(DataPaths::ForDataFolder(scratch.string() + "/"));
  LoadIndex(db);
  ImportRequest request;
  request.sourcePath = file.string();
  request.sortByCategory = true;
  RunImport(db, request, nullptr);
  std::vector<StoredRecipe> stored;
  BuildRecipeList(db, kAllRecipes);
  for (int32_t offset : db.recipeList) {
    if (!LoadRecord(db, EntryPosition(db, offset))) continue;
    const ByteBuffer& h = db.recordHeaderBuffer;
    StoredRecipe r;
    r.id = GetI32(h, header::kRecipeId);
    r.kind = GetU8(h, header::kRecordKind);
    r.servings = GetU8(h, header::kServings);
    r.title = GetBytes(db.titleBuffer, 0, GetU8(h, header::kTitleLength));
    r.ingredients = GetBytes(db.ingredientsBuffer, 0, GetI32(h, header::kIngredientsLength));
    r.directions = GetBytes(db.directionsBuffer, 0, GetI32(h, header::kDirectionsLength));
    stored.push_back(std::move(r));
  }
  std::sort(stored.begin(), stored.end(), [](const StoredRecipe& a, const StoredRecipe& b) { return a.id < b.id; });
  return stored;
}

struct Totals {
  int files = 0;
  int announced = 0;
  int stored = 0;
  int measured = 0;     // source recipes held against a stored one
  int lost = 0;         // source recipes with no stored recipe of their title
  int64_t sourceWords = 0;
  int64_t keptWords = 0;
  int twoIngredientLines = 0;
  int recipesWithTwoIngredientLines = 0;
  int textRecords = 0;
  int acceptedAutomatically = 0;
};

std::string Percent(int64_t part, int64_t whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
  return text;
}

std::string Share(int64_t part, int64_t whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f%%", whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
  return text;
}

void WriteSample(std::ofstream& out, const SourceRecipe& source, const StoredRecipe* stored, const WordShare& share,
                 int twoIngredientLines) {
  out << "==================== SOURCE\n";
  for (const std::string& line : source.all) out << Cp1252ToUtf8(line) << '\n';
  out << "-------------------- STORED";
  if (stored == nullptr) {
    out << ": nothing\n\n";
    return;
  }
  out << " (" << (stored->kind == kKindTextRecord ? "text record" : "recipe") << ", words kept "
      << share.keptWords << "/" << share.sourceWords << ", two-ingredient lines " << twoIngredientLines << ")\n";
  out << "Title: " << Cp1252ToUtf8(stored->title) << "\nServings: " << stored->servings << "\n-- ingredients\n";
  for (const std::string& line : SplitCr(stored->ingredients)) out << Cp1252ToUtf8(line) << '\n';
  out << "-- directions\n";
  for (const std::string& line : SplitCr(stored->directions)) out << Cp1252ToUtf8(line) << '\n';
  out << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  fs::path corpus = TOVALIA_CORPUS_DIR;
  fs::path dump;
  int sample = 30;
  std::string only;
  bool perFile = false;
  bool listTwo = false;
  bool listRejected = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--corpus" && value) {
      corpus = value, ++i;
    } else if (arg == "--dump" && value) {
      dump = value, ++i;
    } else if (arg == "--sample" && value) {
      sample = std::max(1, std::atoi(value)), ++i;
    } else if (arg == "--files" && value) {
      only = value, ++i;
    } else if (arg == "--per-file") {
      perFile = true;
    } else if (arg == "--list-two") {
      listTwo = true;
    } else if (arg == "--list-rejected") {
      listRejected = true;
    } else {
      std::fprintf(stderr, "usage: import_fidelity [--corpus DIR] [--dump DIR] [--sample N] [--files PART] [--per-file] [--list-two] [--list-rejected]\n");
      return 2;
    }
  }
  if (!fs::exists(corpus)) {
    std::fprintf(stderr, "import_fidelity: no corpus at %s\n", corpus.string().c_str());
    return 2;
  }
  if (!dump.empty()) fs::create_directories(dump);
  const fs::path scratch = fs::temp_directory_path() / ("import_fidelity_" + std::to_string(::getpid()));

  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
    if (!entry.is_regular_file() || entry.path().filename() == "SOURCES.md") continue;
    const std::string name = fs::relative(entry.path(), corpus).generic_string();
    if (!only.empty() && name.find(only) == std::string::npos) continue;
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());

  std::map<std::string, Totals> byFolder;  // folder, or "mastercook (text)" and "mastercook (xml)"
  for (const fs::path& file : files) {
    const std::string name = fs::relative(file, corpus).generic_string();
    const SourceKind kind = KindOfFile(name);
    std::string group = name.substr(0, name.find('/'));
    if (kind == SourceKind::kMasterCookText) group += " (text)";
    if (kind == SourceKind::kMasterCookXml) group += " (xml)";
    Totals& t = byFolder[group];
    Totals f;
    ++f.files;
    const std::string text = DecodeSourceText(ReadBytes(file));
    const std::vector<StoredRecipe> stored = ImportIntoFreshCollection(file, scratch);
    f.stored = static_cast<int>(stored.size());
    for (const StoredRecipe& r : stored) f.textRecords += r.kind == kKindTextRecord ? 1 : 0;

    const std::vector<SourceRecipe> sources = CutTextExport(kind, text);
    f.announced = sources.empty() ? CountStructuredRecipes(kind, text) : static_cast<int>(sources.size());

    std::ofstream sampleOut;
    std::vector<size_t> picked;
    if (!dump.empty() && sources.size() >= 100) {
      std::string flat = name;
      std::replace(flat.begin(), flat.end(), '/', '_');
      sampleOut.open(dump / (flat + ".txt"));
      for (int k = 0; k < sample; ++k) picked.push_back(sources.size() * static_cast<size_t>(k) / static_cast<size_t>(sample) + 3);
    }
    size_t next = 0;  // the next stored recipe not yet matched
    for (size_t i = 0; i < sources.size(); ++i) {
      const SourceRecipe& source = sources[i];
      const std::string title = UpperCase(CleanTitle(source.title, nullptr));
      const StoredRecipe* match = nullptr;
      for (size_t j = next; j < stored.size() && j < next + 4; ++j) {
        if (UpperCase(stored[j].title) == title) {
          match = &stored[j];
          next = j + 1;
          break;
        }
      }
      const std::map<std::string, int> sourceWords = ContentWords(source.content);
      WordShare share;
      int twoLines = 0;
      if (match == nullptr) {
        ++f.lost;
        share = CompareWords(sourceWords, {});
      } else {
        ++f.measured;
        std::vector<std::string> storedLines = SplitCr(match->ingredients);
        for (const std::string& line : storedLines) {
          // A text record's lines are text, not ingredient lines.
          if (match->kind == kKindTextRecord || !HoldsTwoIngredients(line, source.all)) continue;
          ++twoLines;
          if (listTwo) std::printf("two: %s | %s\n", name.c_str(), Cp1252ToUtf8(line).c_str());
        }
        const std::vector<std::string> directionLines = SplitCr(match->directions);
        storedLines.insert(storedLines.end(), directionLines.begin(), directionLines.end());
        share = CompareWords(sourceWords, ContentWords(storedLines));
        const int expectedServings = source.servings > 0 ? std::min(source.servings, 255) : match->servings;
        const bool wordsKept = share.sourceWords == 0 || share.keptWords * 100 >= share.sourceWords * 98;
        if (twoLines == 0 && match->servings == expectedServings && wordsKept) {
          ++f.acceptedAutomatically;
        } else if (listRejected) {
          std::printf("rejected: %s | %s | servings %d/%d words %d/%d two %d\n", name.c_str(),
                      Cp1252ToUtf8(match->title).c_str(), match->servings, expectedServings, share.keptWords,
                      share.sourceWords, twoLines);
        }
      }
      f.sourceWords += share.sourceWords;
      f.keptWords += share.keptWords;
      f.twoIngredientLines += twoLines;
      f.recipesWithTwoIngredientLines += twoLines > 0 ? 1 : 0;
      if (sampleOut.is_open() && std::find(picked.begin(), picked.end(), i) != picked.end())
        WriteSample(sampleOut, source, match, share, twoLines);
    }
    if (perFile) {
      std::printf("%-70s announced %5d stored %5d text %4d lost %4d words %s two-ingredient lines %d accepted %s\n",
                  name.c_str(), f.announced, f.stored, f.textRecords, f.lost, Share(f.keptWords, f.sourceWords).c_str(),
                  f.twoIngredientLines, Percent(f.acceptedAutomatically, f.measured + f.lost).c_str());
    }
    t.files += f.files;
    t.announced += f.announced;
    t.stored += f.stored;
    t.measured += f.measured;
    t.lost += f.lost;
    t.sourceWords += f.sourceWords;
    t.keptWords += f.keptWords;
    t.twoIngredientLines += f.twoIngredientLines;
    t.recipesWithTwoIngredientLines += f.recipesWithTwoIngredientLines;
    t.textRecords += f.textRecords;
    t.acceptedAutomatically += f.acceptedAutomatically;
  }
  fs::remove_all(scratch);

  std::printf("\n%-20s %5s %9s %7s %6s %12s %10s %14s %13s %11s\n", "folder", "files", "announced", "stored",
              "text", "words kept", "2-ingr.", "in recipes", "auto-checked", "lost");
  for (const auto& [group, t] : byFolder) {
    const bool measured = t.measured + t.lost > 0;
    std::printf("%-20s %5d %9d %7d %6d %12s %10s %14s %13s %11s\n", group.c_str(), t.files, t.announced, t.stored,
                t.textRecords, measured ? Share(t.keptWords, t.sourceWords).c_str() : "-",
                measured ? std::to_string(t.twoIngredientLines).c_str() : "-",
                measured ? std::to_string(t.recipesWithTwoIngredientLines).c_str() : "-",
                measured ? Percent(t.acceptedAutomatically, t.measured + t.lost).c_str() : "-",
                measured ? std::to_string(t.lost).c_str() : "-");
  }
  return 0;
}
