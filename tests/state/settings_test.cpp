#include "state/settings.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::I32At;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::pair<int32_t, int32_t>> Records(const std::string& path) {
  std::vector<uint8_t> bytes = ReadBytes(path);
  std::vector<std::pair<int32_t, int32_t>> records;  // (number, size)
  for (size_t p = 0; p + 8 <= bytes.size(); p += static_cast<size_t>(I32At(bytes, p)))
    records.emplace_back(I32At(bytes, p + 4), I32At(bytes, p));
  return records;
}

TEST(Settings, StoringANumberTwiceLeavesOneRecordAtTheEnd) {
  TempFolder folder;
  Settings s(folder.File("Setup50.dat"));
  PutNumberSetting(s, 11, 100);
  PutTextSetting(s, 2, "/home/cook");
  PutNumberSetting(s, 11, 200);
  EXPECT_EQ(Records(s.path), (std::vector<std::pair<int32_t, int32_t>>{{2, 19}, {11, 12}}));
  EXPECT_EQ(GetNumberSetting(s, 11), 200);
  EXPECT_EQ(GetTextSetting(s, 2), "/home/cook");
}

TEST(Settings, TextRecordsAreSizeNumberLengthAndBytes) {
  TempFolder folder;
  Settings s(folder.File("Setup50.dat"));
  PutTextSetting(s, 2, "eleven char");
  std::vector<uint8_t> bytes = ReadBytes(s.path);
  ASSERT_EQ(bytes.size(), 20u);
  EXPECT_EQ(I32At(bytes, 0), 20);
  EXPECT_EQ(I32At(bytes, 4), 2);
  EXPECT_EQ(bytes[8], 11);
  EXPECT_EQ(std::string(bytes.begin() + 9, bytes.end()), "eleven char");
}

TEST(Settings, MissingSettingsReadAsZeroOrEmpty) {
  TempFolder folder;
  Settings s(folder.File("Setup50.dat"));
  EXPECT_EQ(GetNumberSetting(s, 9), 0);  // no file at all
  EXPECT_FALSE(testing::Exists(s.path));
  PutTextSetting(s, 2, "x");
  PutNumberSetting(s, 11, 5);
  EXPECT_EQ(GetNumberSetting(s, 9), 0);
  EXPECT_EQ(GetTextSetting(s, 3), "");
  EXPECT_EQ(GetNumberSetting(s, 0), 0);
  EXPECT_EQ(GetNumberSetting(s, -1), 0);
}

TEST(Settings, ARecordOfTheWrongNumberIsNotStored) {
  TempFolder folder;
  Settings s(folder.File("Setup50.dat"));
  PutNumberSetting(s, 7, 1);
  LoadSetting(s, 7);
  EXPECT_FALSE(StoreSetting(s, 8));
  EXPECT_EQ(GetNumberSetting(s, 8), 0);
}

TEST(Settings, ADamagedRecordEndsTheWalk) {
  TempFolder folder;
  Settings s(folder.File("Setup50.dat"));
  PutNumberSetting(s, 7, 1);
  PutNumberSetting(s, 8, 1);
  std::vector<uint8_t> bytes = ReadBytes(s.path);
  std::vector<uint8_t> zeroSize = {0, 0, 0, 0, 9, 0, 0, 0, 5, 0, 0, 0};
  std::vector<uint8_t> damaged = bytes;
  damaged.insert(damaged.begin() + 12, zeroSize.begin(), zeroSize.end());
  WriteBytes(s.path, damaged);
  EXPECT_EQ(GetNumberSetting(s, 7), 1);
  EXPECT_EQ(GetNumberSetting(s, 9), 0);  // behind the damage: unreachable
  EXPECT_EQ(GetNumberSetting(s, 8), 0);

  // A size that runs past the end is not copied.
  damaged = bytes;
  damaged[12] = 0xFF;
  WriteBytes(s.path, damaged);
  EXPECT_EQ(GetNumberSetting(s, 8), 0);
  // Storing keeps what could be read and drops the damaged rest.
  PutNumberSetting(s, 11, 3);
  EXPECT_EQ(Records(s.path), (std::vector<std::pair<int32_t, int32_t>>{{7, 12}, {11, 12}}));
}

TEST(Settings, ATinyOldFileIsDiscardedByTheNextStore) {
  TempFolder folder;
  Settings s(folder.File("Setup50.dat"));
  WriteBytes(s.path, {12, 0, 0, 0, 11, 0, 0, 0});
  PutNumberSetting(s, 2, 1);
  EXPECT_EQ(Records(s.path), (std::vector<std::pair<int32_t, int32_t>>{{2, 12}}));
}

}  // namespace
}  // namespace tovalia
