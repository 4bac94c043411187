// The command line's help, version and hints: every command described once,
// its options read from its synopsis, mistyped words answered with the
// nearest known one, and none of it touching the data folder.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/command_help.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/grocery_commands.h"
#include "cli/meal_commands.h"
#include "cli/spell_commands.h"
#include "cli/manual_page.h"
#include "cli/nearest_word.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::TempFolder;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class CommandHelpTest : public ::testing::Test {
 protected:
  Outcome Tovalia(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.File("tv_data")});
    std::ostringstream out, err;
    int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
  }
  bool Untouched() const { return !Exists(folder.File("tv_data")); }
  TempFolder folder;
};

TEST_F(CommandHelpTest, EveryCommandTheProgramRunsIsDescribedAndNoOther) {
  std::set<std::string> run;
  for (const std::string& name : CommandNames())
    if (name != "grocery" && name != "meals" && name != "dictionary") run.insert(name);
  for (const std::string& name : GroceryCommandNames()) run.insert("grocery " + name);
  for (const std::string& name : MealCommandNames()) run.insert("meals " + name);
  for (const std::string& name : DictionaryCommandNames()) run.insert("dictionary " + name);
  std::set<std::string> described;
  for (const CommandHelp& command : CommandHelps()) {
    EXPECT_TRUE(described.insert(std::string(command.name)).second) << command.name << " twice";
    EXPECT_FALSE(command.summary.empty()) << command.name;
    EXPECT_FALSE(command.details.empty()) << command.name;
  }
  EXPECT_EQ(run, described);
}

TEST_F(CommandHelpTest, HelpListsEveryCommandOnOneLineWithinTheTerminal) {
  Outcome help = Tovalia({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  std::istringstream lines(help.out);
  std::string line;
  std::set<std::string> listed;
  while (std::getline(lines, line)) {
    EXPECT_LE(line.size(), 79u) << line;
    for (const CommandHelp& command : CommandHelps()) {
      const std::string start = "  " + std::string(command.name) + " ";
      if (line.rfind(start, 0) == 0 && line.find(std::string(command.summary)) != std::string::npos)
        listed.insert(std::string(command.name));
    }
  }
  EXPECT_EQ(listed.size(), CommandHelps().size());
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  EXPECT_EQ(Tovalia({"--version"}).out, "Tovalia 5.8\n");
  EXPECT_TRUE(Untouched());
}

TEST_F(CommandHelpTest, EachCommandExplainsItselfWithoutRunning) {
  for (const CommandHelp& command : CommandHelps()) {
    std::vector<std::string> args;
    std::istringstream words{std::string(command.name)};
    for (std::string word; words >> word;) args.push_back(word);
    args.push_back("--help");
    Outcome run = Tovalia(args);
    EXPECT_EQ(run.status, kExitOk) << command.name << ": " << run.err;
    EXPECT_NE(run.out.find("tovalia [--data DIR] " + std::string(command.name)), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(std::string(command.details.substr(0, 20))), std::string::npos) << run.out;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
  }
  // "help COMMAND" says the same; a group lists its subcommands.
  EXPECT_EQ(Tovalia({"help", "import"}).out, Tovalia({"import", "--help"}).out);
  Outcome group = Tovalia({"grocery", "--help"});
  EXPECT_EQ(group.status, kExitOk);
  EXPECT_NE(group.out.find("  grocery add-recipe"), std::string::npos);
  // --help after a value-taking option's value still asks for help; as the
  // value itself it is only a value.
  EXPECT_EQ(Tovalia({"import", "x.mmf", "--chapter", "2", "--help"}).status, kExitOk);
  EXPECT_TRUE(Untouched());
}

TEST_F(CommandHelpTest, OptionsAreReadFromTheSynopsis) {
  auto options = [](std::string_view name) {
    std::string text;
    for (const CommandOption& o : CommandOptions(*FindCommandHelp(name)))
      text += o.name + (o.takesValue ? "=V " : " ");
    return text;
  };
  EXPECT_EQ(options("show"), "--scale=V --servings=V ");
  EXPECT_EQ(options("import"), "--chapter=V --sort-by-category --as-text-record ");
  EXPECT_EQ(options("upgrade"), "--list --from=V ");
  EXPECT_EQ(options("pdf-book"), "--output=V --size=V --title=V --subtitle=V --author=V --chapter=V ");
  EXPECT_EQ(options("grocery find"), "--field=V ");
  EXPECT_EQ(options("check"), "");
}

TEST_F(CommandHelpTest, MistypedWordsAreRefusedWithTheNearestKnownOne) {
  Outcome run = Tovalia({"import", "x.mmf", "--chaptr", "2"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.err, "tovalia: unknown option \"--chaptr\" for \"import\"; did you mean \"--chapter\"?\n");
  EXPECT_NE(Tovalia({"import", "x.mmf", "--sort"}).err.find("did you mean \"--sort-by-category\"?"),
            std::string::npos);
  EXPECT_NE(Tovalia({"grocery", "add", "Milk", "--stor", "Co-op"}).err.find("did you mean \"--store\"?"),
            std::string::npos);
  // Nothing near: the command's options are listed instead.
  EXPECT_EQ(Tovalia({"delete-chapter", "3", "--everything"}).err,
            "tovalia: unknown option \"--everything\" for \"delete-chapter\"; it takes --with-recipes.\n");
  EXPECT_NE(Tovalia({"compact", "--fast"}).err.find("it takes none."), std::string::npos);
  // The options before the command, and the commands themselves.
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine({"--dta", folder.Path(), "chapters"}, out, err), kExitUsage);
  EXPECT_EQ(err.str(), "tovalia: unknown option \"--dta\"; did you mean \"--data\"?\n");
  EXPECT_EQ(Tovalia({"chaptrs"}).err, "tovalia: \"chaptrs\" is not a command; did you mean \"chapters\"?\n");
  EXPECT_EQ(Tovalia({"grocery", "lst"}).err,
            "tovalia: \"grocery lst\" is not a command; did you mean \"grocery list\"?\n");
  EXPECT_EQ(Tovalia({"frobnicate"}).err, "tovalia: \"frobnicate\" is not a command; \"tovalia --help\" lists them.\n");
  EXPECT_TRUE(Untouched());
}

TEST_F(CommandHelpTest, AValueThatStartsWithDashesIsNotAnOption) {
  Outcome run = Tovalia({"show", "1", "--scale", "--two"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.err.find("unknown option"), std::string::npos) << run.err;
  EXPECT_TRUE(Untouched());
}

TEST(NearestWord, FindsSlipsAndLeavesStrangersAlone) {
  const std::vector<std::string> options = {"--chapter", "--titles", "--title", "--sort-by-category", "--servings"};
  EXPECT_EQ(NearestWord("--chatper", options), "--chapter");  // two letters swapped
  EXPECT_EQ(NearestWord("--Chapter", options), "--chapter");
  EXPECT_EQ(NearestWord("-chapter", options), "--chapter");
  EXPECT_EQ(NearestWord("--titel", options), "--title");
  EXPECT_EQ(NearestWord("--sort", options), "--sort-by-category");
  EXPECT_EQ(NearestWord("--se", options), "--servings");
  EXPECT_EQ(NearestWord("--tit", options), "");  // begins two words
  EXPECT_EQ(NearestWord("--colour", options), "");
  EXPECT_EQ(NearestWord("--", options), "");
  EXPECT_EQ(TypingDistance("abcd", "acbd"), 1u);
  EXPECT_EQ(TypingDistance("kitten", "sitting"), 3u);
}

TEST(ManualPage, DescribesEveryCommandInValidRoff) {
  const std::string page = ManualPage();
  EXPECT_EQ(page.rfind(".TH TOVALIA 1 ", 0), 0u);
  for (const CommandHelp& command : CommandHelps())
    EXPECT_NE(page.find("\\fB" + RoffText(command.name, true) + "\\fR"), std::string::npos) << command.name;
  // Every line that starts with a dot is one of the requests the page uses;
  // text that happened to start with one would vanish from the page.
  const std::set<std::string> requests = {".TH", ".SH", ".TP", ".PP", ".B", ".I", ".br"};
  std::istringstream lines(page);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] != '.') continue;
    EXPECT_TRUE(requests.count(line.substr(0, line.find(' ')))) << line;
  }
  EXPECT_EQ(RoffText(".hidden \\ and 'quoted' -x", true), "\\&.hidden \\e and 'quoted' \\-x");
}

}  // namespace
}  // namespace tovalia
