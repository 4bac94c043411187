// The Index screen's two lists driven through the real program, headless:
// names that do not fit, scrolling, ticking and the pop-up menus. In the
// 800 x 599 window the chapter list spans x 20-392 and the recipe list
// x 408-780, both from y = 80, rows of 22 pixels centred at y = 95 + 22 * row;
// names are drawn from x = 34 and titles from x = 442 (check boxes at 425).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "support/drawn_texts.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

std::string Row(int row) { return std::to_string(95 + 22 * row); }

class IndexLists : public ::testing::Test {
 protected:
  testing::ProgramRun program;
  using Outcome = testing::ProgramRun::Outcome;
  Outcome Run(const std::string& script) { return program.Run(script, "--screen 800x600"); }
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  std::string TextsFile(const std::string& name) { return program.Temp().File(name); }
};

TEST_F(IndexLists, LongNamesEndInAnEllipsisInsideTheirRowAndShowWholeUnderThePointer) {
  const std::string chapter = "Slow Cooker, Crock Pot and One-Pot Weeknight Family Suppers";
  const std::string title =
      "Grandmother Rosalind's Famous Slow-Roasted Autumn Harvest Vegetable and Wild Mushroom Casserole";
  Cli({"add-chapter", chapter});
  Cli({"add-recipe", "--chapter", "1", "--title", title});
  Cli({"add-recipe", "--chapter", "1", "--title", "Apple Cake"});
  const std::string lists = TextsFile("lists"), hovered = TextsFile("hovered");
  // Row 4 is the chapter; its titles: Apple Cake (row 0), the long one (row 1).
  Outcome run = Run("click 200 " + Row(4) + "\nmove 600 560\ntexts " + lists + "\nabsent Mushroom Casserole\n"
                    "move 600 " + Row(1) + "\nexpect Mushroom Casserole\ntexts " + hovered + "\n"
                    "move 200 " + Row(4) + "\nexpect Family Suppers\nquit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  bool chapterShortened = false, titleShortened = false;
  for (const testing::ShownText& t : testing::ReadShownTexts(lists)) {
    if (t.y < 84 || t.y > 500) continue;
    EXPECT_FALSE(t.cut) << t.text;
    EXPECT_LE(t.x + t.width, t.x < 392 ? 376 : 764) << t.text << " at " << t.x << "," << t.y;
    chapterShortened |= t.text.rfind("Slow Cooker", 0) == 0 && t.text.ends_with("…");
    titleShortened |= t.text.rfind("Grandmother", 0) == 0 && t.text.ends_with("…");
  }
  EXPECT_TRUE(chapterShortened);
  EXPECT_TRUE(titleShortened);
  std::string tip;
  for (const testing::ShownText& t : testing::ReadShownTexts(hovered))
    if (t.y > 95 + 22) tip += t.text + " ";
  EXPECT_NE(tip.find("Vegetable and Wild Mushroom Casserole"), std::string::npos) << tip;
}

// With 200 chapters, Move's menu is taller than the window: it fits the
// window, scrolls by wheel and keys, and a letter jumps.
TEST_F(IndexLists, AMenuOfTwoHundredChaptersReachesItsLastEntryByWheelAndByKey) {
  {
    // Stored in one go; one command per chapter would sort the index 200 times.
    Database db(DataPaths::ForDataFolder(program.Data().Path()));
    for (int i = 1; i <= 200; ++i) {
      ClearCurrentRecord(db);
      SetU8(db.recordHeaderBuffer, header::kRecordKind, kKindChapter);
      SetU16(db.recordHeaderBuffer, header::kChapterNumber, i);
      SetCurrentTitle(db, i == 200 ? std::string("Zucchini Dishes")
                                   : "Chapter " + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i));
      ASSERT_GE(AppendRecord(db), 0);
    }
    SortIndex(db);
  }
  Cli({"add-recipe", "--chapter", "1", "--title", "Courgette Bake"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Marrow Soup"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Squash Pie"});
  const std::string menu = TextsFile("menu");
  // All Recipes is current, Courgette Bake ticked.
  Outcome run = Run("press Move\nexpect Chapter 001\nabsent Zucchini Dishes\ntexts " + menu + "\n"
                    "wheel -100\npress Zucchini Dishes\n"
                    "click 500 " + Row(1) + "\npress Move\nkey End\nkey Enter\n"
                    "click 500 " + Row(2) + "\npress Copy\ntype z\nkey Enter\nquit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  int entries = 0;
  for (const testing::ShownText& t : testing::ReadShownTexts(menu)) {
    if (t.text.rfind("Chapter ", 0) != 0) continue;
    ++entries;
    EXPECT_FALSE(t.cut) << t.text;
    EXPECT_LE(t.y + 20, 599) << t.text;
  }
  EXPECT_GT(entries, 15);
  const std::string zucchini = Cli({"titles", "200"});
  EXPECT_NE(zucchini.find("Courgette Bake"), std::string::npos);
  EXPECT_NE(zucchini.find("Marrow Soup"), std::string::npos);
  EXPECT_NE(zucchini.find("Squash Pie"), std::string::npos);  // the copy
  EXPECT_NE(Cli({"titles", "1"}).find("Squash Pie"), std::string::npos);
}

// Sixty recipes, "Recipe 00" to "Recipe 59", in chapter 1 (row 4); nineteen
// rows show at a time. The recipe list's scroll bar runs down x 770-780,
// from y = 84 to 503.
class ScrollingLists : public IndexLists {
 protected:
  void SetUp() override {
    Cli({"add-chapter", "Many"});
    for (int i = 0; i < 60; ++i) {
      const std::string title = std::string("Recipe ") + (i < 10 ? "0" : "") + std::to_string(i);
      Cli({"add-recipe", "--chapter", "1", "--title", title});
    }
  }
};

TEST_F(ScrollingLists, TicksSurviveTheWheelTheThumbAndTheTrackAndShiftClickTicksARange) {
  Outcome run = Run("click 200 " + Row(4) + "\n"         // Recipe 00 current and ticked
                    "click 425 " + Row(2) + "\n"          // Recipe 02 ticked too
                    "wheel -10\nexpect Recipe 30\nabsent Recipe 29\n"
                    "click 425 " + Row(5) + "\n"          // Recipe 35 ticked
                    "drag 775 360 775 590\nexpect Recipe 59\nabsent Recipe 40\n"
                    "shift+click 500 " + Row(18) + "\n"   // 35 to 59
                    "click 775 100\nexpect Recipe 22\nabsent Recipe 21\n"  // a page up in the track
                    "press Delete\nexpect Are you sure you want\npress OK\nexpect 33 Recipes\nquit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string titles = Cli({"titles", "1"});
  for (int i : {0, 2, 35, 47, 59}) {
    EXPECT_EQ(titles.find(std::string("Recipe ") + (i < 10 ? "0" : "") + std::to_string(i) + "\n"),
              std::string::npos) << i;
  }
  for (int i : {1, 3, 22, 34}) {
    EXPECT_NE(titles.find(std::string("Recipe ") + (i < 10 ? "0" : "") + std::to_string(i) + "\n"),
              std::string::npos) << i;
  }
}

}  // namespace
}  // namespace tovalia
