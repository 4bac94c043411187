#include "ui/message_box.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace tovalia {
namespace {

using testing::ScriptedUi;

int Show(ScriptedUi& s, const std::string& message, const std::string& labels, int enterButton,
         const std::string& buttons, int width, int start = -7) {
  int result = start;
  ShowMessage(s.ui(), message, labels, enterButton, buttons, width, result);
  return result;
}

TEST(ShowMessage, SplitsLinesAtBarsAndKeepsEmptyOnes) {
  ScriptedUi s("expect First line\nexpect Second line\nsnapshot /dev/null\nkey Enter\n");
  EXPECT_EQ(Show(s, "First line||Second line", "", 1, "OK", 0), 1);
  EXPECT_TRUE(s.Passed());
  // Closing the box gives back what was under it.
  EXPECT_TRUE(s.canvas().VisibleTexts().empty());
}

TEST(ShowMessage, ASingleOkAnswersEnterAClickAndItsLetter) {
  for (const char* answer : {"key Enter", "press OK", "type o", "type O", "ctrl+o"}) {
    ScriptedUi s(std::string(answer) + "\n");
    EXPECT_EQ(Show(s, "Done?", "", 1, "OK", 0), 1) << answer;
  }
}

TEST(ShowMessage, EscapeDoesNothingInABoxWithoutFields) {
  ScriptedUi s("key Escape\nexpect Are you sure\ntype c\n");
  EXPECT_EQ(Show(s, "Are you sure", "", 1, "OK|Cancel", 0), 2);
  EXPECT_TRUE(s.Passed());
}

TEST(ShowMessage, EnterChoosesTheEnterButtonOfABoxWithoutFields) {
  ScriptedUi s("key Enter\n");
  EXPECT_EQ(Show(s, "Delete the chapter?", "", 2, "OK|Cancel", 0), 2);
}

TEST(ShowMessage, TheResultIsLeftAloneWhenTheProgramQuits) {
  ScriptedUi s("quit\n");
  EXPECT_EQ(Show(s, "Question", "", 1, "Yes|No", 0, 42), 42);
  EXPECT_TRUE(s.ui().input.quitFlag);
}

TEST(ShowMessage, EnterAcceptsFromAnyFieldWhenTheButtonsIncludeOk) {
  ScriptedUi s("type Soups\nkey Enter\n");
  EXPECT_EQ(Show(s, "Enter New Chapter Title", "", 1, "OK|Cancel", 60), 1);
  EXPECT_EQ(s.ui().fieldValues[0], "Soups");
  ScriptedUi three("type My Book\nkey Enter\n");
  EXPECT_EQ(Show(three, "Save a cookbook", "Book Title:|Subtitle:|Author:", 1, "OK|Cancel", 30), 1);
  EXPECT_EQ(three.ui().fieldValues[0], "My Book");
}

TEST(ShowMessage, EnterWalksTheFieldsBeforeChoosingWithoutOk) {
  ScriptedUi s(
      "type Title\nkey Enter\nexpect Book Title:\n"
      "type Sub\nkey Enter\n"
      "type Me\nkey Enter\n");
  EXPECT_EQ(Show(s, "Save a print ready PDF Cookbook", "Book Title:|Subtitle:|Author:", 2,
                 "6x9|8.5x11|A4|Cancel", 40),
            2);
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(s.ui().fieldValues[0], "Title");
  EXPECT_EQ(s.ui().fieldValues[1], "Sub");
  EXPECT_EQ(s.ui().fieldValues[2], "Me");
}

TEST(ShowMessage, TabWrapsAndClicksPickFieldsAndCaretPlaces) {
  // Fields are 8 pixels a character; the box is centred in 800 x 599.
  ScriptedUi s("type one\nkey Tab\ntype two\nkey Tab\ntype X\npress Save\n");
  EXPECT_EQ(Show(s, "Two fields", "A:|B:", 1, "Save|Cancel", 20), 1);
  EXPECT_EQ(s.ui().fieldValues[0], "oneX");
  EXPECT_EQ(s.ui().fieldValues[1], "two");
}

TEST(ShowMessage, FieldsHoldNoMoreThanTheirWidthAlsoAfterAPaste) {
  ScriptedUi typed("type abcdefg\nkey Enter\n");
  Show(typed, "Short", "", 1, "OK", 5);
  EXPECT_EQ(typed.ui().fieldValues[0], "abcde");

  ScriptedUi pasted("clipboard   hello\\nworld and more  \nctrl+v\nkey Enter\n");
  Show(pasted, "Paste", "", 1, "OK", 10);
  EXPECT_EQ(pasted.ui().fieldValues[0], "hellowor");
}

TEST(ShowMessage, EditingKeysAndTheClipboard) {
  ScriptedUi s(
      "type abcdef\nkey Home\nkey Delete\nkey End\nkey Backspace\nkey Left\ntype X\n"  // bcdXe
      "ctrl+c\nkey Escape\nexpect Edit\n"  // copied, then emptied; the box stays
      "ctrl+v\ntype !\nkey Enter\n");
  EXPECT_EQ(Show(s, "Edit", "", 1, "OK", 20), 1);
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(s.ui().fieldValues[0], "bcdXe!");
  EXPECT_EQ(s.platform().ClipboardText(), "bcdXe");

  ScriptedUi cut("type gone\nctrl+x\nkey Enter\n");
  Show(cut, "Cut", "", 1, "OK", 20);
  EXPECT_EQ(cut.ui().fieldValues[0], "");
  EXPECT_EQ(cut.platform().ClipboardText(), "gone");
}

TEST(ShowMessage, AClickInAFieldPutsTheCaretAtTheCharacter) {
  // One 20-character field without label in an 800 x 599 window: the box is
  // 208 pixels wide at x 296, the field starts at x 316 with its text 4
  // pixels in, 8 pixels a character, about 280 pixels down.
  ScriptedUi s("type abcdef\nclick 337 290\ntype X\nclick 900 290\nkey Enter\n");
  Show(s, "Click", "", 1, "OK", 20);
  EXPECT_EQ(s.ui().fieldValues[0], "abXcdef");
}

TEST(ShowMessage, WideFieldCodesKeepTheCallersValuesNarrowOnesClearThem) {
  ScriptedUi kept("expect Basil\nkey Enter\n");
  kept.ui().fieldValues[0] = "Basil";
  kept.ui().fieldValues[4] = "0";
  Show(kept, "Item", "Item Name|Store Name|Item Location|Item Cost|Default Quantity", 1,
       "OK|Cancel", 125);
  EXPECT_TRUE(kept.Passed());
  EXPECT_EQ(kept.ui().fieldValues[4], "0");

  ScriptedUi cleared("key Enter\n");
  cleared.ui().fieldValues[0] = "Basil";
  cleared.ui().fieldValues[20] = "x";
  Show(cleared, "Item", "Item Name|Store Name", 1, "OK|Cancel", 25);
  EXPECT_EQ(cleared.ui().fieldValues[0], "");
  EXPECT_EQ(cleared.ui().fieldValues[20], "");
}

}  // namespace
}  // namespace tovalia
