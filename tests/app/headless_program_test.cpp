// The window program run headless, as a user would drive it, through the
// built executable.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "db/data_file.h"
#include "db/maintenance.h"
#include "db/recipe_lists.h"
#include "db/record_format.h"
#include "db/record_store.h"
#include "db/title_index.h"
#include "platform/instance_marker.h"
#include "state/settings.h"
#include "support/collection.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempFolder;

struct Outcome {
  int status;
  std::string err;
};

class HeadlessProgram : public ::testing::Test {
 protected:
  // Runs the program with the script; the marker lives in a private
  // temporary folder so tests do not meet each other's.
  Outcome Run(const std::string& script, const std::string& options = "") {
    std::string scriptPath = temp.File("script.txt");
    testing::WriteBytes(scriptPath, std::vector<uint8_t>(script.begin(), script.end()));
    std::string command = "TMPDIR=" + temp.Path() + " " + TOVALIA_EXECUTABLE +
                          " --headless --script " + scriptPath + " --data " + DataFolder() + " " +
                          options + " 2>" + temp.File("err.txt");
    int status = std::system(command.c_str());
    std::vector<uint8_t> err = ReadBytes(temp.File("err.txt"));
    return {WEXITSTATUS(status), std::string(err.begin(), err.end())};
  }
  std::string DataFolder() const { return data.Path() + "tv_data/"; }
  std::string Marker() const { return temp.Path() + "Tovalia In Use.dat"; }

  TempFolder temp;
  TempFolder data;
};

TEST_F(HeadlessProgram, AFirstStartShowsTheFrameAndCreatesNoRecipeFile) {
  Outcome run = Run("expect Index\nexpect Minimize\nexpect Quit\nexpect Grocery\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(Exists(DataFolder() + "Recipe34.dat"));
  EXPECT_TRUE(Exists(DataFolder() + "background.bmp"));
  EXPECT_TRUE(Exists(DataFolder() + "popup.bmp"));
  Settings settings(DataFolder() + "Setup50.dat");
  EXPECT_TRUE(Exists(settings.path));
  EXPECT_EQ(GetNumberSetting(settings, setting::kWastedBytes), 0);
  EXPECT_FALSE(Exists(Marker()));
  // What the window brought up: the four reserved views and nothing else.
  Database db(DataPaths::ForDataFolder(DataFolder()));
  LoadIndex(db);
  EXPECT_EQ(db.chapterTable.size(), 4u);
  EXPECT_EQ(db.chapterTable[2].name, "Recipes Selected For Meals");
}

TEST_F(HeadlessProgram, TabsSwitchScreensByClickAndByLetter) {
  Outcome run = Run(
      "expect Locate Duplicates\n"
      "click 270 35\nexpect Current Shopping List\n"
      "type m\nexpect Meal List\n"
      "type I\nexpect Locate Duplicates\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  Outcome failed = Run("type g\nexpect Meal List\n");
  EXPECT_EQ(failed.status, 3);
  EXPECT_NE(failed.err.find("\"Meal List\" is not on screen"), std::string::npos) << failed.err;
  EXPECT_NE(failed.err.find("Current Shopping List"), std::string::npos);  // what was visible instead
}

TEST_F(HeadlessProgram, AScriptWithoutQuitEndsTheProgramAsQuitWould) {
  Outcome run = Run("expect Index\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(Exists(Marker()));
  EXPECT_TRUE(Exists(DataFolder() + "Setup50.dat"));
}

TEST_F(HeadlessProgram, TheWindowMovesWhenItsBackgroundIsDragged) {
  Outcome run = Run(
      "drag 500 10 550 40\nwindow 1024 767 178 158\n"
      "drag 510 300 410 250\nwindow 1024 767 78 108\n"
      // Dragging from a button, a tab or a list moves nothing.
      "drag 900 30 950 60\nwindow 1024 767 78 108\n"
      "drag 600 300 500 250\nwindow 1024 767 78 108\n",
      "--screen 1280x1024");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(HeadlessProgram, F1OpensTheHelpPage) {
  Outcome run = Run("key F1\n");
  EXPECT_EQ(run.status, 0);
  // Help.htm is built beside the program.
  EXPECT_NE(run.err.find("Help.htm\n"), std::string::npos) << run.err;
}

// With no browser or mail program to start, every way of opening a page
// says so instead of doing nothing.
TEST_F(HeadlessProgram, WithoutABrowserOrMailProgramTheUserIsTold) {
  Outcome run = Run(
      "helpers missing\nkey F1\nexpect Could not locate your web browser?\npress OK\n"
      "type h\npress FAQ\nexpect Could not locate your web browser?\npress OK\n"
      "press Web Site\nexpect Could not locate your web browser?\npress OK\n"
      "press Send Email\nexpect Unable to open email program?\npress OK\n"
      "helpers present\nkey F1\nabsent Could not locate\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Help.htm\n"), std::string::npos) << run.err;
}

TEST_F(HeadlessProgram, TheWindowTakesItsDesignSizeAndCentres) {
  struct Case {
    const char* screen;
    const char* window;
  };
  for (Case c : {Case{"800x600", "window 800 599 0 0"}, Case{"1024x768", "window 1024 767 0 0"},
                 Case{"1280x1024", "window 1024 767 128 128"}, Case{"1025x900", "window 1024 767 0 66"}}) {
    Outcome run = Run(std::string(c.window) + "\n", std::string("--screen ") + c.screen);
    EXPECT_EQ(run.status, 0) << c.screen << ": " << run.err;
  }
}

TEST_F(HeadlessProgram, AnUnfitDisplayIsRefusedBeforeAnythingIsCreated) {
  Outcome small = Run("press Quit\n", "--screen 799x600");
  EXPECT_EQ(small.status, 1);
  EXPECT_NE(small.err.find("Insufficient Screen Area (799x600): Increase your screen resolution "
                           "to 800x600 or greater"),
            std::string::npos)
      << small.err;
  Outcome colours = Run("press Quit\n", "--screen 1024x768 --bpp 8");
  EXPECT_EQ(colours.status, 1);
  EXPECT_NE(colours.err.find("Insufficient Colors!: Please change to a High Color or True Color "
                             "screen setting"),
            std::string::npos)
      << colours.err;
  EXPECT_FALSE(Exists(DataFolder()));
}

TEST_F(HeadlessProgram, ASecondCopyIsRefusedWithoutTouchingTheDataFolder) {
  InstanceMarker running(Marker());
  ASSERT_TRUE(running.Acquire());
  Outcome run = Run("press Quit\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Tovalia is already running.: Please close Tovalia and try again."),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(Exists(DataFolder()));
  EXPECT_TRUE(Exists(Marker()));  // still the first copy's
}

TEST_F(HeadlessProgram, AStaleMarkerIsTakenOver) {
  testing::WriteBytes(Marker(), {'x'});
  Outcome run = Run("expect Index\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(Exists(Marker()));
}

TEST_F(HeadlessProgram, QuittingCompactsOnlyAboveFiftyThousandDeadBytes) {
  for (int32_t waste : {50000, 50001}) {
    TempFolder folder;
    std::string dataFolder = folder.Path();
    {
      Database db(DataPaths::ForDataFolder(dataFolder));
      auto append = [&db](int32_t id, const std::string& title, size_t textLength) {
        ClearCurrentRecord(db);
        SetI32(db.recordHeaderBuffer, header::kRecipeId, id);
        SetU16(db.recordHeaderBuffer, header::kChapterNumber, 1);
        SetCurrentTitle(db, title);
        SetCurrentIngredients(db, std::string(textLength, 'x'));
        return AppendRecord(db);
      };
      append(1, "Keep", 10);
      ASSERT_TRUE(CompactDatabase(db));
      int32_t gone = append(2, "Gone", static_cast<size_t>(waste - 44));
      DataFile file = OpenDataFile("u", db.paths.recipeFile);
      MarkRecordDeleted(db, file, gone);
      CloseDataFile(file);
      SetEntryKind(db, FindEntryByRecipeId(db, 2), kKindDeleted);
      SortIndex(db);
      Settings settings(db.paths.setupFile);
      PutNumberSetting(settings, setting::kWastedBytes, db.wastedBytes);
    }
    size_t before = ReadBytes(dataFolder + "Recipe34.dat").size();
    std::string command = "TMPDIR=" + temp.Path() + " " + TOVALIA_EXECUTABLE + " --data " +
                          dataFolder + " --headless --script /dev/null 2>/dev/null";
    ASSERT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
    size_t after = ReadBytes(dataFolder + "Recipe34.dat").size();
    Settings settings(dataFolder + "Setup50.dat");
    if (waste > 50000) {
      EXPECT_EQ(after, 40u + 54);
      EXPECT_EQ(GetNumberSetting(settings, setting::kWastedBytes), 0);
    } else {
      EXPECT_EQ(after, before);
      EXPECT_EQ(GetNumberSetting(settings, setting::kWastedBytes), 50000);
    }
  }
}

TEST_F(HeadlessProgram, BadScriptsAndOptionsAreRefusedClearly) {
  Outcome run = Run("click here\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("script line 1 is not understood: click here"), std::string::npos);
  Outcome press = Run("press Nothing\n");
  EXPECT_EQ(press.status, 3);
  EXPECT_NE(press.err.find("no button \"Nothing\" is visible; buttons: [Minimize] [Quit]"),
            std::string::npos)
      << press.err;
  Outcome option = Run("quit\n", "--screen big");
  EXPECT_EQ(option.status, 2);
}

}  // namespace
}  // namespace tovalia
