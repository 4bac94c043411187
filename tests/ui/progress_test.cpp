#include "ui/progress_box.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/scripted_ui.h"

namespace tovalia {
namespace {

TEST(ProgressPercent, DrawsOnlyWhenThePercentageChangesAndAlwaysAtTheEnd) {
  ProgressPercent p;
  EXPECT_EQ(p.Update(0, 200), 0);
  EXPECT_EQ(p.Update(1, 200), -1);  // still 0 %
  EXPECT_EQ(p.Update(2, 200), 1);
  EXPECT_EQ(p.Update(3, 200), -1);
  EXPECT_EQ(p.Update(200, 200), 100);
  EXPECT_EQ(p.Update(200, 200), 100);  // 100 % draws every time
  p.Reset();
  EXPECT_EQ(p.Update(5, 0), 100);    // the total is raised to 1, the result capped
  EXPECT_EQ(p.Update(-4, 10), 0);
}

std::vector<uint8_t> Pixels(const Canvas& canvas) {
  const uint8_t* p = canvas.Pixels();
  return std::vector<uint8_t>(p, p + static_cast<size_t>(canvas.Stride()) * canvas.Height());
}

TEST(ProgressBox, ShowsItsCaptionAndGivesBackTheScreenWhenClosed) {
  testing::ScriptedUi s("quit\n");
  s.canvas().FillRect({0, 0, 800, 599}, 0x336699);
  s.canvas().DrawText(300, 290, "Underneath", 0xFFFFFF);
  const std::vector<uint8_t> before = Pixels(s.canvas());

  ProgressBox box(s.ui());
  box.ShowProgress("Sorting Records", "12 Matches", 25, 100);
  bool captionShown = false;
  for (const DrawnText& t : s.canvas().VisibleTexts()) captionShown |= t.text == "Sorting Records";
  EXPECT_TRUE(captionShown);
  EXPECT_NE(Pixels(s.canvas()), before);
  const std::vector<uint8_t> at25 = Pixels(s.canvas());
  box.ShowProgress("Sorting Records", "12 Matches", 25, 100);  // same percentage: nothing drawn
  EXPECT_EQ(Pixels(s.canvas()), at25);
  box.ShowProgress("Sorting Records", "13 Matches", 60, 100);
  EXPECT_NE(Pixels(s.canvas()), at25);

  box.CloseProgress();
  EXPECT_EQ(Pixels(s.canvas()), before);
  ASSERT_EQ(s.canvas().VisibleTexts().size(), 1u);
  EXPECT_EQ(s.canvas().VisibleTexts()[0].text, "Underneath");
  box.CloseProgress();  // nothing shown: nothing happens
  EXPECT_EQ(Pixels(s.canvas()), before);
}

}  // namespace
}  // namespace tovalia
