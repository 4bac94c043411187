// Makes a large, believable recipe collection from fixed word lists and a
// fixed seed, so every run of the benchmark times the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovalia::bench {

// A small, fast generator whose sequence is the same on every compiler and
// library (the standard distributions are not).
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // Uniform in [0, n).
  int32_t Below(int32_t n);
  // Uniform in [lo, hi].
  int32_t Between(int32_t lo, int32_t hi) { return lo + Below(hi - lo + 1); }
  bool Percent(int32_t percent) { return Below(100) < percent; }

 private:
  uint64_t state_;
};

// One record's contents; texts are CP1252 bytes with CR line ends.
struct GeneratedRecord {
  int32_t kind = 0;  // 0 recipe, 1 text record
  int32_t chapter = 1;
  int32_t servings = 0;
  std::string title;
  std::string ingredients;
  std::string directions;
  std::string photo;  // empty for most
};

class RecipeGenerator {
 public:
  RecipeGenerator(uint64_t seed, int32_t chapterCount);

  // About 3% text records and 1% with a photo.
  GeneratedRecord Next();
  std::string Title();

 private:
  std::string Ingredients();
  std::string Directions();
  std::string Photo();
  std::string Sentence();
  const std::string& Pick(const std::vector<std::string>& words);

  Rng rng_;
  int32_t chapterCount_;
};

// Distinct chapter names built from cuisine and course words.
std::vector<std::string> MakeChapterNames(int32_t count);

struct FileSummary {
  int64_t bytes = 0;
  int32_t recipes = 0;      // kind 0
  int32_t textRecords = 0;  // kind 1
  int32_t photos = 0;
  int32_t chapters = 0;
  int32_t distinctTitles = 0;
  std::vector<int32_t> perChapter;  // recipes and text records, by chapter number
};

// The whole Recipe34.dat in memory: file header, the chapters, then the
// recipes in the order a user would have added them (so not by title).
std::vector<uint8_t> BuildRecipeFile(int32_t recipeCount, int32_t chapterCount, uint64_t seed,
                                     FileSummary& summary);

}  // namespace tovalia::bench
