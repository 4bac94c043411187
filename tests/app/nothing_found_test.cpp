// A search that finds nothing and an import that stores nothing say so, on
// screen (the real program, headless) and on the command line, which then
// ends with status 1.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

class NothingFound : public ::testing::Test {
 protected:
  void SetUp() override {
    program.Cli({"add-chapter", "Soups"});
    program.Cli({"add-recipe", "--chapter", "1", "--title", "Leek Soup"});
  }
  int Cli(std::vector<std::string> args, std::string& err) {
    args.insert(args.begin(), {"--data", program.Data().Path()});
    std::ostringstream out, errors;
    const int status = RunCommandLine(args, out, errors);
    err = errors.str();
    return status;
  }
  testing::ProgramRun program;
  // Long enough to be imported, with nothing that looks like a recipe.
  const std::string prose =
      "Dear Ann, the garden did well this year. The beans climbed the fence and the squash took over "
      "the lawn. Come by on Sunday.\n";
};

TEST_F(NothingFound, TheScreensSaySo) {
  const std::string letter = program.File("letter.txt", prose);
  // Row 4 is the chapter "Soups".
  testing::ProgramRun::Outcome run = program.Run(
      "press Find\ntype zucchini\nkey Enter\nexpect No matches for \"zucchini\"\npress OK\n"
      "expect 0 Recipes\n"
      "click 200 183\npress Import\ntype " + letter + "\nkey Enter\nexpect Verify Import Format\npress OK\n"
      "expect No recipes were found in this file\npress OK\n"
      // The text can still be marked by hand.
      "expect Manual Import\npress Done\nexpect 1 Recipes\nquit\n");
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(NothingFound, TheCommandLineSaysSoAndFails) {
  std::string err;
  EXPECT_EQ(Cli({"search", "zucchini"}, err), kExitFailed);
  EXPECT_EQ(err, "No matches for \"zucchini\"\n");
  EXPECT_EQ(Cli({"search", "leek"}, err), kExitOk);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Cli({"import", program.File("letter.txt", prose), "--chapter", "1"}, err), kExitFailed);
  EXPECT_EQ(err, "No recipes were found in this file\n");
  EXPECT_EQ(program.Cli({"titles", "1"}), "1\t1\trecipe\tLeek Soup\n");
}

}  // namespace
}  // namespace tovalia
