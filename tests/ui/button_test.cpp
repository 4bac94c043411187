#include "ui/button.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace tovalia {
namespace {

using testing::ScriptedUi;

// Takes the script's next input into the input state.
void NextInput(ScriptedUi& s) {
  s.ui().input.inputFlag = false;
  while (!s.ui().input.inputFlag && !s.ui().input.quitFlag) s.ui().Pump(1);
}

TEST(ButtonTest, ClicksHotKeysAndScrollArrows) {
  const Rect save{100, 100, 70, 25};
  ScriptedUi s(
      "click 120 110\nclick 10 10\n"  // inside, then outside
      "type v\ntype s\n"              // the second letter of "Save", then another
      "ctrl+s\ntype s\n"              // with Ctrl for a negative position
      "key Up\nkey Down\nkey Enter\n");
  NextInput(s);
  EXPECT_TRUE(ButtonActivated(s.ui(), "Save", save, 0));
  NextInput(s);
  EXPECT_FALSE(ButtonActivated(s.ui(), "Save", save, 0));
  NextInput(s);
  EXPECT_TRUE(ButtonActivated(s.ui(), "Save", save, 3));
  NextInput(s);
  EXPECT_FALSE(ButtonActivated(s.ui(), "Save", save, 3));
  NextInput(s);
  EXPECT_TRUE(ButtonActivated(s.ui(), "Save", save, -1));
  NextInput(s);
  EXPECT_FALSE(ButtonActivated(s.ui(), "Save", save, -1));  // the letter alone is not enough
  NextInput(s);
  EXPECT_TRUE(ButtonActivated(s.ui(), kScrollUpCaption, {0, 0, 16, 16}, 0));
  EXPECT_FALSE(ButtonActivated(s.ui(), kScrollDownCaption, {0, 0, 16, 16}, 0));
  NextInput(s);
  EXPECT_TRUE(ButtonActivated(s.ui(), kScrollDownCaption, {0, 0, 16, 16}, 0));
  NextInput(s);
  EXPECT_TRUE(ButtonActivated(s.ui(), "OK", {300, 300, 70, 25}, 0));
  EXPECT_FALSE(ButtonActivated(s.ui(), "Cancel", {400, 300, 70, 25}, 0));
}

TEST(ButtonTest, ButtonsAreRecordedWhereTheyAreDrawn) {
  ScriptedUi s("press Import\n");
  DrawButton(s.ui(), {200, 150, 80, 25}, "Import");
  NextInput(s);
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(s.ui().input.mouseX, 240);
  EXPECT_EQ(s.ui().input.mouseY, 162);
  EXPECT_TRUE(ButtonActivated(s.ui(), "Import", {200, 150, 80, 25}, 0));
}

}  // namespace
}  // namespace tovalia
