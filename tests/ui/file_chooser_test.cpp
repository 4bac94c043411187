#include "ui/file_chooser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"
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

TEST(FileChooserModel, ListsParentFoldersFilesThenDrivesEachByName) {
  ChooserState state;
  state.folder = "/home/cook/";
  FillEntries(state,
              {{"b.txt", false}, {"Zeta", true}, {"README.TXT", false}, {"alpha", true},
               {"Caf\xC3\xA9.mmf", false}, {"123", false}},
              true, {{"usb", "/media/usb/", "(Removable Disk)", false}});
  EXPECT_EQ(Shown(state), (std::vector<std::string>{"..", "Zeta", "alpha", "123", "Caf\xE9.mmf",
                                                    "Readme.txt", "b.txt",
                                                    "Drive usb (Removable Disk) Not Ready"}));
  EXPECT_EQ(state.entries[5].Name(), "README.TXT");  // shown differently, kept as it is
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
  // Entries: "..", "Desserts", "soups.mmf", then the drives.
  ScriptedUi s(
      "key Down\nkey Enter\nexpect tarts.mmf\n"
      "key Home\nkey Enter\nexpect soups.mmf\n"
      "key Down\nkey Down\nkey Enter\n");
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
  ScriptedUi cancel("key Escape\nkey Down\nkey Enter\npress Cancel\n");
  ChooseFile(cancel.ui(), "Export Recipes", kChooserPlain, where, name, result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(name, "keep");
  EXPECT_EQ(where, folder.Path() + "Desserts/");  // the folder the user ended in
}

}  // namespace
}  // namespace tovalia
