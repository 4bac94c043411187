#include "db/data_file.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempFolder;

std::vector<std::string> Lines(const std::string& path, int strip) {
  DataFile file = OpenDataFile("i", path);
  std::vector<std::string> lines;
  std::string line;
  while (ReadTextLine(file, line, strip)) lines.push_back(line);
  return lines;
}

void Write(const std::string& path, const std::string& text) {
  testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(ReadTextLine, EndsLinesAtCrLfCrOrLf) {
  TempFolder folder;
  std::string path = folder.File("t.txt");
  Write(path, "ab\r\ncd");
  EXPECT_EQ(Lines(path, 1), (std::vector<std::string>{"ab", "cd"}));
  Write(path, "one\rtwo\nthree\r\n\r\nfour");
  EXPECT_EQ(Lines(path, 1), (std::vector<std::string>{"one", "two", "three", "", "four"}));
  // Without stripping every line keeps (or gains) a CR.
  EXPECT_EQ(Lines(path, 0), (std::vector<std::string>{"one\r", "two\r", "three\r", "\r", "four"}));
  // An LF before the CR ends the line at the LF.
  Write(path, "a\nb\r");
  EXPECT_EQ(Lines(path, 1), (std::vector<std::string>{"a", "b"}));
}

TEST(ReadTextLine, BreaksOverlongLines) {
  TempFolder folder;
  std::string path = folder.File("t.txt");
  Write(path, std::string(100, 'x'));
  std::vector<std::string> lines = Lines(path, 1);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 84u);
  EXPECT_EQ(lines[1].size(), 16u);
  // A long line with blanks breaks after the last blank in its first 80 bytes.
  std::string words;
  while (words.size() < 120) words += "flour ";
  Write(path, words);
  lines = Lines(path, 1);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 78u);  // 13 words of six bytes
  EXPECT_EQ(lines[0].back(), ' ');
  std::string joined;
  for (const std::string& l : lines) joined += l;
  EXPECT_EQ(joined, words);
}

TEST(ReadTextLine, LeavesTheTextAloneAtTheEnd) {
  TempFolder folder;
  std::string path = folder.File("empty.txt");
  Write(path, "");
  DataFile file = OpenDataFile("i", path);
  std::string line = "unchanged";
  EXPECT_FALSE(ReadTextLine(file, line, 1));
  EXPECT_EQ(line, "unchanged");
}

TEST(DataFile, ModesCreateShareAndRefuseAsDocumented) {
  TempFolder folder;
  std::string path = folder.File("Recipe34.dat");
  {
    DataFile in = OpenDataFile("i", path);
    EXPECT_TRUE(in.IsOpen());
  }
  EXPECT_TRUE(Exists(path));  // mode "i" leaves an empty file behind
  EXPECT_EQ(ReadBytes(path).size(), 0u);
  EXPECT_FALSE(OpenDataFile("x", path).IsOpen());

  DataFile writer = OpenDataFile("u", path);
  ASSERT_TRUE(writer.IsOpen());
  EXPECT_FALSE(OpenDataFile("a", path).IsOpen());  // not shared while written
  EXPECT_FALSE(OpenDataFile("i", path).IsOpen());
  CloseDataFile(writer);
  DataFile reader1 = OpenDataFile("i", path);
  DataFile reader2 = OpenDataFile("i", path);
  EXPECT_TRUE(reader1.IsOpen() && reader2.IsOpen());  // readers share
  EXPECT_FALSE(OpenDataFile("o", path).IsOpen());
}

TEST(DataFile, AppendModeWritesAtTheEndAndBlocksStayInsideTheirBuffers) {
  TempFolder folder;
  std::string path = folder.File("f.dat");
  ByteBuffer b;
  CreateBuffer(4, b);
  PutBytes(b, 0, "abcd");
  {
    DataFile out = OpenDataFile("o", path);
    EXPECT_EQ(WriteBlock(out, b, 0, 4), 4);
    EXPECT_EQ(WriteBlock(out, b, 2, 4), 0);  // past the buffer: nothing written
  }
  {
    DataFile out = OpenDataFile("a", path);
    EXPECT_EQ(FilePosition(out), 4);
    WriteTextLine(out, "ef", 1);
  }
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e', 'f', 13, 10}));
  DataFile in = OpenDataFile("i", path);
  SeekFile(in, 6);
  ByteBuffer small;
  CreateBuffer(2, small);
  EXPECT_EQ(ReadBlock(in, small, 0, 2), 2);
  EXPECT_EQ(GetU8(small, 0), 13);
  EXPECT_EQ(ReadBlock(in, small, 1, 2), 0);
}

TEST(DataFile, ReplaceFileContentsSwapsWholeFiles) {
  TempFolder folder;
  std::string path = folder.File("Index34.dat");
  Write(path, "old contents");
  ASSERT_TRUE(ReplaceFileContents(path, "new", 3));
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
  EXPECT_FALSE(Exists(path + ".new"));
  // A folder that cannot be written keeps the old file.
  EXPECT_FALSE(ReplaceFileContents(folder.File("missing/x.dat"), "x", 1));
}

}  // namespace
}  // namespace tovalia
