// A file handed to the program (`tovalia FILE`, the desktop entry's %f):
// the window opens with the import of that file.
#include <gtest/gtest.h>

#include "app/program.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ProgramRun;

const char kLemonBars[] =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Bars\n"
    " Categories: Cookies\n      Yield: 24 servings\n\n      2 c  flour\n    1/2 c  sugar\n\n"
    "  Mix and bake.\nMMMMM\n";

class OpenedFile : public ::testing::Test {
 protected:
  ProgramRun program;
};

TEST_F(OpenedFile, ANewCollectionFilesTheRecipesByCategory) {
  const std::string file = program.File("bars.mmf", kLemonBars);
  ProgramRun::Outcome run = program.Run(
      "expect Import Into Which Chapter?\nexpect Chapters named by the recipes' categories\n"
      "press OK\nexpect Verify Import Format\npress OK\nexpect Lemon Bars\nexpect Cookies\npress Quit\n",
      file);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(program.Cli({"chapters"}).find("\n1\tCookies\n"), std::string::npos);
  EXPECT_EQ(program.Cli({"titles", "1"}), "1\t1\trecipe\tLemon Bars\n");
}

TEST_F(OpenedFile, TheRecipesGoToTheChapterChosen) {
  program.Cli({"add-chapter", "Baking"});
  program.Cli({"add-chapter", "Soups"});
  const std::string file = program.File("bars.mmf", kLemonBars);
  ProgramRun::Outcome run = program.Run(
      "expect Import Into Which Chapter?\nexpect Baking\nexpect Soups\n"
      "key Down\npress OK\nexpect Verify Import Format\npress OK\nexpect Lemon Bars\npress Quit\n",
      file);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(program.Cli({"titles", "1"}), "1\t1\trecipe\tLemon Bars\n");
  EXPECT_EQ(program.Cli({"titles", "2"}), "");
}

TEST_F(OpenedFile, CancellingOrAnUnfitFileImportsNothing) {
  const std::string file = program.File("bars.mmf", kLemonBars);
  ProgramRun::Outcome cancelled = program.Run(
      "expect Import Into Which Chapter?\npress Cancel\nexpect Locate Duplicates\npress Quit\n", file);
  EXPECT_EQ(cancelled.status, 0) << cancelled.err;
  const std::string tiny = program.File("tiny.mmf", "MMMMM\n");
  ProgramRun::Outcome refused = program.Run(
      "expect File is too small to import\npress OK\nexpect Locate Duplicates\npress Quit\n", tiny);
  EXPECT_EQ(refused.status, 0) << refused.err;
  EXPECT_EQ(program.Cli({"titles"}), "");
}

TEST_F(OpenedFile, TheHelpScreenSaysWhereTheCollectionIs) {
  ProgramRun::Outcome run = program.Run("type h\nexpect Your recipes are kept in " + program.Data().Path() +
                                        "  (given by --data)\npress Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(ProgramArguments, ACommandWordRunsTheCommandLineAndAFileTheWindow) {
  ProgramRun program;
  const std::string file = program.File("soup.mmf", kLemonBars);
  EXPECT_TRUE(NamesACommand({"chapters"}));
  EXPECT_TRUE(NamesACommand({"--data", "/tmp/x", "grocery", "list"}));
  EXPECT_TRUE(NamesACommand({"--version"}));
  EXPECT_TRUE(NamesACommand({"help"}));
  EXPECT_TRUE(NamesACommand({"chaptrs"}));  // a mistyped command gets its hint there
  EXPECT_FALSE(NamesACommand({}));
  EXPECT_FALSE(NamesACommand({"--headless", "--script", "chapters"}));
  EXPECT_FALSE(NamesACommand({"Soups.mmf"}));
  EXPECT_FALSE(NamesACommand({"--data", "d", "/home/cook/import"}));

  ProgramOptions options;
  std::string error;
  EXPECT_FALSE(ParseProgramOptions({"--data", "d", "/"}, options, error));
  EXPECT_NE(error.find("is a folder"), std::string::npos);
  error.clear();
  EXPECT_FALSE(ParseProgramOptions({"missing.mmf"}, options, error));
  EXPECT_EQ(error, "there is no file \"missing.mmf\"");
  EXPECT_FALSE(ParseProgramOptions({"--headles"}, options, error));
  EXPECT_EQ(error, "unknown option \"--headles\"; did you mean \"--headless\"?");
  ProgramOptions two;
  EXPECT_FALSE(ParseProgramOptions({file, file}, two, error));
  ProgramOptions one;
  EXPECT_TRUE(ParseProgramOptions({file, "--data", "d"}, one, error)) << error;
  EXPECT_EQ(one.fileToImport, file);
  EXPECT_EQ(one.dataFolder, "d");
}

}  // namespace
}  // namespace tovalia
