#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "db/record_format.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class CommandLine : public ::testing::Test {
 protected:
  Outcome Tovalia(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path()});
    std::ostringstream out, err;
    int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
  }
  std::string TextFile(const std::string& name, const std::string& text) {
    WriteBytes(folder.File(name), std::vector<uint8_t>(text.begin(), text.end()));
    return folder.File(name);
  }
  std::vector<std::vector<uint8_t>> DataFiles() {
    return {ReadBytes(folder.File("Recipe34.dat")), ReadBytes(folder.File("Index34.dat")),
            ReadBytes(folder.File("Setup50.dat"))};
  }
  TempFolder folder;
};

TEST_F(CommandLine, ChaptersListsTheReservedViewsFirst) {
  Outcome run = Tovalia({"chapters"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out,
            "-1\tAll Recipes\n-2\tSearch Results\n-3\tRecipes Selected For Meals\n"
            "-4\tRecipes With Photos\n");
  EXPECT_FALSE(Exists(folder.File("Recipe34.dat")));
}

TEST_F(CommandLine, BuildsAndReadsACollection) {
  ASSERT_EQ(Tovalia({"add-chapter", "Desserts"}).out, "1\n");
  ASSERT_EQ(Tovalia({"add-chapter", "  Soupes à l'oignon  "}).out, "2\n");
  std::string ingredients = TextFile("ing.txt", "1 cup sugar\r\n½ cup crème fraîche\n");
  std::string directions = TextFile("dir.txt", "Whisk.\n\nBake 20 minutes.\n");
  Outcome added = Tovalia({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée", "--servings", "6",
                       "--ingredients", ingredients, "--directions", directions});
  ASSERT_EQ(added.status, kExitOk) << added.err;
  EXPECT_EQ(added.out, "1\n");
  std::string note = TextFile("note.txt", "Keep eggs at room temperature.");
  ASSERT_EQ(Tovalia({"add-recipe", "--chapter", "2", "--title", "about onions", "--text",
                     "--ingredients", note}).out,
            "2\n");
  ASSERT_EQ(Tovalia({"add-recipe", "--chapter", "1", "--title", "Apple Tart"}).out, "3\n");

  EXPECT_EQ(Tovalia({"titles"}).out,
            "2\t2\ttext\tabout onions\n3\t1\trecipe\tApple Tart\n1\t1\trecipe\tCrème Brûlée\n");
  EXPECT_EQ(Tovalia({"titles", "2"}).out, "2\t2\ttext\tabout onions\n");
  EXPECT_EQ(Tovalia({"chapters"}).out.substr(86), "1\tDesserts\n2\tSoupes à l'oignon\n");

  Outcome shown = Tovalia({"show", "1"});
  EXPECT_EQ(shown.status, kExitOk);
  EXPECT_NE(shown.out.find("Title: Crème Brûlée\nChapter: Desserts\nServings: 6\nSaved: "),
            std::string::npos);
  EXPECT_NE(shown.out.find("\nIngredients:\n1 cup sugar\n½ cup crème fraîche\n\nDirections:\n"
                           "Whisk.\n\nBake 20 minutes.\n"),
            std::string::npos)
      << shown.out;
  EXPECT_NE(Tovalia({"show", "2"}).out.find("\nText:\nKeep eggs at room temperature.\n"),
            std::string::npos);

  // The record holds CP1252 text with CR line ends.
  std::vector<uint8_t> file = ReadBytes(folder.File("Recipe34.dat"));
  std::string bytes(file.begin(), file.end());
  EXPECT_NE(bytes.find("Cr\xE8me Br\xFBl\xE9" "e1 cup sugar\r\xBD cup cr\xE8me fra\xEE" "che"
                       "Whisk.\r\rBake 20 minutes."),
            std::string::npos);

  ASSERT_EQ(Tovalia({"delete", "3"}).status, kExitOk);
  EXPECT_EQ(Tovalia({"titles", "1"}).out, "1\t1\trecipe\tCrème Brûlée\n");
  EXPECT_NE(Tovalia({"check"}).out.find("deleted bytes: 50\n"), std::string::npos);
}

TEST_F(CommandLine, MistakesChangeNothing) {
  Tovalia({"add-chapter", "Mains"});
  Tovalia({"add-recipe", "--chapter", "1", "--title", "Stew"});
  Tovalia({"check"});
  auto before = DataFiles();
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  std::vector<Case> cases = {
      {{"frobnicate"}, kExitUsage, "not a command"},
      {{"show"}, kExitUsage, "one recipe number"},
      {{"show", "abc"}, kExitUsage, "not a recipe number"},
      {{"show", "42"}, kExitFailed, "no recipe or text with the number 42"},
      {{"delete", "42"}, kExitFailed, "no recipe or text with the number 42"},
      {{"titles", "1", "2"}, kExitUsage, "at most one"},
      {{"add-chapter"}, kExitUsage, "one chapter name"},
      {{"add-chapter", "   "}, kExitUsage, "needs a name"},
      {{"add-chapter", std::string(61, 'c')}, kExitUsage, "at most 60"},
      {{"add-recipe", "--title", "X"}, kExitUsage, "--chapter"},
      {{"add-recipe", "--chapter", "1"}, kExitUsage, "--title"},
      {{"add-recipe", "--chapter", "7", "--title", "X"}, kExitFailed, "no chapter with the number 7"},
      {{"add-recipe", "--chapter", "-1", "--title", "X"}, kExitUsage, "not a chapter number"},
      {{"add-recipe", "--chapter", "1", "--title", "X", "--servings", "300"}, kExitUsage, "0 to 255"},
      {{"add-recipe", "--chapter", "1", "--title", std::string(256, 't')}, kExitUsage, "255"},
      {{"add-recipe", "--chapter", "1", "--title", "X", "--ingredients", "/no/such/file"},
       kExitUsage, "Cannot read"},
      {{"add-recipe", "--chapter", "1", "--title", "X", "--colour", "red"}, kExitUsage, "--colour"},
      {{"add-recipe", "--chapter", "1", "--title", "X", "--text", "--directions", "f"}, kExitUsage,
       "one text"},
      {{"compact", "now"}, kExitUsage, "no arguments"},
  };
  for (const Case& c : cases) {
    Outcome run = Tovalia(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[0];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(DataFiles(), before) << c.args[0];
  }
  std::string big = TextFile("big.txt", std::string(65001, 'x'));
  Outcome run = Tovalia({"add-recipe", "--chapter", "1", "--title", "X", "--directions", big});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(DataFiles(), before);
}

TEST_F(CommandLine, WrongOptionsAndAMissingCommandAreRefusedBeforeAnythingIsRead) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine({"--data"}, out, err), kExitUsage);
  EXPECT_EQ(RunCommandLine({"--colour", "x", "titles"}, out, err), kExitUsage);
  EXPECT_EQ(RunCommandLine({"--data", folder.Path()}, out, err), kExitUsage);
  EXPECT_FALSE(Exists(folder.File("Setup50.dat")));
  EXPECT_EQ(RunCommandLine({"add-recipe", "--help"}, out, err), kExitOk);
  EXPECT_NE(out.str().find("add-recipe --chapter N --title T"), std::string::npos);
}

TEST_F(CommandLine, CheckReportsWhatStartUpFound) {
  Tovalia({"add-chapter", "Mains"});
  // The chapter was stored into an empty file: no header yet.
  Outcome first = Tovalia({"check"});
  EXPECT_EQ(first.out,
            "index: loaded\nrecipe file: compacted\nrecipes: 0\nchapters: 1\ndeleted bytes: 0\n"
            "damaged records: 0\ndata folder: " + folder.Path() + " (given by --data)\n");
  // A current collection is only read.
  EXPECT_EQ(Tovalia({"check"}).out.substr(0, 42), "index: loaded\nrecipe file: header current\n");
  std::remove(folder.File("Index34.dat").c_str());
  EXPECT_EQ(Tovalia({"check"}).out.substr(0, 15), "index: rebuilt\n");
}

TEST_F(CommandLine, CompactRemovesDeletedRecords) {
  Tovalia({"add-chapter", "Mains"});
  Tovalia({"add-recipe", "--chapter", "1", "--title", "Stew"});
  Tovalia({"add-recipe", "--chapter", "1", "--title", "Roast"});
  Tovalia({"delete", "1"});
  Outcome run = Tovalia({"compact"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out, "Recipe file: 174 bytes before, 130 after.\n");
  EXPECT_EQ(Tovalia({"titles"}).out, "2\t1\trecipe\tRoast\n");
}

// The built program, as a user runs it: status and messages.
TEST_F(CommandLine, TheProgramExitsWithTheCommandsStatus) {
  auto run = [&](const std::string& arguments) {
    std::string command = std::string(TOVALIA_EXECUTABLE) + " --data " + folder.Path() + " " +
                          arguments + " 2>" + folder.File("err.txt");
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char chunk[256];
    while (size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, got);
    int status = ::pclose(pipe);
    return std::make_pair(WEXITSTATUS(status), out);
  };
  EXPECT_EQ(run("add-chapter 'Side Dishes'"), std::make_pair(0, std::string("1\n")));
  EXPECT_EQ(run("show 5").first, kExitFailed);
  std::vector<uint8_t> err = ReadBytes(folder.File("err.txt"));
  EXPECT_NE(std::string(err.begin(), err.end()).find("no recipe or text with the number 5"),
            std::string::npos);
  EXPECT_EQ(run("nonsense").first, kExitUsage);
}

}  // namespace
}  // namespace tovalia

namespace tovalia {
namespace {

class ChapterCommands : public ::testing::Test {
 protected:
  std::pair<int, std::string> Tovalia(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path()});
    std::ostringstream out, err;
    int status = RunCommandLine(args, out, err);
    return {status, out.str() + err.str()};
  }
  testing::TempFolder folder;
};

TEST_F(ChapterCommands, RenameDeleteMoveAndCopy) {
  Tovalia({"add-chapter", "Mains"});
  Tovalia({"add-chapter", "Sides"});
  Tovalia({"add-recipe", "--chapter", "1", "--title", "Stew"});
  Tovalia({"add-recipe", "--chapter", "1", "--title", "Roast"});
  EXPECT_EQ(Tovalia({"rename-chapter", "2", "Side Dishes"}).first, kExitOk);
  EXPECT_NE(Tovalia({"chapters"}).second.find("2\tSide Dishes\n"), std::string::npos);
  EXPECT_EQ(Tovalia({"move", "1", "--to", "2"}).first, kExitOk);
  EXPECT_EQ(Tovalia({"titles", "2"}).second, "1\t2\trecipe\tStew\n");
  EXPECT_EQ(Tovalia({"copy", "2", "1", "--to", "2"}).first, kExitOk);
  EXPECT_EQ(Tovalia({"titles", "2"}).second.size(),
            std::string("3\t2\trecipe\tRoast\n4\t2\trecipe\tStew\n1\t2\trecipe\tStew\n").size());

  // A chapter that still holds recipes goes only when that is asked for.
  auto refused = Tovalia({"delete-chapter", "2"});
  EXPECT_EQ(refused.first, kExitFailed);
  EXPECT_NE(refused.second.find("holds 3 recipes"), std::string::npos);
  EXPECT_EQ(Tovalia({"delete-chapter", "2", "--with-recipes"}).first, kExitOk);
  EXPECT_EQ(Tovalia({"titles"}).second, "2\t1\trecipe\tRoast\n");
  // Numbers follow the highest in use, so a deleted chapter's number returns.
  EXPECT_EQ(Tovalia({"add-chapter", "Empty"}).second, "2\n");
  EXPECT_EQ(Tovalia({"delete-chapter", "2"}).first, kExitOk);

  EXPECT_EQ(Tovalia({"move", "9", "--to", "1"}).first, kExitFailed);
  EXPECT_EQ(Tovalia({"move", "2", "--to", "8"}).first, kExitFailed);
  EXPECT_EQ(Tovalia({"move", "2"}).first, kExitUsage);
  EXPECT_EQ(Tovalia({"rename-chapter", "-1", "X"}).first, kExitUsage);
  EXPECT_EQ(Tovalia({"delete-chapter", "1", "--force"}).first, kExitUsage);
}

}  // namespace
}  // namespace tovalia

namespace tovalia {
namespace {

TEST(ShowResized, ScalesForReadingAndLeavesTheRecipeAsStored) {
  testing::TempFolder folder;
  auto tovalia = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path()});
    std::ostringstream out, err;
    int status = RunCommandLine(args, out, err);
    return std::make_pair(status, out.str() + err.str());
  };
  testing::WriteBytes(folder.File("ing.txt"), {'1', '/', '2', ' ', 'c', 'u', 'p', '\n', '3', ' ', 'e', 'g', 'g', 's'});
  tovalia({"add-chapter", "Breakfast"});
  tovalia({"add-recipe", "--chapter", "1", "--title", "Pancakes", "--servings", "4", "--ingredients",
           folder.File("ing.txt")});
  tovalia({"add-recipe", "--chapter", "1", "--title", "Toast", "--servings", "0", "--ingredients",
           folder.File("ing.txt")});
  tovalia({"add-recipe", "--chapter", "1", "--title", "Note", "--text"});
  const std::vector<uint8_t> stored = testing::ReadBytes(folder.File("Recipe34.dat"));

  auto six = tovalia({"show", "1", "--servings", "6"});
  EXPECT_EQ(six.first, kExitOk);
  EXPECT_NE(six.second.find("Servings: 6\n"), std::string::npos);
  EXPECT_NE(six.second.find("Ingredients:\n3/4 cup\n4-1/2 eggs\n"), std::string::npos) << six.second;
  auto doubled = tovalia({"show", "2", "--scale", "2"});
  EXPECT_NE(doubled.second.find("Servings: 0\n"), std::string::npos);
  EXPECT_NE(doubled.second.find("Ingredients:\n1 cup\n6 eggs\n"), std::string::npos);
  auto many = tovalia({"show", "1", "--servings", "300"});
  EXPECT_NE(many.second.find("Servings: 255\n"), std::string::npos);

  EXPECT_EQ(tovalia({"show", "2", "--servings", "4"}).first, kExitFailed);  // no servings to scale from
  EXPECT_EQ(tovalia({"show", "3", "--scale", "2"}).first, kExitFailed);     // a text record
  EXPECT_EQ(tovalia({"show", "1", "--scale", "-2"}).first, kExitUsage);
  EXPECT_EQ(tovalia({"show", "1", "--scale"}).first, kExitUsage);
  EXPECT_EQ(tovalia({"show", "1", "--size", "2"}).first, kExitUsage);
  EXPECT_EQ(testing::ReadBytes(folder.File("Recipe34.dat")), stored);
}

}  // namespace
}  // namespace tovalia

namespace tovalia {
namespace {

TEST(ImportCommand, ImportsFilesAndStandardInputAndRefusesClearly) {
  testing::TempFolder folder;
  auto tovalia = [&](const std::string& arguments, const std::string& input = "") {
    std::string command = "printf '%b' '" + input + "' | " + TOVALIA_EXECUTABLE + " --data " + folder.Path() +
                          " " + arguments + " 2>" + folder.File("err.txt");
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char chunk[256];
    while (size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, got);
    int status = WEXITSTATUS(::pclose(pipe));
    std::vector<uint8_t> err = testing::ReadBytes(folder.File("err.txt"));
    return std::make_tuple(status, out, std::string(err.begin(), err.end()));
  };
  const std::string recipe =
      "MMMMM----- Recipe via Meal-Master\\n      Title: Oat Cookies\\n Categories: Cookies\\n"
      "      Yield: 12\\n\\n      2 c  oats\\n      1 c  sugar\\n\\n  Mix and bake.\\nMMMMM\\n";
  tovalia("add-chapter Imported");
  EXPECT_EQ(tovalia("import - --chapter 1", recipe), std::make_tuple(0, std::string("1\tImported\t1\n"), std::string()));
  EXPECT_EQ(std::get<1>(tovalia("import - --sort-by-category", recipe)), "2\tCookies\t1\n");
  EXPECT_FALSE(testing::Exists(folder.File("Temp.dat")));
  auto text = tovalia("import - --chapter 1 --as-text-record", recipe);
  EXPECT_EQ(std::get<1>(text), "1\tImported\t1\n");
  EXPECT_NE(std::get<1>(tovalia("titles 1")).find("text\tTemp.dat"), std::string::npos);

  auto small = tovalia("import - --chapter 1", "too small");
  EXPECT_EQ(std::get<0>(small), kExitFailed);
  EXPECT_EQ(std::get<2>(small), "File is too small to import\n");
  auto missing = tovalia("import /no/such/file.mmf --chapter 1");
  EXPECT_EQ(std::get<2>(missing), "File Not Found?\n");
  auto database = tovalia("import " + folder.File("Recipe34.dat") + " --chapter 1");
  EXPECT_EQ(std::get<2>(database), "Tovalia data files cannot be imported directly\n");
  EXPECT_EQ(std::get<0>(tovalia("import - ", recipe)), kExitUsage);  // no chapter named
  EXPECT_EQ(std::get<0>(tovalia("import - --chapter 9", recipe)), kExitFailed);
  // A source with no recipe in it: nothing is stored, and the command says so and fails.
  EXPECT_EQ(tovalia("import - --chapter 1", "A letter about the weather, long enough to be read as a source, and with no recipe in it at all.\\n"),
            std::make_tuple(kExitFailed, std::string(), std::string("No recipes were found in the text\n")));
  EXPECT_EQ(std::get<2>(tovalia("import " + folder.Path() + " --chapter 1")), "A folder cannot be imported?\n");
}

// A range keeps its form on import, and show --scale scales both ends.
TEST(ImportCommand, RangesArriveAndResizeAsRanges) {
  testing::TempFolder folder;
  auto tovalia = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path()});
    std::ostringstream out, err;
    RunCommandLine(args, out, err);
    return out.str() + err.str();
  };
  const std::string recipe =
      "MMMMM----- Recipe via Meal-Master (tm) v7.07\n\n      Title: Soup Stock\n     Servings:  4\n\n"
      "      1 ea Onion\n    1-2    Eggs\n  2 - 3 c  Water\n\n  Simmer.\n\nMMMMM\n";
  testing::WriteBytes(folder.File("stock.mmf"), std::vector<uint8_t>(recipe.begin(), recipe.end()));
  tovalia({"add-chapter", "Soups"});
  tovalia({"import", folder.File("stock.mmf"), "--chapter", "1"});
  EXPECT_NE(tovalia({"show", "1"}).find("Ingredients:\n1 ea Onion\n1-2 Eggs\n2-3 cups Water\n"), std::string::npos);
  const std::string doubled = tovalia({"show", "1", "--scale", "2"});
  EXPECT_NE(doubled.find("Ingredients:\n2 ea Onion\n2-4 Eggs\n4-6 cups Water\n"), std::string::npos) << doubled;
}

}  // namespace
}  // namespace tovalia
