#include "ui/progress_box.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/headless_platform.h"
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

// Counts what reaches the window.
class CountingPlatform : public HeadlessPlatform {
 public:
  CountingPlatform() : HeadlessPlatform({}, {1024, 768, 32}) {}
  void Present(const Canvas& canvas) override {
    ++wholePresents;
    HeadlessPlatform::Present(canvas);
  }
  void PresentArea(const Canvas& canvas, const Rect& area) override {
    areas.push_back(area);
    HeadlessPlatform::PresentArea(canvas, area);
  }
  int wholePresents = 0;
  std::vector<Rect> areas;
};

// A long operation in the real window must not cost more than its work:
// only the box goes to the window, at most every 30 ms, and the last step
// always.
TEST(ProgressBox, PutsOnlyItsOwnAreaOnTheWindowAndNotMoreOftenThanEvery30Ms) {
  CountingPlatform platform;
  Canvas canvas(1024, 767);
  Ui ui(platform, canvas);
  ProgressBox box(ui);
  for (int item = 0; item <= 1000; ++item) {
    box.ShowProgress("Searching Records", std::to_string(item / 7) + " Matches", item, 1000);
    platform.Pause(1);  // a millisecond of work per item
  }
  EXPECT_EQ(platform.wholePresents, 1);  // when the box opens
  EXPECT_GE(platform.areas.size(), 30u);
  EXPECT_LE(platform.areas.size(), 1000u / kProgressPresentMs + 1);
  for (const Rect& area : platform.areas) EXPECT_LE(area.width * area.height, 320 * 110);
  bool finished = false;
  for (const DrawnText& t : canvas.VisibleTexts()) finished |= t.text == "142 Matches";
  EXPECT_TRUE(finished);  // the last step was drawn (and put on the window: 100 %)
}

}  // namespace
}  // namespace tovalia
