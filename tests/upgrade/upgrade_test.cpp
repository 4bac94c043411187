// Bringing a collection over from an earlier installation: a fake Wine
// prefix in a private home folder, with an uninstall entry, a desktop
// shortcut and a data folder in upper case, as Windows leaves them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/command_line.h"
#include "db/data_paths.h"
#include "spell/spell_entries.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "upgrade/dictionary_conversion.h"
#include "upgrade/older_versions.h"
#include "upgrade/registry_file.h"
#include "upgrade/shortcut_file.h"
#include "upgrade/upgrade_copy.h"

namespace tovalia {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<uint8_t> Bytes(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::string Tovalia(const std::string& data, std::vector<std::string> args, int* status = nullptr) {
  args.insert(args.begin(), {"--data", data});
  std::ostringstream out, err;
  const int result = RunCommandLine(args, out, err);
  if (status) *status = result;
  return out.str() + err.str();
}

const char kRegistry[] =
    "WINE REGISTRY Version 2\r\n;; All keys relative to \\\\Machine\r\n\r\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Tovalia 5.7_is1] 1700000000\r\n"
    "\"DisplayName\"=\"Tovalia 5.7\"\r\n"
    "\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\Tovalia 5.7\\\\unins000.exe\\\"\"\r\n"
    "\r\n[Software\\\\Other] 1\r\n\"UninstallString\"=\"C:\\\\elsewhere\\\\x.exe\"\r\n";

// A private home with a Wine prefix whose "Program Files/TOVALIA 5.7/TV_DATA"
// holds a collection made by this program, found three ways.
class EarlierInstallation : public ::testing::Test {
 protected:
  void SetUp() override {
    // The earlier collection, written by our own writer.
    Tovalia(source.Path(), {"add-chapter", "Soups"});
    Tovalia(source.Path(), {"add-recipe", "--chapter", "1", "--title", "Leek Soup"});
    Tovalia(source.Path(), {"add-recipe", "--chapter", "1", "--title", "Minestrone"});
    Tovalia(source.Path(), {"check"});  // gives the file its header

    const std::string prefix = home.Path() + ".wine/";
    programFolder = prefix + "drive_c/Program Files/TOVALIA 5.7/";
    fs::create_directories(programFolder + "TV_DATA");
    fs::copy_file(source.File("Recipe34.dat"), programFolder + "TV_DATA/RECIPE34.DAT");
    WriteBytes(programFolder + "TV_DATA/GROCER30.DAT", std::vector<uint8_t>(200, 'g'));
    WriteBytes(programFolder + "TV_DATA/EVENT40.DAT", std::vector<uint8_t>(100, 'e'));
    WriteBytes(prefix + "system.reg", Bytes(kRegistry));
    fs::create_directories(prefix + "drive_c/users/Public/Desktop");
    WriteBytes(prefix + "drive_c/users/Public/Desktop/Tovalia 5.7.lnk",
               Bytes(std::string("L\0\0\0\x01\x14", 6) + "C:\\PROGRAM FILES\\Tovalia 5.7\\TOVALIA.EXE" +
                     std::string(4, '\0')));
    folder = programFolder + "TV_DATA/";
    environment.home = home.Path();
  }

  std::vector<UpgradeCandidate> Search(const std::string& currentDataFolder) {
    SilentProgress quiet;
    return FindOlderVersions(FindUpgradeScope(environment), currentDataFolder, quiet);
  }

  TempFolder home, source, data;
  std::string programFolder, folder;
  UpgradeEnvironment environment;
};

TEST_F(EarlierInstallation, OneFolderFoundThreeWaysIsOfferedOnceWithItsExactVersion) {
  const std::vector<UpgradeCandidate> found = Search(data.Path());
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].label, "Version  5.8 - " + folder);
  EXPECT_EQ(found[0].version, "Version  5.8");
  EXPECT_EQ(found[0].folder, folder);

  // Each way alone finds it too: the uninstall entry, then the shortcut.
  fs::rename(programFolder, home.Path() + ".wine/drive_c/Program Files/Tovalia 5.7 old");
  EXPECT_TRUE(Search(data.Path()).empty());
  fs::rename(home.Path() + ".wine/drive_c/Program Files/Tovalia 5.7 old", programFolder);
  fs::remove(home.Path() + ".wine/system.reg");
  EXPECT_EQ(Search(data.Path()).size(), 1u);
}

TEST_F(EarlierInstallation, TheCurrentDataFolderIsNeverOffered) {
  EXPECT_TRUE(Search(folder).empty());
  EXPECT_TRUE(Search(programFolder + "tv_data/").empty());  // the same folder, spelt otherwise
  // Nor the folder above it: its data folder is the current one.
  CandidateFolders candidates(folder, {});
  candidates.Add(programFolder);
  EXPECT_TRUE(candidates.Folders().empty());
}

TEST_F(EarlierInstallation, VersionsOfOldFoldersWithoutAHeader) {
  TempFolder old;
  WriteBytes(old.File("recipe34.dat"), std::vector<uint8_t>(100, 'x'));
  EXPECT_EQ(VersionText(old.Path(), {}), "");
  WriteBytes(old.File("Tovalia.EXE"), std::vector<uint8_t>(567000, 0));
  EXPECT_EQ(VersionText(old.Path(), {}), "Version 5.5 - ");
  EXPECT_EQ(VersionText(old.Path(), {{old.Path(), "Version 5.4 - "}}), "Version 5.4 - ");
  WriteBytes(old.File("SETUP34.DAT"), {});
  EXPECT_EQ(VersionText(old.Path(), {}), "Version 3.x - ");
}

TEST_F(EarlierInstallation, CopyingMovesTheReplacedFilesAsideFirst) {
  Tovalia(data.Path(), {"add-chapter", "Mine"});
  Tovalia(data.Path(), {"add-recipe", "--chapter", "1", "--title", "My Only Recipe"});
  const std::vector<uint8_t> mine = ReadBytes(data.File("Recipe34.dat"));
  const DataPaths paths = DataPaths::ForDataFolder(data.Path());

  const UpgradeCopyReport report = CopyOlderVersion(paths, folder, "2026-12-08-0930");
  ASSERT_TRUE(report.done) << report.error;
  EXPECT_EQ(report.backupFolder, "before-upgrade-2026-12-08-0930");
  EXPECT_EQ(report.copied, (std::vector<std::string>{"Event40.dat", "Grocer30.dat", "Recipe34.dat"}));
  EXPECT_EQ(ReadBytes(data.File("before-upgrade-2026-12-08-0930/Recipe34.dat")), mine);
  EXPECT_TRUE(testing::Exists(data.File("before-upgrade-2026-12-08-0930/Index34.dat")));
  EXPECT_FALSE(testing::Exists(data.File("Index34.dat")));
  EXPECT_EQ(ReadBytes(data.File("Recipe34.dat")), ReadBytes(folder + "RECIPE34.DAT"));
  EXPECT_EQ(ReadBytes(data.File("Grocer30.dat")), std::vector<uint8_t>(200, 'g'));

  // A second upgrade in the same minute gets a folder of its own.
  EXPECT_EQ(CopyOlderVersion(paths, folder, "2026-12-08-0930").backupFolder, "before-upgrade-2026-12-08-0930-2");
  EXPECT_FALSE(CopyOlderVersion(paths, data.Path(), "x").done);  // never from itself
}

TEST_F(EarlierInstallation, TheCommandLineListsAndCopies) {
  Tovalia(data.Path(), {"add-chapter", "Mine"});
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.Path().c_str(), 1);
  int status = -1;
  const std::string listed = Tovalia(data.Path(), {"upgrade", "--list"}, &status);
  setenv("HOME", oldHome.c_str(), 1);
  EXPECT_EQ(status, kExitOk);
  EXPECT_NE(listed.find("Version  5.8\t" + folder + "\n"), std::string::npos) << listed;

  const std::string copied = Tovalia(data.Path(), {"upgrade", "--from", programFolder}, &status);
  EXPECT_EQ(status, kExitOk) << copied;
  EXPECT_NE(copied.find("copied\tRecipe34.dat\n"), std::string::npos);
  EXPECT_NE(copied.find("recipes\t2\n"), std::string::npos) << copied;
  const std::string titles = Tovalia(data.Path(), {"titles"});
  EXPECT_NE(titles.find("Leek Soup"), std::string::npos);
  EXPECT_EQ(Tovalia(data.Path(), {"chapters"}).find("\tMine\n"), std::string::npos);
  Tovalia(data.Path(), {"upgrade", "--from", data.Path()}, &status);
  EXPECT_EQ(status, kExitFailed);
}

TEST_F(EarlierInstallation, TheFirstStartOffersItAndTheIndexShowsTheRecipes) {
  testing::ProgramRun program;
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.Path().c_str(), 1);
  testing::ProgramRun::Outcome run = program.Run(
      "expect Would you like to upgrade from one of these older versions?\n"
      "expect Version  5.8 - \npress OK\n"
      "expect Upgrade from Version  5.8 complete.\npress OK\n"
      "expect Leek Soup\nexpect Minestrone\npress Quit\n");
  // A later start offers nothing: the settings file now exists.
  testing::ProgramRun::Outcome later = program.Run("absent Would you like to upgrade\npress Quit\n");
  setenv("HOME", oldHome.c_str(), 1);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(later.status, 0) << later.err;
}

TEST_F(EarlierInstallation, TheHelpScreenOffersItTooAndNamesTheBackup) {
  testing::ProgramRun program;
  program.Cli({"add-chapter", "Mine"});
  program.Cli({"check"});
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.Path().c_str(), 1);
  testing::ProgramRun::Outcome run = program.Run(
      "click 40 35\npress Upgrade\nexpect All recipes in the current database will be deleted\npress Yes\n"
      "press OK\nexpect The files they replaced are kept in\npress OK\n"
      "click 120 35\nexpect Leek Soup\npress Quit\n");
  setenv("HOME", oldHome.c_str(), 1);
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(UpgradeReaders, RegistryValuesAndShortcutPaths) {
  const std::vector<std::string> values = ReadRegistryValues(
      kRegistry, {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia", "software\\other"},
      "UninstallString");
  EXPECT_EQ(values, (std::vector<std::string>{"C:\\elsewhere\\x.exe"}));
  EXPECT_EQ(ReadRegistryValues(kRegistry,
                               {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia 5.7_is1"},
                               "uninstallstring"),
            (std::vector<std::string>{"\"C:\\Program Files\\Tovalia 5.7\\unins000.exe\""}));

  EXPECT_EQ(ProgramPathInShortcut(std::string("\x01\x02junk D:\\Apps\\TV\\tovalia.exe\0more", 33)),
            "D:\\Apps\\TV\\tovalia.exe");
  std::string wide;
  for (char c : std::string("xC:\\Tovalia\\Tovalia.exe")) wide += std::string(1, c) + '\0';
  EXPECT_EQ(ProgramPathInShortcut(wide), "C:\\Tovalia\\Tovalia.exe");
  EXPECT_EQ(ProgramPathInShortcut("no program here"), "");
  EXPECT_EQ(ProgramPathInShortcut("\\tovalia.exe at the start"), "");
}

TEST(UpgradeDictionary, OldWordListsFoldIntoTheDictionaryAndAreRemoved) {
  TempFolder data;
  std::string current;
  AppendSpellEntry(current, {"tomatoe", "tomato"});
  WriteBytes(data.File("Spell54.dat"), Bytes(current));
  std::string old;
  for (std::string word : {"Apple", "x", "b4", "cr\xE8me", "tomatoe", "it's"}) old += static_cast<char>(word.size()) + word;
  WriteBytes(data.File("SPELL50.DAT"), Bytes(old));
  SilentProgress quiet;
  DictionaryConversion result = ConvertOldDictionary(data.Path(), quiet);
  EXPECT_TRUE(result.converted);
  EXPECT_EQ(result.wordsAdded, 3);
  EXPECT_EQ(result.wordsDropped, 2);
  EXPECT_FALSE(testing::Exists(data.File("SPELL50.DAT")));
  const std::vector<uint8_t> bytes = ReadBytes(data.File("Spell54.dat"));
  const std::vector<SpellEntry> entries = ParseSpellEntries(std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].word, "apple");
  EXPECT_EQ(entries[1].word, "cr\xE8me");
  EXPECT_EQ(entries[2].word, "it's");
  EXPECT_EQ(entries[3].word, "tomatoe");
  EXPECT_EQ(entries[3].replacement, "tomato");  // the current entry wins

  // The older layout: entries as today, invalid words dropped.
  std::string diction;
  AppendSpellEntry(diction, {"basil", ""});
  AppendSpellEntry(diction, {"no way", ""});
  WriteBytes(data.File("diction.dat"), Bytes(diction));
  result = ConvertOldDictionary(data.Path(), quiet);
  EXPECT_EQ(result.wordsAdded, 1);
  EXPECT_EQ(result.wordsDropped, 1);
  EXPECT_FALSE(testing::Exists(data.File("diction.dat")));
  EXPECT_FALSE(ConvertOldDictionary(data.Path(), quiet).converted);  // nothing left to convert
}

TEST(UpgradeDictionary, WordRules) {
  EXPECT_EQ(ValidateDictionaryWord("a"), WordCheck::kTooShort);
  EXPECT_EQ(ValidateDictionaryWord("ok"), WordCheck::kValid);
  EXPECT_EQ(ValidateDictionaryWord("low-fat"), WordCheck::kBadCharacter);
  EXPECT_EQ(ValidateDictionaryWord("two words"), WordCheck::kBadCharacter);
  EXPECT_EQ(ValidateDictionaryWord("jalape\xF1o"), WordCheck::kValid);
  // Damaged images stop where an entry stops making sense.
  EXPECT_TRUE(ParseSpellEntries(std::string("\x09\x05" "apple\x09", 8)).empty());
}

}  // namespace
}  // namespace tovalia
