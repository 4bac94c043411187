// The duplicate finder: the word counters, the matching rule at its edges,
// the automatic marks, the grouped search against the walk over every
// pair, stopping, and a collection imported twice.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "db/byte_buffer.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "interchange/duplicate_finder.h"
#include "support/imports.h"

namespace tovalia {
namespace {

// A (A-F), G (G-L), M (M-R), S (S-Z), then lengths 2 to 7.
WordCounters Counters(std::array<int, 10> values) {
  WordCounters c{};
  for (size_t k = 0; k < 10; ++k) c[k] = static_cast<uint8_t>(values[k]);
  return c;
}

std::string Repeated(const std::string& word, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += word + " ";
  return text;
}

class Stopping : public SilentProgress {
 public:
  bool StopRequested() override { return true; }
};

TEST(WordCounters, WordsAreCountedByFirstLetterAndLength) {
  // "don't" is one word of five; "x2y" one of three; "crème" (an accented
  // byte inside) one of five; "a" counts for its letter only; "15" is none.
  EXPECT_EQ(CountWords("Add flour, don't stir; x2y cr\xE8me a 15 ZUCCHINI.\r"),
            Counters({5, 0, 0, 3, 0, 2, 1, 3, 0, 0}));
  // A word that runs to the last byte ends there only on a byte that is no letter.
  EXPECT_EQ(CountWords("salt and pepper"), CountWords("salt and "));
  EXPECT_EQ(CountWords("salt and pepper1"), CountWords("salt and pepper."));
  EXPECT_NE(CountWords("salt and pepper1"), CountWords("salt and "));
}

TEST(WordCounters, CountsAbove255AreHalvedToTheNearestEvenAndCountingStopsAt65535Words) {
  EXPECT_EQ(CounterByte(255), 255);
  EXPECT_EQ(CounterByte(256), 128);
  EXPECT_EQ(CounterByte(257), 128);  // 128.5: the even neighbour
  EXPECT_EQ(CounterByte(259), 130);  // 129.5
  EXPECT_EQ(CounterByte(1022), 128);  // 511, then 255.5 gives 256, then 128
  EXPECT_EQ(CountWords(Repeated("be", 300))[0], 150);
  // The 65535th word is the last counted: the words after it change nothing.
  const std::string full = Repeated("be", 65535);
  EXPECT_EQ(CountWords(full + Repeated("so", 400)), CountWords(full));
  EXPECT_NE(CountWords(Repeated("be", 65534) + Repeated("so", 400)), CountWords(full));
}

TEST(MatchingRule, EveryCounterWithinTwoAndEnoughEqual) {
  const WordCounters base = Counters({40, 30, 20, 10, 9, 8, 7, 6, 5, 4});
  EXPECT_EQ(EqualCounters(base, base), 10);
  // Seven equal, three 2 apart: a pair at every level.
  const WordCounters seven = Counters({40, 30, 20, 10, 9, 8, 7, 8, 7, 2});
  EXPECT_EQ(EqualCounters(base, seven), 7);
  EXPECT_TRUE(IsDuplicatePair(base, seven, kBestMatching));
  const WordCounters six = Counters({40, 30, 20, 10, 9, 8, 8, 8, 7, 2});
  EXPECT_FALSE(IsDuplicatePair(base, six, kBestMatching));
  EXPECT_TRUE(IsDuplicatePair(base, six, kAverageMatching));
  const WordCounters five = Counters({40, 30, 20, 10, 9, 9, 8, 8, 7, 2});
  EXPECT_FALSE(IsDuplicatePair(base, five, kAverageMatching));
  EXPECT_TRUE(IsDuplicatePair(base, five, kPoorMatching));
  // A difference of 3 in any one counter ends the match, however many agree.
  for (size_t k = 0; k < 10; ++k) {
    WordCounters apart = base;
    apart[k] = static_cast<uint8_t>(apart[k] + 3);
    EXPECT_EQ(EqualCounters(base, apart), 0) << k;
    apart[k] = static_cast<uint8_t>(base[k] - 3);
    EXPECT_FALSE(IsDuplicatePair(apart, base, kPoorMatching)) << k;
  }
}

TEST(MatchingRule, TheNewerCopyIsMarkedThenTheOneWithoutAPhotoThenTheOneStoredLater) {
  RecipeFingerprint older{100, 0, 1, 2024, 3, 14, {}};
  RecipeFingerprint newer{200, 0, 2, 2024, 3, 15, {}};
  EXPECT_EQ(AutomaticMark(older, newer), 1);
  EXPECT_EQ(AutomaticMark(newer, older), 0);
  newer.savedMonth = 2, newer.savedDay = 28;  // an earlier month outweighs a later day
  EXPECT_EQ(AutomaticMark(older, newer), 0);
  RecipeFingerprint withPhoto{300, 5000, 1, 2024, 3, 14, {}};
  RecipeFingerprint withoutPhoto{400, 0, 2, 2024, 3, 14, {}};
  EXPECT_EQ(AutomaticMark(withPhoto, withoutPhoto), 1);
  EXPECT_EQ(AutomaticMark(withoutPhoto, withPhoto), 0);
  // Same day, same photo: the copy stored later, whichever comes first in the index.
  RecipeFingerprint first{500, 0, 7, 2024, 3, 14, {}};
  RecipeFingerprint copy{600, 0, 9, 2024, 3, 14, {}};
  EXPECT_EQ(AutomaticMark(first, copy), 1);
  EXPECT_EQ(AutomaticMark(copy, first), 0);
}

// Many fingerprints close to a few shapes (so that near pairs abound), some
// exact copies among them.
std::vector<RecipeFingerprint> CrowdedFingerprints(size_t count, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<WordCounters> shapes;
  for (int s = 0; s < 25; ++s) {
    WordCounters shape{};
    for (uint8_t& c : shape) c = static_cast<uint8_t>(3 + rng() % 250);
    shapes.push_back(shape);
  }
  std::vector<RecipeFingerprint> prints;
  for (size_t i = 0; i < count; ++i) {
    RecipeFingerprint p;
    p.position = static_cast<int32_t>(40 + 100 * i);
    p.recipeId = static_cast<int32_t>(1 + rng() % 5000);
    p.photoLength = rng() % 4 == 0 ? static_cast<int32_t>(rng() % 3) * 1000 : 0;
    p.savedYear = 2020 + static_cast<int32_t>(rng() % 2);
    p.savedMonth = 1 + static_cast<int32_t>(rng() % 2);
    p.savedDay = 1 + static_cast<int32_t>(rng() % 2);
    if (i > 0 && rng() % 5 == 0) {
      p.counters = prints[rng() % prints.size()].counters;
    } else {
      p.counters = shapes[rng() % shapes.size()];
      for (uint8_t& c : p.counters) c = static_cast<uint8_t>(c + static_cast<int>(rng() % 7) - 3);
    }
    prints.push_back(p);
  }
  return prints;
}

TEST(PairSearch, TheGroupedSearchFindsExactlyThePairsOfTheWalkInItsOrder) {
  SilentProgress quiet;
  const std::vector<RecipeFingerprint> prints = CrowdedFingerprints(3000, 21);
  for (int32_t threshold : {kBestMatching, kAverageMatching, kPoorMatching}) {
    const DuplicateSearch walked = FindDuplicatePairsByWalk(prints, threshold, quiet);
    const DuplicateSearch grouped = FindDuplicatePairs(prints, threshold, quiet);
    ASSERT_GT(walked.pairs.size(), 500u) << threshold;
    ASSERT_EQ(grouped.pairs.size(), walked.pairs.size()) << threshold;
    for (size_t p = 0; p < walked.pairs.size(); ++p) {
      for (size_t h = 0; h < 2; ++h) {
        EXPECT_EQ(grouped.pairs[p].halves[h].fingerprint, walked.pairs[p].halves[h].fingerprint);
        EXPECT_EQ(grouped.pairs[p].halves[h].marked, walked.pairs[p].halves[h].marked);
      }
    }
    EXPECT_EQ(grouped.markedCount, walked.markedCount);
    EXPECT_GT(grouped.markedCount, 0);
  }
}

// Fingerprints at the edges of a counter's range (0 to 2 and 253 to 255,
// where the cells' neighbours run out) and crowded into a few values, so
// that the search must place recipes in cells by few counters.
std::vector<RecipeFingerprint> EdgeFingerprints(size_t count, uint32_t seed) {
  std::mt19937 rng(seed);
  constexpr uint8_t kBases[] = {0, 253, 121};
  std::vector<WordCounters> shapes(4);
  for (WordCounters& shape : shapes)
    for (uint8_t& c : shape) c = kBases[rng() % 3];
  std::vector<RecipeFingerprint> prints(count);
  for (size_t i = 0; i < count; ++i) {
    RecipeFingerprint& p = prints[i];
    p.position = static_cast<int32_t>(40 + 100 * i);
    p.recipeId = static_cast<int32_t>(i + 1);
    p.savedYear = 2024;
    p.savedMonth = 1;
    p.savedDay = 1 + static_cast<int32_t>(rng() % 3);
    p.counters = shapes[rng() % shapes.size()];
    for (uint8_t& c : p.counters) c = static_cast<uint8_t>(c + rng() % 3);
  }
  return prints;
}

TEST(PairSearch, TheGroupedSearchAgreesAtTheEdgesOfTheCountersAndInCrowdedCells) {
  SilentProgress quiet;
  for (uint32_t seed : {1u, 2u, 3u}) {
    const std::vector<RecipeFingerprint> prints = EdgeFingerprints(1500, seed);
    for (int32_t threshold : {kBestMatching, kPoorMatching}) {
      const DuplicateSearch walked = FindDuplicatePairsByWalk(prints, threshold, quiet);
      const DuplicateSearch grouped = FindDuplicatePairs(prints, threshold, quiet);
      ASSERT_GT(walked.pairs.size(), 100u) << seed << " " << threshold;
      ASSERT_EQ(grouped.pairs.size(), walked.pairs.size()) << seed << " " << threshold;
      for (size_t p = 0; p < walked.pairs.size(); ++p)
        for (size_t h = 0; h < 2; ++h)
          ASSERT_EQ(grouped.pairs[p].halves[h].fingerprint, walked.pairs[p].halves[h].fingerprint) << p;
      EXPECT_EQ(grouped.markedCount, walked.markedCount);
    }
  }
  // Nothing, one recipe, two far apart: no pair either way.
  EXPECT_TRUE(FindDuplicatePairs({}, kPoorMatching, quiet).pairs.empty());
  std::vector<RecipeFingerprint> two = EdgeFingerprints(2, 9);
  two[1].counters = two[0].counters;
  two[1].counters[9] = static_cast<uint8_t>(two[0].counters[9] < 128 ? two[0].counters[9] + 3 : two[0].counters[9] - 3);
  EXPECT_TRUE(FindDuplicatePairs({two[0]}, kPoorMatching, quiet).pairs.empty());
  EXPECT_TRUE(FindDuplicatePairs(two, kPoorMatching, quiet).pairs.empty());
  EXPECT_TRUE(FindDuplicatePairsByWalk(two, kPoorMatching, quiet).pairs.empty());
}

TEST(PairSearch, ARecipeMarkedInOnePairIsMarkedInEveryPairAndCountedOnce) {
  // Three identical copies saved the same day: the two stored later go.
  std::vector<RecipeFingerprint> prints(3);
  for (int32_t i = 0; i < 3; ++i) prints[static_cast<size_t>(i)] = {40 + 100 * i, 0, 3 - i, 2024, 1, 1, {}};
  SilentProgress quiet;
  DuplicateSearch search = FindDuplicatePairs(prints, kBestMatching, quiet);
  ASSERT_EQ(search.pairs.size(), 3u);
  EXPECT_EQ(search.markedCount, 2);
  EXPECT_EQ(MarkedPositions(search.pairs), (std::vector<int32_t>{40, 140}));
  // Unmarking a recipe in one pair unmarks it everywhere.
  SetMark(search.pairs, 0, 0, false);
  EXPECT_EQ(MarkedPositions(search.pairs), std::vector<int32_t>{140});
  ClearMarks(search.pairs);
  EXPECT_EQ(CountMarked(search.pairs), 0);
}

TEST(PairSearch, StoppingEitherStageEndsWithNothing) {
  testing::Collection c;
  c.AppendChapter(1, "Soups");
  c.AppendRecipe(1, 1, "Leek Soup", "2 leeks", "Simmer the leeks.");
  c.AppendRecipe(2, 1, "Leek Soup", "2 leeks", "Simmer the leeks.");
  SortIndex(c.db());
  Stopping stop;
  std::vector<RecipeFingerprint> prints;
  c.db().progress = &stop;
  EXPECT_FALSE(GatherFingerprints(c.db(), prints));
  EXPECT_TRUE(prints.empty());
  EXPECT_TRUE(LocateDuplicates(c.db(), kBestMatching).search.stopped);
  SilentProgress quiet;
  c.db().progress = &quiet;
  ASSERT_TRUE(GatherFingerprints(c.db(), prints));
  const DuplicateSearch stopped = FindDuplicatePairs(prints, kBestMatching, stop);
  EXPECT_TRUE(stopped.stopped);
  EXPECT_TRUE(stopped.pairs.empty());
  EXPECT_EQ(FindDuplicatePairs(prints, kBestMatching, quiet).pairs.size(), 1u);
}

TEST(Fingerprints, ChaptersAndDeletedRecordsAreNeverCounted) {
  testing::Collection c;
  c.AppendChapter(1, "Soups");
  c.AppendRecipe(1, 1, "Leek Soup", "2 leeks", "Simmer the leeks.");
  c.AppendRecipe(2, 1, "Kitchen Notes", "Sharpen the knives.", "", kKindTextRecord);
  c.AppendRecipe(3, 1, "Gone", "1 egg", "Boil.");
  c.AppendRecipe(4, 1, "Rye Bread", "3 cups rye flour", "Bake.");
  SortIndex(c.db());
  for (int32_t o = 0; o < c.db().indexSize; o += EntryLength(c.db(), o)) {
    if (EntryRecipeId(c.db(), o) == 3) {
      ASSERT_TRUE(DeleteEntries(c.db(), {o}).Done());
      break;
    }
  }
  std::vector<RecipeFingerprint> prints;
  ASSERT_TRUE(GatherFingerprints(c.db(), prints));
  std::set<int32_t> ids;
  for (const RecipeFingerprint& p : prints) ids.insert(p.recipeId);
  EXPECT_EQ(ids, (std::set<int32_t>{1, 2, 4}));
}

// Every stored record without its RecipeId, in RecipeId order.
std::vector<std::string> Contents(testing::Collection& c) {
  std::vector<std::string> contents;
  for (const testing::StoredRecord& r : testing::StoredRecords(c))
    contents.push_back(r.title + "|" + std::to_string(r.kind) + "|" + std::to_string(r.servings) + "|" +
                       r.ingredients + "|" + r.directions);
  return contents;
}

std::vector<int32_t> RecipeIds(testing::Collection& c) {
  std::vector<int32_t> ids;
  for (int32_t o = 0; o < c.db().indexSize; o += EntryLength(c.db(), o))
    if (EntryKind(c.db(), o) < kKindChapter) ids.push_back(EntryRecipeId(c.db(), o));
  std::sort(ids.begin(), ids.end());
  return ids;
}

// A file imported twice: one pair per recipe, the second copy marked;
// deleting the marked ones gives back the collection of one import.
void CheckImportedTwice(const std::string& path, size_t recipes) {
  testing::Collection once;
  testing::AddImportChapter(once);
  ASSERT_EQ(testing::ImportFile(once, path).result.stored, static_cast<int32_t>(recipes));
  testing::Collection twice;
  testing::AddImportChapter(twice);
  testing::ImportFile(twice, path);
  testing::ImportFile(twice, path);

  const DuplicateFinding finding = LocateDuplicates(twice.db(), kBestMatching);
  ASSERT_EQ(finding.search.pairs.size(), recipes);
  EXPECT_EQ(finding.search.markedCount, static_cast<int32_t>(recipes));
  std::set<int32_t> markedIds;
  for (const DuplicatePair& pair : finding.search.pairs) {
    EXPECT_NE(pair.halves[0].marked, pair.halves[1].marked);
    for (const DuplicateHalf& half : pair.halves)
      if (half.marked) markedIds.insert(finding.fingerprints[static_cast<size_t>(half.fingerprint)].recipeId);
  }
  // The second import's records have the RecipeIds after the first's.
  ASSERT_EQ(markedIds.size(), recipes);
  EXPECT_GT(*markedIds.begin(), static_cast<int32_t>(recipes));

  const DuplicateDeletion deletion = DeleteMarkedDuplicates(twice.db(), finding.search.pairs);
  EXPECT_TRUE(deletion.report.Done());
  EXPECT_EQ(deletion.deleted, static_cast<int32_t>(recipes));
  EXPECT_TRUE(deletion.compacted);
  twice.Reopen();
  LoadIndex(twice.db());
  EXPECT_EQ(Contents(twice), Contents(once));
  EXPECT_EQ(RecipeIds(twice), RecipeIds(once));
  EXPECT_TRUE(LocateDuplicates(twice.db(), kBestMatching).search.pairs.empty());
}

TEST(ImportedTwice, OnePairPerRecipeTheSecondCopyMarkedAndDeletedAgain) {
  testing::Collection c;
  const std::string path = c.folder().File("three.mmf");
  const std::string text =
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Bars\n Categories: Cookies\n"
      "      Yield: 24 servings\n\n      2 c  flour\n    1/2 c  sugar\n      2    lemons, juiced\n\n"
      "  Mix the flour and sugar, press into a pan and bake until golden.\nMMMMM\n\n"
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Leek Soup\n Categories: Soups\n"
      "      Yield: 4 servings\n\n      3    leeks, sliced\n      1 qt stock\n\n"
      "  Sweat the leeks in butter, add the stock and simmer for twenty minutes.\nMMMMM\n\n"
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Rye Bread\n Categories: Breads\n"
      "      Yield: 1 loaf\n\n      3 c  rye flour\n      1 tb yeast\n      2 c  water\n\n"
      "  Knead well, let it rise twice and bake for an hour in a hot oven.\nMMMMM\n";
  testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
  CheckImportedTwice(path, 3);
}

TEST(ImportedTwice, RealMealMasterFiles) {
  const std::string small = testing::CorpusFile("mealmaster/gourmet_mealmaster.mmf");
  if (small.empty()) GTEST_SKIP() << "no corpus beside the repository";
  CheckImportedTwice(small, 5);
  // A thousand recipes, none a copy of another within the file.
  const std::string large = testing::CorpusFile("mealmaster/javarecipes_Mm13000a.mmf");
  ASSERT_FALSE(large.empty());
  CheckImportedTwice(large, 1000);
}

}  // namespace
}  // namespace tovalia
