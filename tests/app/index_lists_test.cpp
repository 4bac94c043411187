// The Index screen's two lists driven through the real program, headless:
// names that do not fit, scrolling, ticking and the pop-up menus. In the
// 800 x 599 window the chapter list spans x 20-392 and the recipe list
// x 408-780, both from y = 80, rows of 22 pixels centred at y = 95 + 22 * row;
// names are drawn from x = 34 and titles from x = 442 (check boxes at 425).
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace tovalia
