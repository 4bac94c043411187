// tovalia_spell_bench DICTIONARY [--recipes N] [--corpus DIR]...
// Times loading the dictionary, the checking pass over every word of a
// generated collection (words per second) and the suggestions for a
// misspelled word; with --corpus, imports each file of the folders into a
// scratch database and reports the share of their recipes' words that the
// dictionary accepts.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../collection_generator.h"
#include "db/byte_buffer.h"
#include "db/data_paths.h"
#include "db/database.h"
#include "db/record_format.h"
#include "db/record_scanner.h"
#include "interchange/auto_import.h"
#include "spell/spell_dictionary.h"
#include "spell/spell_pass.h"
#include "spell/spell_suggestions.h"

namespace {

using namespace tovalia;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

struct Count {
  int64_t words = 0;
  int64_t misspelled = 0;
};

// Every word the pass looks up, and those it stops at.
void CheckTexts(SpellDictionary& d, std::vector<std::string*> texts, Count& count) {
  SpellPass pass(d);
  for (std::string* t : texts) pass.AddText(*t, 1 << 20);
  int64_t looked = 0;
  for (std::string* t : texts) {
    // Words the pass will look up: two characters or more, no digits.
    size_t at = 0;
    while (at < t->size()) {
      size_t end = at;
      while (end < t->size() && IsSpellWordCharacter(static_cast<uint8_t>((*t)[end]))) ++end;
      std::string w = t->substr(at, end - at);
      if (w.size() >= 2 && w.front() == '\'' && w.back() == '\'') w = w.substr(1, w.size() - 2);
      bool digit = false;
      for (char c : w) digit = digit || (c >= '0' && c <= '9');
      if (w.size() >= 2 && !digit) ++looked;
      at = end + 1;
    }
  }
  while (NextMisspelledWord(pass)) ++count.misspelled;
  count.words += looked;
}

std::string Text(const ByteBuffer& b, int32_t length) {
  if (length <= 0 || !b.Holds(0, length)) return {};
  return std::string(reinterpret_cast<const char*>(b.Data()), static_cast<size_t>(length));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tovalia_spell_bench DICTIONARY [--recipes N] [--corpus DIR]...\n");
    return 2;
  }
  const std::string dictionaryPath = argv[1];
  int32_t recipes = 100000;
  std::vector<std::string> corpora;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--recipes") recipes = std::atoi(argv[i + 1]);
    if (option == "--corpus") corpora.push_back(argv[i + 1]);
  }
  SpellDictionary d;
  double best = 1e9;
  for (int run = 0; run < 20; ++run) {
    const auto start = Clock::now();
    LoadSpellDictionary(d, dictionaryPath);
    best = std::min(best, Millis(start));
  }
  std::printf("dictionary: %d entries, loaded in %.2f ms (best of 20)\n", d.Count(), best);

  // Processor time beside the wall clock: on a shared machine the wall
  // clock counts the waits for a processor too.
  const auto suggestStart = Clock::now();
  const std::clock_t suggestCpu = std::clock();
  const char* wrong[] = {"cinamon", "tomatos", "simmr", "brocoli", "vanila", "chese", "unbleeched", "carmelized"};
  for (const char* w : wrong) SuggestSpellings(d, w);
  std::printf("suggestions: %.2f ms a word (%.2f ms of processor time)\n", Millis(suggestStart) / 8,
              1000.0 * static_cast<double>(std::clock() - suggestCpu) / CLOCKS_PER_SEC / 8);

  bench::RecipeGenerator generator(20240615, 200);
  Count generated;
  const auto passStart = Clock::now();
  for (int32_t i = 0; i < recipes; ++i) {
    bench::GeneratedRecord r = generator.Next();
    CheckTexts(d, {&r.title, &r.ingredients, &r.directions}, generated);
  }
  const double seconds = Millis(passStart) / 1000;
  std::printf("pass over %d generated recipes: %lld words in %.2f s, %.0f words per second\n", recipes,
              static_cast<long long>(generated.words), seconds, static_cast<double>(generated.words) / seconds);

  for (const std::string& folder : corpora) {
    Count count;
    int files = 0, stored = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      const fs::path scratch = fs::temp_directory_path() / "tovalia-spell-bench";
      fs::remove_all(scratch);
      fs::create_directories(scratch);
      Database db(DataPaths::ForDataFolder(scratch.string() + "/"));
      ImportOptions options;
      options.chapterNumber = 1;
      options.checkRecord = [&](Database& base) {
        const ByteBuffer& h = base.recordHeaderBuffer;
        std::string title = Text(base.titleBuffer, GetU8(h, header::kTitleLength));
        std::string ingredients = Text(base.ingredientsBuffer, GetI32(h, header::kIngredientsLength));
        std::string directions = Text(base.directionsBuffer, GetI32(h, header::kDirectionsLength));
        CheckTexts(d, {&title, &ingredients, &directions}, count);
        ++stored;
      };
      ImportAutomatically(db, entry.path().string(), options, [] { return std::string("Untitled"); });
      ++files;
      fs::remove_all(scratch);
    }
    std::printf("%s: %d files, %d recipes, %lld words, %lld not in the dictionary: %.2f%% accepted\n",
                folder.c_str(), files, stored, static_cast<long long>(count.words),
                static_cast<long long>(count.misspelled),
                100.0 * static_cast<double>(count.words - count.misspelled) / static_cast<double>(std::max<int64_t>(count.words, 1)));
  }
  return 0;
}
