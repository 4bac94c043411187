// The command line's "edit" and "photo": the parts given are replaced, the
// old copy is flagged deleted, refusals change nothing.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "platform/bmp_codec.h"
#include "support/pictures.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class RecordEditCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    Tovalia({"add-chapter", "Soups"});
    Tovalia({"add-recipe", "--chapter", "1", "--title", "Leek Soup", "--servings", "4", "--ingredients",
             Text("i.txt", "3 leeks\n1 onion\n"), "--directions", Text("d.txt", "Sweat the leeks.\n")});
    Tovalia({"add-recipe", "--chapter", "1", "--title", "Oven", "--text", "--ingredients", Text("n.txt", "Hot.\n")});
  }
  Outcome Tovalia(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", folder.Path()});
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
  }
  std::string Text(const std::string& name, const std::string& text) {
    WriteBytes(folder.File(name), std::vector<uint8_t>(text.begin(), text.end()));
    return folder.File(name);
  }
  std::string Picture(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteBytes(folder.File(name), bytes);
    return folder.File(name);
  }
  testing::TempFolder folder;
};

TEST_F(RecordEditCommands, EditReplacesTheGivenPartsAndKeepsTheRest) {
  Outcome run = Tovalia({"edit", "1", "--title", "Leek and Potato Soup", "--servings", "6", "--ingredients",
                         Text("new.txt", "3 leeks\r\n2 potatoes\r\n")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const std::string shown = Tovalia({"show", "1"}).out;
  EXPECT_NE(shown.find("Title: Leek and Potato Soup\n"), std::string::npos);
  EXPECT_NE(shown.find("Servings: 6\n"), std::string::npos);
  EXPECT_NE(shown.find("Ingredients:\n3 leeks\n2 potatoes\n\nDirections:\nSweat the leeks.\n"), std::string::npos);
  EXPECT_EQ(Tovalia({"titles"}).out, "1\t1\trecipe\tLeek and Potato Soup\n2\t1\ttext\tOven\n");
  EXPECT_EQ(Tovalia({"check"}).out.find("deleted bytes: 0\n"), std::string::npos);
}

TEST_F(RecordEditCommands, EditRefusals) {
  const std::vector<uint8_t> before = ReadBytes(folder.File("Recipe34.dat"));
  EXPECT_EQ(Tovalia({"edit", "1"}).status, kExitUsage);
  EXPECT_EQ(Tovalia({"edit", "1", "--title", "  "}).status, kExitUsage);
  EXPECT_EQ(Tovalia({"edit", "1", "--servings", "300"}).status, kExitUsage);
  EXPECT_EQ(Tovalia({"edit", "1", "--colour", "red"}).status, kExitUsage);
  EXPECT_EQ(Tovalia({"edit", "9", "--title", "Nine"}).status, kExitFailed);
  Outcome text = Tovalia({"edit", "2", "--directions", Text("x.txt", "No.\n")});
  EXPECT_EQ(text.status, kExitFailed);
  EXPECT_NE(text.err.find("text record"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder.File("Recipe34.dat")), before);
}

TEST_F(RecordEditCommands, PhotosAreLoadedSavedAndDeleted) {
  ASSERT_EQ(Tovalia({"photo", "1", "--load", Picture("dish.jpg", testing::JpegPicture(1024, 768))}).status, kExitOk);
  Outcome saved = Tovalia({"photo", "1", "--save", folder.File("dish")});
  ASSERT_EQ(saved.status, kExitOk) << saved.err;
  EXPECT_EQ(saved.out, folder.File("dish.bmp") + "\n");
  const std::vector<uint8_t> photo = ReadBytes(folder.File("dish.bmp"));
  BmpHeaders headers;
  ASSERT_TRUE(ReadBmpHeaders(photo.data(), photo.size(), headers));
  EXPECT_EQ(headers.width, 480);
  EXPECT_EQ(headers.height, 360);
  EXPECT_EQ(headers.bitsPerPixel, 16);

  // A broken picture leaves the photo as it was; so does a missing file.
  const std::vector<uint8_t> before = ReadBytes(folder.File("Recipe34.dat"));
  Outcome broken = Tovalia({"photo", "1", "--load", Picture("broken.png", std::vector<uint8_t>(100, 3))});
  EXPECT_EQ(broken.status, kExitFailed);
  EXPECT_NE(broken.err.find("JPG, PNG, GIF or BMP"), std::string::npos);
  EXPECT_EQ(Tovalia({"photo", "1", "--load", folder.File("missing.jpg")}).status, kExitFailed);
  EXPECT_EQ(ReadBytes(folder.File("Recipe34.dat")), before);

  EXPECT_EQ(Tovalia({"photo", "1", "--delete"}).status, kExitOk);
  EXPECT_EQ(Tovalia({"photo", "1", "--save", folder.File("again")}).status, kExitFailed);
  EXPECT_EQ(Tovalia({"photo", "1", "--delete"}).status, kExitFailed);
  EXPECT_EQ(Tovalia({"photo", "1", "--load"}).status, kExitUsage);
  EXPECT_EQ(Tovalia({"photo", "1", "--save", "a", "b"}).status, kExitUsage);
}

}  // namespace
}  // namespace tovalia
