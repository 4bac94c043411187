// One writer per data folder, tried with real processes: imports started at
// the same moment, jobs under an open window, readers side by side.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "db/data_folder_lock.h"
#include "support/program_run.h"
#include "support/recipe_text.h"
#include "support/temp_folder.h"

extern char** environ;

namespace tovalia {
namespace {

using testing::TempFolder;

// Starts the real program with the arguments, its output going to a file.
pid_t StartTovalia(std::vector<std::string> args, const std::string& outputFile) {
  args.insert(args.begin(), TOVALIA_EXECUTABLE);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (outputFile + ".err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int Finish(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Cli(const TempFolder& data, std::vector<std::string> args) {
  args.insert(args.begin(), {"--data", data.Path()});
  std::ostringstream out, err;
  int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(OneWriter, ImportsStartedAtOnceBothStoreEveryRecipe) {
  TempFolder data, temp;
  constexpr int kRecipes = 60, kRounds = 8;
  const std::string source = temp.File("soups.mmf");
  const std::string text = testing::MealMasterRecipes(kRecipes, "Soup");
  testing::WriteBytes(source, std::vector<uint8_t>(text.begin(), text.end()));
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::string> args = {"--data", data.Path(), "import", source, "--sort-by-category"};
    pid_t first = StartTovalia(args, temp.File("first.txt"));
    pid_t second = StartTovalia(args, temp.File("second.txt"));
    ASSERT_EQ(Finish(first), 0) << Read(temp.File("first.txt.err"));
    ASSERT_EQ(Finish(second), 0) << Read(temp.File("second.txt.err"));
  }
  Outcome check = Cli(data, {"check"});
  EXPECT_EQ(check.status, kExitOk) << check.out;
  EXPECT_NE(check.out.find("recipes: " + std::to_string(2 * kRounds * kRecipes) + "\n"), std::string::npos)
      << check.out;
  EXPECT_NE(check.out.find("damaged records: 0\n"), std::string::npos);
  EXPECT_EQ(Lines(Cli(data, {"chapters"}).out), 4u + 2u);  // Soups and Breads, once each
}

TEST(OneWriter, AJobWaitsForTheWindowAndThenRefusesWithoutTouchingAFile) {
  TempFolder data;
  ASSERT_EQ(Cli(data, {"add-chapter", "Soups"}).status, kExitOk);
  const std::vector<uint8_t> before = testing::ReadBytes(data.File("Recipe34.dat"));

  DataFolderLock window(data.Path());
  ASSERT_TRUE(window.Acquire(FolderAccess::kWrite, 0));
  for (const char* command : {"add-chapter", "chapters"}) {
    std::vector<std::string> args = {"--wait", "0.2", command};
    if (std::string(command) == "add-chapter") args.push_back("Breads");
    Outcome refused = Cli(data, args);
    EXPECT_EQ(refused.status, kExitFailed) << command;
    EXPECT_NE(refused.err.find("Tovalia is running on this data folder; close it first"), std::string::npos)
        << refused.err;
  }
  EXPECT_EQ(testing::ReadBytes(data.File("Recipe34.dat")), before);
  window.Release();
  EXPECT_EQ(Cli(data, {"add-chapter", "Breads"}).status, kExitOk);
}

TEST(OneWriter, ReadersShareTheFolderAndWritersWaitForThem) {
  TempFolder data;
  ASSERT_EQ(Cli(data, {"add-chapter", "Soups"}).status, kExitOk);
  ASSERT_EQ(Cli(data, {"check"}).status, kExitOk);  // the file gets its header: nothing left to repair
  DataFolderLock reader(data.Path());
  ASSERT_TRUE(reader.Acquire(FolderAccess::kRead, 0));
  for (const char* command : {"chapters", "titles", "check"})
    EXPECT_EQ(Cli(data, {"--wait", "0", command}).status, kExitOk) << command;
  EXPECT_EQ(Cli(data, {"--wait", "0.2", "add-chapter", "Breads"}).status, kExitFailed);
  EXPECT_EQ(Cli(data, {"--wait", "0.2", "search", "soup"}).status, kExitFailed);  // it stores flags
}

TEST(OneWriter, AReaderThatFindsRepairsToDoWaitsToBecomeTheWriter) {
  TempFolder data;
  ASSERT_EQ(Cli(data, {"add-chapter", "Soups"}).status, kExitOk);
  std::remove(data.File("Index34.dat").c_str());  // the next start must rebuild it
  Outcome check = Cli(data, {"check"});
  EXPECT_EQ(check.status, kExitOk);
  EXPECT_EQ(check.out.substr(0, 15), "index: rebuilt\n");
  EXPECT_TRUE(testing::Exists(data.File("Index34.dat")));

  std::remove(data.File("Index34.dat").c_str());
  DataFolderLock other(data.Path());
  ASSERT_TRUE(other.Acquire(FolderAccess::kRead, 0));
  EXPECT_EQ(Cli(data, {"--wait", "0.2", "chapters"}).status, kExitFailed);
  EXPECT_FALSE(testing::Exists(data.File("Index34.dat")));
}

TEST(OneWriter, TheWindowRefusesToStartWhileAJobHasTheFolder) {
  testing::ProgramRun program;
  DataFolderLock job(program.Data().Path());
  ASSERT_TRUE(job.Acquire(FolderAccess::kWrite, 0));
  testing::ProgramRun::Outcome run = program.Run("press Quit\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Please close Tovalia and try again."), std::string::npos) << run.err;
}

TEST(OneWriter, NamesWithControlCharactersAreRefused) {
  TempFolder data;
  EXPECT_EQ(Cli(data, {"add-chapter", "Soups\tand stews"}).status, kExitUsage);
  EXPECT_EQ(Cli(data, {"add-chapter", "Soups"}).status, kExitOk);
  EXPECT_EQ(Cli(data, {"rename-chapter", "1", "Soups\n"}).status, kExitUsage);
  EXPECT_EQ(Cli(data, {"rename-chapter", "1", "So\nups"}).status, kExitUsage);
  Outcome refused = Cli(data, {"add-recipe", "--chapter", "1", "--title", "Leek\tSoup"});
  EXPECT_EQ(refused.status, kExitUsage);
  EXPECT_NE(refused.err.find("control characters"), std::string::npos);
  EXPECT_EQ(Cli(data, {"titles"}).out, "");
}

}  // namespace
}  // namespace tovalia
