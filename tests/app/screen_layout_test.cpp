// How the boxes and the Index screen's buttons are laid out, read back
// from what the real program recorded as drawn (headless).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/drawn_texts.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ShownButton;
using testing::ShownText;

class ScreenLayout : public ::testing::Test {
 protected:
  // Runs the script, then writes what shows; the run ends there.
  void Look(const std::string& script, const std::string& screen = "800x600") {
    texts = {}, buttons = {};
    const std::string t = program.Temp().File("texts"), b = program.Temp().File("buttons");
    testing::ProgramRun::Outcome run =
        program.Run(script + "texts " + t + "\nbuttons " + b + "\nquit\n", "--screen " + screen);
    ASSERT_EQ(run.status, 0) << run.err;
    texts = testing::ReadShownTexts(t);
    buttons = testing::ReadShownButtons(b);
  }
  const ShownButton* Button(const std::string& caption) const {
    for (const ShownButton& b : buttons)
      if (b.caption == caption) return &b;
    return nullptr;
  }
  const ShownText* Text(const std::string& text) const {
    for (const ShownText& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }
  // The smallest taken area around a button: the box it sits in.
  ShownButton BoxAround(const ShownButton& inner) const {
    ShownButton box{0, 0, 30000, 30000, ""};
    for (const ShownButton& b : buttons) {
      const bool holds = b.caption.empty() && b.x <= inner.x && b.y <= inner.y &&
                         b.x + b.width >= inner.x + inner.width && b.y + b.height >= inner.y + inner.height;
      if (holds && b.width * b.height < box.width * box.height) box = b;
    }
    return box;
  }
  testing::ProgramRun program;
  std::vector<ShownText> texts;
  std::vector<ShownButton> buttons;
};

TEST_F(ScreenLayout, MessageBoxesLeaveRoomAroundTheirText) {
  Look("press Add Recipe\n");  // the widest message of the Index screen
  const ShownButton* ok = Button("OK");
  ASSERT_NE(ok, nullptr);
  const ShownButton box = BoxAround(*ok);
  int lines = 0;
  for (const ShownText& t : texts) {
    if (t.y < box.y || t.y >= ok->y || t.x < box.x || t.x >= box.x + box.width) continue;
    ++lines;
    EXPECT_GE(t.x - box.x, 24) << t.text;
    EXPECT_GE(box.x + box.width - (t.x + t.width), 24) << t.text;
    EXPECT_GE(t.y - box.y, 18) << t.text;
  }
  EXPECT_EQ(lines, 5);
  EXPECT_GE(box.y + box.height - (ok->y + ok->height), 14);
}

TEST_F(ScreenLayout, TheIndexButtonsShareOneCaptionSizeAtBothWindowSizes) {
  const std::vector<std::string> captions = {"Chapter", "Find", "Add Recipe", "Add Text", "Edit",
                                             "Delete", "Move", "Copy", "New Meal", "Print", "Import",
                                             "Export", "Locate Duplicates", "Save PDF Book"};
  std::map<std::string, int> widths;
  for (const char* screen : {"1024x768", "800x600"}) {
    Look("", screen);
    for (const std::string& caption : captions) {
      const ShownText* t = Text(caption);
      const ShownButton* b = Button(caption);
      ASSERT_TRUE(t && b) << caption;
      EXPECT_GE(t->x, b->x + 4) << caption;
      EXPECT_LE(t->x + t->width, b->x + b->width - 4) << caption;
      if (widths.count(caption)) {
        EXPECT_EQ(t->width, widths[caption]) << caption << " at " << screen;
      }
      widths[caption] = t->width;
    }
  }
}

TEST_F(ScreenLayout, TheFindDialogsCheckBoxesStandEvenlyApart) {
  Look("press Find\n");
  std::vector<const ShownText*> captions;
  for (const char* caption : {"Titles", "Ingredients", "Directions", "All Chapters"}) captions.push_back(Text(caption));
  for (const ShownText* t : captions) ASSERT_NE(t, nullptr);
  std::vector<int> gaps;  // from the end of one caption to the next check box
  for (size_t i = 1; i < captions.size(); ++i)
    gaps.push_back(Button(captions[i]->text)->x - (captions[i - 1]->x + captions[i - 1]->width));
  for (int gap : gaps) EXPECT_NEAR(gap, gaps[0], 1);
  EXPECT_GE(gaps[0], 20);
}

TEST_F(ScreenLayout, TheImportDialogHasNoEmptyBandAboveItsButtons) {
  program.Cli({"add-chapter", "Imported"});
  const std::string file = program.File("bars.mmf",
                                        "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Bars\n"
                                        "      Yield: 24 servings\n\n      2 c  flour\n\n  Mix and bake.\nMMMMM\n");
  Look("click 200 183\npress Import\ntype " + file + "\nkey Enter\nexpect Verify Import Format\n");
  const ShownText* last = Text("Spell check while importing");
  const ShownButton* ok = Button("OK");
  ASSERT_TRUE(last && ok);
  EXPECT_LE(ok->y - (last->y + 20), 32);
  EXPECT_GE(BoxAround(*ok).y + BoxAround(*ok).height - (ok->y + ok->height), 14);
}

}  // namespace
}  // namespace tovalia
