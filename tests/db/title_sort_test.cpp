#include "db/title_sort.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "db/cp1252.h"
#include "db/record_format.h"
#include "db/recipe_lists.h"
#include "db/title_index.h"
#include "support/collection.h"

namespace tovalia {
namespace {

using testing::Collection;
using testing::ReadBytes;

// The sort the index files have always been made with: insertion with a
// binary search whose first midpoint rounds a half to the even neighbour.
// Kept as it was, as the reference for the order of equal titles.
std::vector<int32_t> InsertionSortReference(const Database& db, std::vector<int32_t> a) {
  auto less = [&db](int32_t x, int32_t y) { return CompareUpperCased(EntryTitle(db, x), EntryTitle(db, y)) < 0; };
  const int64_t n = static_cast<int64_t>(a.size());
  for (int64_t i = 1; i < n; ++i) {
    const int32_t key = a[i];
    if (!less(key, a[i - 1])) continue;
    int64_t lo = 0;
    int64_t hi = i - 1;
    int64_t mid = hi / 2 + ((hi % 2 == 1) && ((hi / 2) % 2 == 1) ? 1 : 0);
    do {
      if (!less(key, a[mid])) {
        lo = mid;
      } else {
        hi = mid;
      }
      mid = lo + (hi - lo) / 2;
    } while (lo != mid);
    if (less(a[mid], key)) ++mid;
    std::memmove(&a[mid + 1], &a[mid], static_cast<size_t>(i - mid) * sizeof(int32_t));
    a[mid] = key;
  }
  return a;
}

std::vector<int32_t> LiveOffsets(const Database& db) {
  std::vector<int32_t> offsets;
  for (int32_t o = 0; o < db.indexSize; o += EntryLength(db, o))
    if (EntryKind(db, o) != kKindDeleted) offsets.push_back(o);
  return offsets;
}

// The index bytes the reference sort makes of the index as it stands.
std::vector<uint8_t> ReferenceIndexBytes(const Database& db) {
  std::vector<uint8_t> bytes;
  for (int32_t o : InsertionSortReference(db, LiveOffsets(db))) {
    const uint8_t* entryBytes = db.indexBuffer.Data() + o;
    bytes.insert(bytes.end(), entryBytes, entryBytes + EntryLength(db, o));
  }
  return bytes;
}

// Entries straight into the in-memory index; the sort needs no records.
void AddEntry(Database& db, int32_t recipeId, const std::string& title, int32_t kind = kKindRecipe) {
  NewIndexEntry e;
  e.position = 40 + recipeId;
  e.recipeId = recipeId;
  e.chapterNumber = kind == kKindChapter ? recipeId : 1;
  e.kind = kind;
  e.title = title;
  AppendIndexEntry(db, e);
}

// Short titles from a few letters in both cases, accented letters and a
// zero byte: many equal titles, many that are prefixes of others.
std::string ShortTitle(std::mt19937& random) {
  static const char kLetters[] = {'a', 'A', 'b', 'B', ' ', '\xE9', '\xC9', '\0'};
  std::string title;
  const int length = static_cast<int>(random() % 4);
  for (int k = 0; k < length; ++k) title += kLetters[random() % 8];
  return title;
}

// Long titles that agree in their first eight, sixteen or more bytes.
std::string LongTitle(std::mt19937& random) {
  static const char* const kStarts[] = {"Spicy Lemon Chicken ", "Spicy Lemon Chick", "SPICY LEMON", "spicy lemon ",
                                        "Golden Apple Pie with "};
  return std::string(kStarts[random() % 5]) + std::string(random() % 3, "xXy"[random() % 3]);
}

void ExpectSortedLikeTheReference(Collection& c) {
  const std::vector<uint8_t> expected = ReferenceIndexBytes(c.db());
  ASSERT_TRUE(SortIndex(c.db()));
  ASSERT_EQ(static_cast<size_t>(c.db().indexSize), expected.size());
  EXPECT_EQ(std::memcmp(c.db().indexBuffer.Data(), expected.data(), expected.size()), 0);
  EXPECT_EQ(ReadBytes(c.db().paths.indexFile), expected);
}

TEST(TitleSort, RandomTitlesWithManyEqualOnesComeOutAsTheInsertionSortPutsThem) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    SCOPED_TRACE(seed);
    Collection c;
    std::mt19937 random(seed);
    for (int i = 1; i <= 3000; ++i) {
      const int kind = random() % 50 == 0 ? kKindChapter : random() % 40 == 0 ? kKindDeleted : kKindRecipe;
      AddEntry(c.db(), i, random() % 4 == 0 ? LongTitle(random) : ShortTitle(random), kind);
    }
    ExpectSortedLikeTheReference(c);
    // The lists follow the index order.
    BuildRecipeList(c.db(), kAllRecipes);
    std::vector<int32_t> reference;
    for (int32_t o : LiveOffsets(c.db()))
      if (EntryKind(c.db(), o) != kKindChapter) reference.push_back(o);
    EXPECT_EQ(c.db().recipeList, reference);
  }
}

// After an edit the index is sorted but for the appended copy at its end,
// and a superseded entry among the others.
TEST(TitleSort, ASortedIndexWithAFewAppendedEntriesMatchesTheReference) {
  Collection c;
  std::mt19937 random(7);
  for (int i = 1; i <= 2000; ++i) AddEntry(c.db(), i, ShortTitle(random));
  ASSERT_TRUE(SortIndex(c.db()));
  int32_t id = 3000;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    const int added = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < added; ++k) AddEntry(c.db(), ++id, ShortTitle(random));
    const std::vector<int32_t> live = LiveOffsets(c.db());
    SetEntryKind(c.db(), live[random() % live.size()], kKindDeleted);
    ExpectSortedLikeTheReference(c);
  }
}

TEST(TitleSort, SortedOrEmptyIndexesStayAsTheyAre) {
  Collection c;
  TitleSortSpace space;
  LargeVector<int32_t> none;
  EXPECT_TRUE(SortEntryOffsets(c.db().indexBuffer.Data(), none, 0, space));
  EXPECT_TRUE(none.empty());
  for (int i = 1; i <= 50; ++i) AddEntry(c.db(), i, i % 2 ? "Same" : "same");
  AddEntry(c.db(), 51, "Zebra");
  const std::vector<int32_t> offsets = LiveOffsets(c.db());
  LargeVector<int32_t> sorted(offsets.begin(), offsets.end());
  EXPECT_TRUE(SortEntryOffsets(c.db().indexBuffer.Data(), sorted, 0, space));
  EXPECT_TRUE(std::equal(sorted.begin(), sorted.end(), offsets.begin(), offsets.end()));
}

// Enough entries out of order for the sort to use two threads.
TEST(TitleSort, ALargeShuffledIndexMatchesTheReference) {
  Collection c;
  std::mt19937 random(11);
  for (int i = 1; i <= 60000; ++i) AddEntry(c.db(), i, random() % 2 ? LongTitle(random) : ShortTitle(random));
  ExpectSortedLikeTheReference(c);
}

}  // namespace
}  // namespace tovalia
