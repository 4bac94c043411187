// "Locate Duplicates" through the real program, headless, and the command
// line's "duplicates": a file imported twice gives one pair per recipe with
// the second copy marked, and deleting the marked recipes gives back the
// collection of one import.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "support/imports.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

class DuplicateReview : public ::testing::Test {
 protected:
  void SetUp() override {
    file = testing::CorpusFile("mealmaster/gourmet_mealmaster.mmf");
    if (file.empty()) GTEST_SKIP() << "no corpus beside the repository";
    for (testing::ProgramRun* run : {&program, &once}) {
      run->Cli({"add-chapter", "Imported"});
      run->Cli({"import", file, "--chapter", "1"});
    }
    program.Cli({"import", file, "--chapter", "1"});
  }
  int Cli(std::vector<std::string> args, std::string& out, std::string& err) {
    args.insert(args.begin(), {"--data", program.Data().Path()});
    std::ostringstream o, e;
    const int status = RunCommandLine(args, o, e);
    out = o.str();
    err = e.str();
    return status;
  }
  // Every recipe as "show" gives it, in title order.
  static std::string Collection(testing::ProgramRun& run) {
    std::istringstream titles(run.Cli({"titles"}));
    std::string all, line;
    while (std::getline(titles, line)) all += run.Cli({"show", line.substr(0, line.find('\t'))}) + "----\n";
    return all;
  }
  std::string file;
  testing::ProgramRun program;  // the file imported twice
  testing::ProgramRun once;     // the file imported once
};

TEST_F(DuplicateReview, TheCommandLineListsThePairsWithTheSecondCopiesMarkedAndDeletesThem) {
  std::string out, err;
  ASSERT_EQ(Cli({"duplicates"}, out, err), kExitOk) << err;
  std::istringstream lines(out);
  std::string line;
  int pairs = 0;
  while (std::getline(lines, line)) {
    ++pairs;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 6u) << line;
    EXPECT_EQ(fields[0], std::to_string(pairs));
    EXPECT_EQ(fields[2], fields[4]) << line;  // the same title on both sides
    // The marked one is the copy the second import made (RecipeIds 6 to 10).
    const int marked = std::stoi(fields[5]);
    EXPECT_TRUE(marked == std::stoi(fields[1]) || marked == std::stoi(fields[3])) << line;
    EXPECT_GE(marked, 6) << line;
  }
  EXPECT_EQ(pairs, 5);
  EXPECT_EQ(Cli({"duplicates", "--accuracy", "sloppy"}, out, err), kExitUsage);
  ASSERT_EQ(Cli({"duplicates", "--delete-marked", "--accuracy", "best"}, out, err), kExitOk) << err;
  EXPECT_EQ(out, "deleted 5 recipes\n");
  EXPECT_EQ(Collection(program), Collection(once));
  EXPECT_EQ(program.Cli({"titles"}), once.Cli({"titles"}));
  EXPECT_EQ(Cli({"duplicates", "--accuracy", "poor"}, out, err), kExitFailed);
  EXPECT_EQ(err, "No Duplicate Recipes Were Found\n");
}

TEST_F(DuplicateReview, TheReviewScreenMarksStepsAndDeletes) {
  testing::ProgramRun::Outcome run = program.Run(
      "press Locate Duplicates\nexpect Select Accuracy of Duplicate Search\npress OK\n"
      "expect Duplicate 1 of 5\nexpect Marked to Delete\nexpect 5 recipes marked to delete\n"
      "expect Title:\nexpect Chapter:\nexpect Photo:\n"
      "key Right\nexpect Duplicate 2 of 5\nkey Left\nexpect Duplicate 1 of 5\n"
      "key PageDown\nkey Down\nkey Home\n"
      "press Unmark All\nexpect remove marks from all duplicates?\npress OK\n"
      "absent Marked to Delete\nexpect 0 recipes marked to delete\n"
      "press Delete Marked Recipes\nexpect No recipes are marked to delete.\npress OK\n"
      "type 1\nexpect Marked to Delete\nexpect 1 recipe marked to delete\npress Mark Recipe 1\n"
      "absent Marked to Delete\npress Cancel\nexpect 10 Recipes\n"
      // Afresh: the exact copies are marked again; deleting them.
      "press Locate Duplicates\npress OK\nexpect 5 recipes marked to delete\n"
      "press Delete Marked Recipes\nexpect Are you sure you want to delete\nexpect the 5 selected recipes?\n"
      "press OK\nexpect 5 Recipes\n"
      "press Locate Duplicates\nkey Down\nkey Down\npress OK\nexpect No Duplicate Recipes Were Found\npress OK\n"
      "press Quit\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Collection(program), Collection(once));
  EXPECT_EQ(program.Cli({"titles"}), once.Cli({"titles"}));
  EXPECT_NE(program.Cli({"check"}).find("deleted bytes: 0"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
