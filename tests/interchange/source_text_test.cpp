#include "interchange/source_text.h"

#include <gtest/gtest.h>

#include "db/cp1252.h"
#include "support/imports.h"

namespace tovalia {
namespace {

using testing::StoredRecord;

TEST(SourceText, TheEncodingIsToldByTheMarkOrByTheBytes) {
  EXPECT_EQ(DetectSourceEncoding("plain ASCII"), SourceEncoding::kCp1252);
  EXPECT_EQ(DetectSourceEncoding("\xEF\xBB\xBFTitle: Pie"), SourceEncoding::kUtf8);
  EXPECT_EQ(DetectSourceEncoding("\xFF\xFET\0i\0"), SourceEncoding::kUtf16LittleEndian);
  // mealmaster/raku-recipes_apetizer.mmf writes degrees as UTF-8.
  EXPECT_EQ(DetectSourceEncoding("Bake at 350\xC2\xBA" "F for 20 minutes."), SourceEncoding::kUtf8);
  // mastercook/javarecipes_mcexports_Paella_Collection.mxp.txt: CP1252 accents.
  EXPECT_EQ(DetectSourceEncoding("Paella Valenciana con arroz bomba, aceite de oliva y azafr\xE1n"),
            SourceEncoding::kCp1252);
  // mealmaster/javarecipes_Mm13000c.mmf: the DOS degree sign after a number,
  // a no-break space in the amount column.
  EXPECT_EQ(DetectSourceEncoding("  Bake at 350\xF8 for 1 hour.\r\n  \xFF\xFF\xFF\xFF\xFF g  white pepper"),
            SourceEncoding::kCp437);
  // mastercook/javarecipes_mcexports_the_great_cookie_cookbook.mxp.txt: the CP1252 degree sign.
  EXPECT_EQ(DetectSourceEncoding("Bake at 375\xB0 for 10 minutes."), SourceEncoding::kCp1252);
}

TEST(SourceText, EverySourceBecomesCp1252WithPlainFormsForWhatItCannotHold) {
  EXPECT_EQ(DecodeSourceText("Consomm\xC3\xA9 \xE2\x80\x93 \xEF\xAC\x81ne \xE2\x85\x93 cup \xE2\x80\x9Cgood\xE2\x80\x9D"),
            "Consomm\xE9 \x96 fine 1/3 cup \x93good\x94");
  EXPECT_EQ(DecodeSourceText("\xEF\xBB\xBFGo\xC5\x82\xC4\x85" "bki"), "Golabki");  // Polish letters lose their marks
  EXPECT_EQ(DecodeSourceText("Cafe\xCC\x81 au lait\xC2\xA0" "2 cups"), "Caf\xE9 au lait 2 cups");
  EXPECT_EQ(DecodeSourceText("  Bake at 350\xF8 for 1 hour \xC4\xC4 then rest."), "  Bake at 350\xB0 for 1 hour -- then rest.");
  EXPECT_EQ(DecodeSourceText(std::string("\xFF\xFE" "C\0r\0\xE8\0m\0e\0", 12)), "Cr\xE8me");
  const std::string ascii(100, 'a');
  EXPECT_EQ(DecodeSourceText(ascii), ascii);
}

// mealmaster/raku-recipes_apetizer.mmf is stored as UTF-8: the recipes
// arrive with their accents, in one chapter per category however the
// source spells it.
TEST(SourceText, AUtf8FileArrivesWithItsAccents) {
  testing::Collection c;
  testing::AddImportChapter(c);
  testing::ImportText(c,
                      "MMMMM----- Recipe via Meal-Master (tm) v7.07\n\n      Title: Consomm\xC3\xA9 Madril\xC3\xA8ne\n"
                      " Categories: Entr\xC3\xA9" "es, Soups\n     Servings:  4\n\n      4 c  Beef consomm\xC3\xA9\n\n"
                      "  Heat to 180\xC2\xBA" "F and serve.\n\nMMMMM\n",
                      ImportWay::kAutomatic, true);
  const std::vector<StoredRecord> r = testing::StoredRecords(c);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, "Consomm\xE9 Madril\xE8ne");
  EXPECT_EQ(r[0].ingredients, "4 cups Beef consomm\xE9\r");
  EXPECT_EQ(r[0].directions, "Heat to 180\xBA" "F and serve.");
  bool chapter = false;
  for (const ChapterRow& row : c.db().chapterTable) chapter = chapter || row.name == "Entr\xE9" "es";
  EXPECT_TRUE(chapter);
}

}  // namespace
}  // namespace tovalia
