// Manual import apart from its screen: the source's lines, marking
// segments, and the recipes saved from them.
#include <gtest/gtest.h>

#include "interchange/manual_import.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

TEST(ManualImportLines, LongLinesAreCutAtABlankAndTheSourceAt4000Lines) {
  const std::string words = "Stir the sauce over a low heat until it thickens and coats the back of a spoon, "
                            "about ten minutes.";
  const std::vector<std::string> lines =
      ManualImportLines("Caf\xC3\xA9 &amp; Bar\r\n\tTab\n" + words + "\n" + std::string(100, 'x') + "\n");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Cafe & Bar");
  EXPECT_EQ(lines[1], "        Tab");
  EXPECT_EQ(lines[2], "Stir the sauce over a low heat until it thickens and coats the back of a spoon,");
  EXPECT_EQ(lines[3], "about ten minutes.");
  EXPECT_EQ(lines[4], std::string(80, 'x'));
  EXPECT_EQ(lines[5], std::string(20, 'x'));
  std::string many;
  for (int i = 0; i < 4100; ++i) many += "line " + std::to_string(i) + "\n";
  const std::vector<std::string> cut = ManualImportLines(many);
  ASSERT_EQ(cut.size(), 4000u);
  EXPECT_EQ(cut.back(), "line 3999");
}

TEST(ManualSegments, TitleAndYieldTakeTheFirstHighlightedLineAndNothingHighlightedDoesNothing) {
  ManualSegments s;
  EXPECT_FALSE(AssignSegment(s, ManualSegment::kTitle));
  EXPECT_FALSE(s.title.Defined());
  Highlight(s, 7, 3);
  ASSERT_TRUE(AssignSegment(s, ManualSegment::kTitle));
  EXPECT_EQ(s.title.first, 3);
  EXPECT_EQ(s.title.last, 3);
  EXPECT_FALSE(s.selection.Defined());
  Highlight(s, 3, 7);
  ASSERT_TRUE(AssignSegment(s, ManualSegment::kIngredients));
  EXPECT_EQ(s.ingredients.first, 3);
  EXPECT_EQ(s.ingredients.last, 7);
  EXPECT_EQ(MissingSegmentMessage(s), "You have not defined a directions segment");
  EXPECT_FALSE(RecipeIsMarked(s));
  s.title = {};
  EXPECT_EQ(MissingSegmentMessage(s), "You have not defined a title segment");
  s.title = {0, 0};
  s.ingredients = {};
  s.directions = {1, 1};
  EXPECT_EQ(MissingSegmentMessage(s), "You have not defined an ingredients segment");
}

class ManualSave : public testing::ImportTest {
 protected:
  bool Save() {
    return SaveManualRecipe(c.db(), lines, segments, ImportOptions{false, 1}, [] { return std::string("Asked"); },
                            result);
  }
  void Mark(ManualSegment segment, int32_t first, int32_t last) {
    Highlight(segments, first, last);
    AssignSegment(segments, segment);
  }
  std::vector<std::string> lines = {
      "GRANNY'S OAT COOKIES",   "Makes 2 dozen",         "", "1 c rolled oats", "1/2 c butter", "",
      "2 T honey",              "",                      "Cream the butter",  "and the honey.", "",
      "Stir in the oats.",      "",                      "Leek Soup",         "3 leeks",        "Simmer.",
  };
  ManualSegments segments;
  ImportResult result;
};

TEST_F(ManualSave, TheMarkedLinesBecomeARecipeAndTheSegmentsAreCleared) {
  EXPECT_FALSE(Save());
  Mark(ManualSegment::kTitle, 0, 4);
  Mark(ManualSegment::kYield, 1, 1);
  Mark(ManualSegment::kIngredients, 3, 7);
  Mark(ManualSegment::kDirections, 8, 12);
  ASSERT_TRUE(Save());
  EXPECT_FALSE(segments.title.Defined() || segments.ingredients.Defined() || segments.directions.Defined() ||
               segments.yield.Defined());
  // A second recipe from the same source, without a yield.
  Mark(ManualSegment::kTitle, 13, 13);
  Mark(ManualSegment::kIngredients, 14, 14);
  Mark(ManualSegment::kDirections, 15, 15);
  ASSERT_TRUE(Save());
  EXPECT_EQ(result.stored, 2);
  EXPECT_EQ(result.lastChapter, 1);

  const std::vector<StoredRecord> r = testing::StoredRecords(c);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "Granny's Oat Cookies");
  EXPECT_EQ(r[0].servings, 2);
  EXPECT_EQ(r[0].ingredients, "1 cup rolled oats\r1/2 cup butter\r\r2 tablespoons honey\r");
  EXPECT_EQ(r[0].directions, "Cream the butter and the honey.\r\rStir in the oats.");
  EXPECT_EQ(r[1].title, "Leek Soup");
  EXPECT_EQ(r[1].servings, 4);
  EXPECT_EQ(r[1].ingredients, "3 leeks\r");
  EXPECT_EQ(r[1].directions, "Simmer.");
}

}  // namespace
}  // namespace tovalia
