#include "recipe/line_table.h"

#include <gtest/gtest.h>

#include "db/record_format.h"
#include "db/record_store.h"
#include "recipe/resize.h"
#include "support/collection.h"

namespace tovalia {
namespace {

std::vector<std::string> Lines(std::string_view text, int wrap) {
  ByteBuffer table;
  CreateLineTable(table, 1000, wrap, 65000);
  BuildLineTable(text, table);
  std::vector<std::string> lines;
  for (int32_t i = 0; i < LineCount(table); ++i) lines.emplace_back(DisplayLine(text, table, i));
  EXPECT_EQ(LineStart(table, LineCount(table)), -1);
  return lines;
}

TEST(LineTable, CutsAtCarriageReturnsBlanksOrHard) {
  EXPECT_EQ(Lines("one\rtwo\r", 10), (std::vector<std::string>{"one\r", "two\r"}));
  EXPECT_EQ(Lines("", 10).size(), 0u);
  // The last line without a carriage return is shown whole.
  EXPECT_EQ(Lines("a\rlast", 10), (std::vector<std::string>{"a\r", "last"}));
  // Wrapped after the last blank within the width; the blank stays.
  EXPECT_EQ(Lines("mix the flour and water", 10),
            (std::vector<std::string>{"mix the ", "flour and ", "water"}));
  // A word longer than the width is cut after width - 1 characters.
  EXPECT_EQ(Lines("abcdefghijklmno", 6), (std::vector<std::string>{"abcde", "fghij", "klmno"}));
  // A line of exactly the width followed by CR: the CR lies past the width,
  // so the line wraps at its last blank.
  EXPECT_EQ(Lines("ab cdef\rx", 7), (std::vector<std::string>{"ab ", "cdef\r", "x"}));
  EXPECT_EQ(Lines("ab cde\rx", 7), (std::vector<std::string>{"ab cde\r", "x"}));
}

TEST(LineTable, ShownLinesDropTheirCarriageReturnAndNul) {
  ByteBuffer table;
  CreateLineTable(table, 10, 20, 100);
  std::string text("salt\r\0\rpepper", 13);
  BuildLineTable(text, table);
  EXPECT_EQ(ShownLine(text, table, 0), "salt");
  EXPECT_EQ(ShownLine(text, table, 1), "");
  EXPECT_EQ(ShownLine(text, table, 2), "pepper");
  EXPECT_EQ(ShownLine(text, table, 3), "");
}

TEST(LineTable, StopsAtItsCapacity) {
  ByteBuffer table;
  CreateLineTable(table, 2, 10, 100);
  BuildLineTable("a\rb\rc\rd", table);
  EXPECT_EQ(LineCount(table), 2);
}

TEST(ResizeIngredients, ScalesEveryLineAndSplitsSoftWraps) {
  testing::Collection c;
  Database& db = c.db();
  ClearCurrentRecord(db);
  SetCurrentIngredients(db, "1/2 cup milk\r2 eggs\rSalt to taste\r1 1/2 cups flour, sifted twice");
  ByteBuffer table;
  CreateLineTable(table, 1000, 20, kTextBufferSize);
  ResizeIngredients(db, 2, table);
  std::string text = GetBytes(db.ingredientsBuffer, 0, GetI32(db.recordHeaderBuffer, header::kIngredientsLength));
  // The soft-wrapped line loses its trailing blank with the trimming.
  EXPECT_EQ(text, "1 cup milk\r4 eggs\rSalt to taste\r3 cups flour,\rsifted twice\r");
  EXPECT_EQ(LineCount(table), 5);
  EXPECT_EQ(ServingsAfterResize(300), 255);
  EXPECT_EQ(ServingsAfterResize(2.5), 2);
  EXPECT_EQ(ServingsAfterResize(6), 6);
}

}  // namespace
}  // namespace tovalia
