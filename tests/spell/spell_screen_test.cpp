// The checking screen driven through the real program, headless: from the
// editor's "Spell Check", and the quiet pass after an import; then the
// spell and dictionary commands over the same data folder.
#include <gtest/gtest.h>

#include <cstdio>

#include "spell/spell_dictionary.h"
#include "state/settings.h"
#include "support/program_run.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

constexpr char kOpenChapter[] = "click 100 183\n";

class SpellScreen : public ::testing::Test {
 protected:
  testing::ProgramRun program;
  std::string Cli(std::vector<std::string> args) { return program.Cli(std::move(args)); }
  std::string DictionaryFile() const { return program.Data().File("Spell54.dat"); }
  void Dictionary(std::vector<SpellEntry> entries) {
    const std::string image = BuildSpellImage(std::move(entries));
    WriteBytes(DictionaryFile(), std::vector<uint8_t>(image.begin(), image.end()));
  }
  std::string Body(const std::string& id) {
    const std::string shown = Cli({"show", id});
    return shown.substr(shown.find("\nIngredients:"));
  }
};

TEST_F(SpellScreen, TheEditorsSpellCheckReplacesEditsAddsAndSkips) {
  Dictionary({{"apple", ""}, {"bake", ""}, {"cinnamon", ""}, {"crumble", ""}, {"for", ""}, {"minutes", ""},
              {"teh", "the"}, {"the", ""}, {"nutmeg", ""}, {"way", ""}});
  Cli({"add-chapter", "Desserts"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Apple Crumble", "--ingredients",
       program.File("i.txt", "Cinamon\nNutmgg\n"), "--directions",
       program.File("d.txt", "Bake TEH crumble for 40 minutes, Grandma's way.\n")});
  const auto run = program.Run(std::string(kOpenChapter) +
                               "press Edit\npress Spell Check\nexpect Check Spelling\nexpect Cinamon\n"
                               "expect cinnamon\nexpect 10 words\n"
                               // Enter takes the current dictionary word, capitalised as typed.
                               "key Enter\nexpect Cinnamon\npress Next\nexpect Nutmgg\n"
                               // W edits the word by hand, in the capitals of the word it replaces; it
                               // is not added to the dictionary.
                               "type W\nexpect Edit Word\nkey Escape\ntype NUTMEG\nkey Enter\nexpect Nutmeg\n"
                               "press Next\nexpect Grandma's\n"
                               "press Add\nexpect Add Word to Spell Check Dictionary\npress Save\nexpect 11 words\n"
                               "press Next\nexpect No More Misspelled Words...\n"
                               "press Quit\nexpect Edit Recipe\npress Save\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Body("1"), "\nIngredients:\nCinnamon\nNutmeg\n\nDirections:\nBake THE crumble for 40 minutes, Grandma's way.\n");
  EXPECT_EQ(Cli({"dictionary", "find", "Grandma's"}), "grandma's\n");
  EXPECT_EQ(Cli({"dictionary", "find", "nutmgg"}), "not in the dictionary; nearest: nutmeg\n");
}

TEST_F(SpellScreen, DictionaryEntriesAreEditedAndDeletedFromTheScreen) {
  Dictionary({{"soup", ""}, {"leek", ""}, {"potato", ""}});
  Cli({"add-chapter", "Soups"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Leak Soup"});
  const auto run = program.Run(std::string(kOpenChapter) +
                               "press Edit\npress Spell Check\nexpect Leak\nexpect 3 words\n"
                               // The nearest entry is current: edit it into a "watch for" word.
                               "key Home\npress Edit\nexpect Edit Dictionary Word\n"
                               "type 1\nkey Tab\ntype z\npress Save\n"
                               "expect ** No numbers, spaces, or punctuation\nkey Escape\ntype tater\nkey Tab\n"
                               "key Escape\ntype potato\npress Save\nexpect tater\n"
                               "key Delete\nexpect Are you sure you want to delete\npress OK\nexpect 2 words\n"
                               "press Quit\npress Cancel\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Cli({"dictionary", "list"}), "potato\nsoup\n");
}

TEST_F(SpellScreen, AnImportStopsOnlyAtUnknownWordsAndQuitEndsTheChecking) {
  Dictionary({{"flour", ""}, {"sugar", ""}, {"mix", ""}, {"and", ""}, {"bake", ""}, {"lemon", ""},
              {"bars", ""}, {"cups", ""}, {"cup", ""}, {"suger", "sugar"}});
  Cli({"add-chapter", "Imported"});
  const std::string recipe =
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Bars\n"
      " Categories: Cookies\n      Yield: 24 servings\n\n      2 c  flour\n    1/2 c  suger\n\n"
      "  Mix and bake.\nMMMMM\n\n"
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemon Brs\n"
      " Categories: Cookies\n      Yield: 24 servings\n\n      2 c  flour\n\n  Mix and bakke.\nMMMMM\n\n"
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Lemn Bars\n"
      " Categories: Cookies\n      Yield: 24 servings\n\n      2 c  flour\n\n  Mix.\nMMMMM\n";
  program.File("bars.mmf", recipe);
  Settings settings(program.Data().File("Setup50.dat"));
  PutTextSetting(settings, setting::kImportFolder, program.Temp().Path());
  PutNumberSetting(settings, setting::kSpellCheckImport, 1);
  // The first recipe is right once its watch-for word is replaced: no
  // screen. The second stops twice; Quit leaves the third unchecked.
  const auto run = program.Run("click 200 183\npress Import\ntype bars.mmf\nkey Enter\n"
                               "expect Verify Import Format\npress OK\n"
                               "expect Check Spelling\nexpect Brs\npress Replace\npress Next\nexpect bakke\n"
                               "press Quit\nexpect 3 Recipes\npress Quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string titles = Cli({"titles", "1"});
  EXPECT_NE(titles.find("Lemon Bars\n"), std::string::npos);
  EXPECT_NE(titles.find("\tLemn Bars\n"), std::string::npos);  // after Quit: stored as read
  EXPECT_NE(Cli({"show", "1"}).find("1/2 cup sugar"), std::string::npos);
  EXPECT_EQ(std::count(titles.begin(), titles.end(), '\n'), 3);
}

TEST_F(SpellScreen, TheSpellCommandReportsWithoutChangingAndTheFirstStartCopiesTheShippedDictionary) {
  // Before the window's first start, reading jobs look words up in the
  // shipped dictionary and leave the folder without one.
  ASSERT_FALSE(testing::Exists(DictionaryFile()));
  // (The installed program's folder holds the shipped file, so ask it.)
  const std::string lookup = std::string(TOVALIA_EXECUTABLE) + " --data " + program.Data().Path() +
                             " dictionary find tablespoon";
  FILE* answer = ::popen(lookup.c_str(), "r");
  ASSERT_NE(answer, nullptr);
  char line[64] = {};
  const size_t got = std::fread(line, 1, sizeof line - 1, answer);
  ::pclose(answer);
  EXPECT_EQ(std::string(line, got), "tablespoon\n");
  EXPECT_FALSE(testing::Exists(DictionaryFile()));
  // The program's first start puts the shipped dictionary into the folder.
  ASSERT_EQ(program.Run("press Quit\n").status, 0);
  const std::vector<uint8_t> shipped = ReadBytes(DictionaryFile());
  ASSERT_GT(shipped.size(), 500000u);  // the English word list and the cook's words
  EXPECT_EQ(Cli({"dictionary", "find", "tablespoon"}), "tablespoon\n");
  EXPECT_EQ(Cli({"dictionary", "find", "jalape\xC3\xB1o"}), "jalape\xC3\xB1o\n");
  EXPECT_EQ(Cli({"dictionary", "find", "tomatoe"}), "tomatoe\ttomato\n");

  Cli({"add-chapter", "Soups"});
  Cli({"add-recipe", "--chapter", "1", "--title", "Tomatoe Soup", "--ingredients",
       program.File("i.txt", "3 cups tomatos\n1 tsp salt\n"), "--directions",
       program.File("d.txt", "Simmr for 20 minutes.\n")});
  const std::string before = Body("1");
  const std::string report = Cli({"spell", "1"});
  EXPECT_EQ(report.substr(0, report.rfind("\tsimmer, ") + 9),
            "title\t1:1\tTomatoe\twatch for: Tomato\n"
            "ingredients\t1:8\ttomatos\twatch for: tomatoes\n"
            "directions\t1:1\tSimmr\tsimmer, ");  // the nearest word first, then others as near
  EXPECT_EQ(Body("1"), before);  // nothing stored
  // A damaged dictionary is reported and left as it is.
  WriteBytes(DictionaryFile(), {9, 5, 'b', 'a'});
  EXPECT_EQ(Cli({"dictionary", "add", "sage"}), "");
  EXPECT_EQ(ReadBytes(DictionaryFile()), (std::vector<uint8_t>{9, 5, 'b', 'a'}));
}

}  // namespace
}  // namespace tovalia
