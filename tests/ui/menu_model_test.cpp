#include "ui/menu_model.h"

#include <gtest/gtest.h>

namespace tovalia {
namespace {

std::vector<std::string> Chapters() {
  std::vector<std::string> names;
  for (int i = 0; i < 200; ++i) names.push_back("Chapter " + std::to_string(i));
  names[50] = "breads";
  names[120] = "Bakes";
  names[199] = "Zucchini";
  return names;
}

TEST(MenuModel, KeysReachEveryEntryAndKeepItInView) {
  MenuModel menu(Chapters(), 20);
  EXPECT_TRUE(menu.Scrolls());
  EXPECT_EQ(menu.Current(), -1);
  menu.MoveHighlight(-1);  // from none, Up goes to the last entry
  EXPECT_EQ(menu.Current(), 199);
  EXPECT_EQ(menu.First(), 180);
  menu.MoveHighlight(-20);
  EXPECT_EQ(menu.Current(), 179);
  EXPECT_EQ(menu.First(), 179);
  menu.Highlight(1000);
  EXPECT_EQ(menu.Current(), 199);
  menu.Highlight(0);
  EXPECT_EQ(menu.First(), 0);
}

TEST(MenuModel, TheWheelScrollsWithinTheEntriesAndLeavesTheHighlight) {
  MenuModel menu(Chapters(), 20);
  menu.Highlight(3);
  menu.Scroll(500);
  EXPECT_EQ(menu.First(), 180);
  EXPECT_EQ(menu.Current(), 3);
  menu.Scroll(-1000);
  EXPECT_EQ(menu.First(), 0);
  MenuModel short_({"a", "b"}, 20);
  EXPECT_FALSE(short_.Scrolls());
  EXPECT_EQ(short_.Rows(), 2);
  short_.Scroll(5);
  EXPECT_EQ(short_.First(), 0);
}

TEST(MenuModel, ALetterJumpsToTheNextEntryStartingWithItAndGoesRound) {
  MenuModel menu(Chapters(), 20);
  EXPECT_TRUE(menu.JumpToLetter('b'));
  EXPECT_EQ(menu.Current(), 50);
  EXPECT_TRUE(menu.JumpToLetter('B'));
  EXPECT_EQ(menu.Current(), 120);
  EXPECT_EQ(menu.First(), 101);  // scrolled so that it shows
  EXPECT_TRUE(menu.JumpToLetter('b'));
  EXPECT_EQ(menu.Current(), 50);
  EXPECT_TRUE(menu.JumpToLetter('z'));
  EXPECT_EQ(menu.Current(), 199);
  EXPECT_FALSE(menu.JumpToLetter('q'));
  EXPECT_EQ(menu.Current(), 199);
}

}  // namespace
}  // namespace tovalia
