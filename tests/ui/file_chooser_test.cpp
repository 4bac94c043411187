#include "ui/file_chooser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "platform/folder_listing.h"
#include "ui/file_chooser_model.h"

namespace tovalia {
namespace {

using testing::ScriptedUi;
using testing::TempFolder;

std::vector<std::string> Shown(const ChooserState& state) {
  std::vector<std::string> shown;
  for (const ChooserEntry& e : state.entries) shown.push_back(e.shown);
  return shown;
}

TEST(FileChooserModel, ListsParentDrivesFoldersThenFilesEachByNameWithoutHiddenOnes) {
  ChooserState state;
  state.folder = "/home/cook/";
  std::vector<FolderEntry> listing = {{"b.txt", false},  {"Zeta", true},  {"README.TXT", false},
                                      {"alpha", true},   {".cache", true}, {"Caf\xC3\xA9.mmf", false},
                                      {".bashrc", false}, {"123", false}};
  for (int i = 0; i < 300; ++i) listing.push_back({"photo" + std::to_string(1000 + i) + ".jpg", false});
  FillEntries(state, listing, true,
              {{"usb", "/media/usb/", "(Removable Disk)", false}, {"Desktop", "/home/cook/Desktop/", "(Desktop)", true}});
  std::vector<std::string> shown = Shown(state);
  ASSERT_EQ(shown.size(), 309u);
  shown.resize(9);
  // The drives come before the files, not after hundreds of them.
  EXPECT_EQ(shown, (std::vector<std::string>{"..", "Drive Desktop (Desktop)", "Drive usb (Removable Disk) Not Ready",
                                             "Zeta", "alpha", "123", "Caf\xE9.mmf", "Readme.txt", "b.txt"}));
  EXPECT_EQ(state.entries[7].Name(), "README.TXT");  // shown differently, kept as it is
}

TEST(FileChooserModel, ATypedNameMayBeAPathOrAFolder) {
  const auto isFolder = [](const std::string& path) {
    return path == "/" || path == "/home/" || path == "/home/cook/" || path == "/home/cook/Desserts/" ||
           path == "/srv/" || path == "/srv/shared/";
  };
  auto resolve = [&](const std::string& typed) {
    const TypedTarget t = ResolveTypedName("/home/cook/Desserts/", typed, "/home/cook", isFolder);
    return t.folder + "|" + t.name;
  };
  EXPECT_EQ(resolve("tarts.mmf"), "/home/cook/Desserts/|tarts.mmf");
  EXPECT_EQ(resolve("New List.csv"), "/home/cook/Desserts/|New List.csv");  // need not exist
  EXPECT_EQ(resolve("/srv/shared/all.mmf"), "/srv/shared/|all.mmf");
  EXPECT_EQ(resolve("/srv/shared"), "/srv/shared/|");  // a folder: opened
  EXPECT_EQ(resolve("~"), "/home/cook/|");
  EXPECT_EQ(resolve("~/soups.mmf"), "/home/cook/|soups.mmf");
  EXPECT_EQ(resolve("../soups.mmf"), "/home/cook/|soups.mmf");
  EXPECT_EQ(resolve("./x/../y.txt"), "/home/cook/Desserts/|y.txt");
  EXPECT_EQ(resolve(".."), "/home/cook/|");
  EXPECT_EQ(resolve("/../../"), "/|");
  EXPECT_EQ(resolve(".hidden"), "/home/cook/Desserts/|.hidden");
}

TEST(FolderListing, TheDesktopAndDocumentsFoldersFromTheUserDirs) {
  const std::string config =
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
      "  XDG_DOCUMENTS_DIR=\"/data/papers\"\n"
      "XDG_MUSIC_DIR=\"$HOME/Music\"\n";
  EXPECT_EQ(UserDirFromConfig(config, "XDG_DESKTOP_DIR", "/home/cook"), "/home/cook/Bureau");
  EXPECT_EQ(UserDirFromConfig(config, "XDG_DOCUMENTS_DIR", "/home/cook"), "/data/papers");
  EXPECT_EQ(UserDirFromConfig(config, "XDG_VIDEOS_DIR", "/home/cook"), "");
  EXPECT_EQ(UserDirFromConfig("XDG_DESKTOP_DIR=relative\n", "XDG_DESKTOP_DIR", "/h"), "");
}

TEST(FileChooserModel, TheRootHasNoParentAndAnUnreadableFolderOnlyIt) {
  ChooserState root;
  root.folder = "/";
  FillEntries(root, {{"etc", true}}, true, {});
  EXPECT_EQ(Shown(root), (std::vector<std::string>{"etc"}));
  ChooserState locked;
  locked.folder = "/secret/";
  FillEntries(locked, {}, false, {});
  EXPECT_EQ(Shown(locked), (std::vector<std::string>{".."}));
}

TEST(FileChooserModel, NamesShownFromTheSystemsSpelling) {
  EXPECT_EQ(ShownName("RECIPES.MMF"), "Recipes.mmf");
  EXPECT_EQ(ShownName("Recipes.MMF"), "Recipes.MMF");
  EXPECT_EQ(ShownName("2024"), "2024");
  EXPECT_EQ(ShownName("\xC3\x89T\xC3\x89"), "\xC9t\xE9");  // ÉTÉ reads Été
  EXPECT_EQ(ParentFolder("/home/cook/"), "/home/");
  EXPECT_EQ(ParentFolder("/home/"), "/");
  EXPECT_EQ(ParentFolder("/"), "/");
}

class ChooseFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::mkdir(folder.File("Desserts").c_str(), 0755);
    testing::WriteBytes(folder.File("Desserts/tarts.mmf"), {'x'});
    testing::WriteBytes(folder.File("soups.mmf"), {'x'});
  }
  TempFolder folder;
};

TEST_F(ChooseFileTest, ATypedNameIsChosenInTheCurrentFolderEvenWhenNew) {
  ScriptedUi s("expect Export Recipes\nexpect Desserts\nexpect soups.mmf\ntype New List.csv\nkey Enter\n");
  std::string where = folder.Path(), name;
  int result = 0;
  ChooseFile(s.ui(), "Export Recipes", kChooserPlain, where, name, result);
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(where, folder.Path());
  EXPECT_EQ(name, "New List.csv");
}

TEST_F(ChooseFileTest, EnterWithoutANameOpensFoldersAndTheParent) {
  // Entries: "..", the drives, "Desserts", "soups.mmf".
  ScriptedUi s(
      "key End\nkey Up\nkey Enter\nexpect tarts.mmf\n"
      "key Home\nkey Enter\nexpect soups.mmf\n"
      "key End\nkey Enter\n");
  std::string where = folder.Path(), name;
  int result = 0;
  ChooseFile(s.ui(), "Import Recipes", kChooserWithClipboard, where, name, result);
  EXPECT_TRUE(s.Passed());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(where, folder.Path());
  EXPECT_EQ(name, "soups.mmf");
}

TEST_F(ChooseFileTest, ClipboardOnlyInModeOneAndCancelChangesNothing) {
  ScriptedUi withClipboard("press Clipboard\n");
  std::string where = folder.Path(), name = "keep";
  int result = 0;
  ChooseFile(withClipboard.ui(), "Import Recipes", kChooserWithClipboard, where, name, result);
  EXPECT_EQ(result, 2);

  ScriptedUi plain("press Clipboard\n");
  result = 0;
  ChooseFile(plain.ui(), "Export Recipes", kChooserPlain, where, name, result);
  EXPECT_FALSE(plain.Passed());  // there is no such button
  EXPECT_EQ(result, 0);

  // Escape empties the suggested name, so Enter opens the folder.
  ScriptedUi cancel("key Escape\nkey End\nkey Up\nkey Enter\npress Cancel\n");
  ChooseFile(cancel.ui(), "Export Recipes", kChooserPlain, where, name, result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(name, "keep");
  EXPECT_EQ(where, folder.Path() + "Desserts/");  // the folder the user ended in
}

TEST_F(ChooseFileTest, TypedPathsAndFoldersLeadWhereTheySay) {
  TempFolder elsewhere;
  testing::WriteBytes(elsewhere.File("far.mmf"), {'x'});
  testing::WriteBytes(folder.File(".secret.mmf"), {'x'});
  // An absolute path to a file in another folder.
  ScriptedUi absolute("absent .secret.mmf\ntype " + elsewhere.File("far.mmf") + "\nkey Enter\n");
  std::string where = folder.Path(), name;
  int result = 0;
  ChooseFile(absolute.ui(), "Import Recipes", kChooserWithClipboard, where, name, result);
  EXPECT_TRUE(absolute.Passed());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(where + name, elsewhere.File("far.mmf"));

  // A typed folder opens; the file is then picked from it.
  ScriptedUi typedFolder("type Desserts\nkey Enter\nexpect tarts.mmf\ntype tarts.mmf\nkey Enter\n");
  where = folder.Path(), name.clear(), result = 0;
  ChooseFile(typedFolder.ui(), "Import Recipes", kChooserPlain, where, name, result);
  EXPECT_TRUE(typedFolder.Passed());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(where + name, folder.File("Desserts/tarts.mmf"));

  // From the home folder, and a hidden file typed by name.
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  ::setenv("HOME", elsewhere.Path().c_str(), 1);
  ScriptedUi fromHome("type ~/far.mmf\nkey Enter\n");
  where = folder.Path(), name.clear(), result = 0;
  ChooseFile(fromHome.ui(), "Import Recipes", kChooserPlain, where, name, result);
  ::setenv("HOME", savedHome.c_str(), 1);
  EXPECT_EQ(where + name, elsewhere.File("far.mmf"));
  ScriptedUi hidden("type .secret.mmf\nkey Enter\n");
  where = folder.Path(), name.clear(), result = 0;
  ChooseFile(hidden.ui(), "Import Recipes", kChooserPlain, where, name, result);
  EXPECT_EQ(where + name, folder.File(".secret.mmf"));
}

}  // namespace
}  // namespace tovalia
