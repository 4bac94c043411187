#include "ui/choice_list.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace tovalia {
namespace {

using testing::ScriptedUi;

constexpr char kAccuracy[] =
    "Best Matching   (Fewest False Matches)|Average Matching   (More False Matches)|"
    "Poor Matching   (False Matches Likely)";

TEST(ChooseFromList, KeysMoveTheSelectionAndButtonsAnswerWithTheirPlace) {
  ScriptedUi s("expect Select Accuracy\nkey Down\nkey Down\nkey Down\nkey Up\nkey Enter\n");
  int result = -1, selection = 0;
  ChooseFromList(s.ui(), "Select Accuracy of Duplicate Search", kAccuracy, "OK|Cancel", result,
                 selection);
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(result, 0);
  EXPECT_EQ(selection, 1);

  ScriptedUi ends("key End\nkey Home\nkey End\npress Cancel\n");
  result = -1;
  selection = 0;
  ChooseFromList(ends.ui(), "Accuracy", kAccuracy, "OK|Cancel", result, selection);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(selection, 2);
}

TEST(ChooseFromList, AClickSelectsAndASecondClickChooses) {
  // Three rows of 24 pixels: the centred box is 179 pixels high and its
  // list starts 52 pixels down.
  const int listTop = (599 - 179) / 2 + 52;
  const std::string third = "click 400 " + std::to_string(listTop + 2 * 24 + 10) + "\n";
  ScriptedUi s(third + "expect XML\n" + third);
  int result = -1, selection = 0;
  ChooseFromList(s.ui(), "Formats", "Text|Meal-Master|XML", "OK|Cancel", result, selection);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(selection, 2);
}

TEST(ChooseFromList, QuittingLeavesTheResult) {
  ScriptedUi s("key Down\nquit\n");
  int result = 9, selection = 0;
  ChooseFromList(s.ui(), "Formats", "A|B", "OK|Cancel", result, selection);
  EXPECT_EQ(result, 9);
  EXPECT_EQ(selection, 1);
}

}  // namespace
}  // namespace tovalia
