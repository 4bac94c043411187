#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "interchange/export_recipe.h"
#include "interchange/mealmaster_writer.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct Result {
  int status;
  std::string out;
  std::string err;
};

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    Tovalia({"add-chapter", "Desserts"});
    Tovalia({"add-chapter", "Empty"});
    WriteBytes(folder.File("ing.txt"), Bytes("1 cup sugar\n2 tablespoons crème fraîche\n"));
    WriteBytes(folder.File("dir.txt"), Bytes("Whisk.\n\nBake 20 minutes.\n"));
    Tovalia({"add-recipe", "--chapter", "1", "--title", "Crème Brûlée", "--servings", "6", "--ingredients",
             folder.File("ing.txt"), "--directions", folder.File("dir.txt")});
    Tovalia({"add-recipe", "--chapter", "1", "--title", "apple notes", "--text", "--ingredients",
             folder.File("dir.txt")});
  }
  static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
  Result Tovalia(std::vector<std::string> args, const TempFolder* data = nullptr) {
    args.insert(args.begin(), {"--data", (data ? *data : folder).Path()});
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
  }
  TempFolder folder;
};

TEST_F(ExportCommand, WritesTheFormatsExactBytesToStandardOutput) {
  const Result run = Tovalia({"export", "1", "--format", "mealmaster"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ExportRecipe recipe;
  recipe.title = "Cr\xE8me Br\xFBl\xE9" "e";  // Windows-1252, as the files of other programs hold it
  recipe.chapter = "Desserts";
  recipe.servings = 6;
  recipe.ingredients = "1 cup sugar\r2 tablespoons cr\xE8me fra\xEE" "che";
  recipe.directions = "Whisk.\r\rBake 20 minutes.";
  std::string expected;
  WriteMealMaster(recipe, expected);
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");
}

TEST_F(ExportCommand, AChapterGoesToAFileThatImportsBackWhole) {
  const Result run = Tovalia({"export", "--chapter", "1", "--format", "tovalia", "--output", folder.File("out.txt")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "");
  const std::vector<uint8_t> written = ReadBytes(folder.File("out.txt"));
  const std::string streamed = Tovalia({"export", "--chapter", "1", "--format", "tovalia"}).out;
  EXPECT_EQ(std::string(written.begin(), written.end()), streamed);
  EXPECT_FALSE(testing::Exists(folder.File("out.txt.new")));

  // Imported into another collection and exported again, the same bytes.
  TempFolder other;
  EXPECT_EQ(Tovalia({"import", folder.File("out.txt"), "--sort-by-category"}, &other).out, "1\tDesserts\t2\n");
  EXPECT_EQ(Tovalia({"export", "--chapter", "1", "--format", "tovalia"}, &other).out, streamed);
}

TEST_F(ExportCommand, TheIndexListsEveryViewInTitleOrder) {
  EXPECT_EQ(Tovalia({"export", "--chapter", "-1", "--format", "index"}).out,
            "(Desserts)  apple notes\r\n(Desserts)  Cr\xE8me Br\xFBl\xE9" "e\r\n");
}

TEST_F(ExportCommand, RefusalsSayWhyAndWriteNothing) {
  auto refused = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "export");
    return Tovalia(args);
  };
  EXPECT_EQ(refused({"1"}).status, kExitUsage);                                  // no format
  EXPECT_EQ(refused({"1", "--chapter", "1", "--format", "xml"}).status, kExitUsage);
  EXPECT_EQ(refused({"--format", "xml"}).status, kExitUsage);                     // nothing to export
  EXPECT_EQ(refused({"1", "--format", "rtf"}).status, kExitUsage);
  EXPECT_EQ(refused({"one", "--format", "xml"}).status, kExitUsage);
  EXPECT_EQ(refused({"--chapter", "0", "--format", "xml"}).status, kExitUsage);

  const Result missing = refused({"1", "7", "--format", "xml"});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_EQ(missing.err, "There is no recipe or text with the number 7.\n");
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(refused({"--chapter", "9", "--format", "xml"}).status, kExitFailed);
  const Result empty = refused({"--chapter", "2", "--format", "xml"});
  EXPECT_EQ(empty.status, kExitFailed);
  EXPECT_EQ(empty.err, "There are no recipes in this chapter\n");
  const Result unwritable = refused({"1", "--format", "xml", "--output", folder.File("no/such/folder/x.xml")});
  EXPECT_EQ(unwritable.status, kExitFailed);
  EXPECT_NE(unwritable.err.find("Cannot write the file"), std::string::npos);
}

}  // namespace
}  // namespace tovalia
