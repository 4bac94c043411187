#include "db/byte_buffer.h"

#include <gtest/gtest.h>

namespace tovalia {
namespace {

TEST(ByteBuffer, FieldsAreLittleEndianWithUnsignedNarrowReads) {
  ByteBuffer b;
  CreateBuffer(16, b);
  SetI32(b, 0, -2);
  SetU16(b, 4, 0xFFFE);
  SetU8(b, 6, 0x1FF);  // only the low 8 bits are stored
  EXPECT_EQ(GetI32(b, 0), -2);
  EXPECT_EQ(GetU8(b, 0), 0xFE);
  EXPECT_EQ(GetU8(b, 3), 0xFF);
  EXPECT_EQ(GetU16(b, 4), 0xFFFE);
  EXPECT_EQ(GetU8(b, 6), 0xFF);
}

TEST(ByteBuffer, MoveWithinOneBufferIsRightWhicheverWayTheRangesOverlap) {
  ByteBuffer b;
  CreateBuffer(20, b);
  for (int i = 0; i < 20; ++i) SetU8(b, i, i);
  MoveBytes(b, 10, b, 12, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GetU8(b, 12 + i), 10 + i);

  for (int i = 0; i < 20; ++i) SetU8(b, i, i);
  MoveBytes(b, 5, b, 3, 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(GetU8(b, 3 + i), 5 + i);
}

TEST(ByteBuffer, ShortTextsKeepTheirLengthByte) {
  ByteBuffer b;
  CreateBuffer(300, b);
  PutShortText(b, 7, "");
  EXPECT_EQ(GetU8(b, 7), 0);
  EXPECT_EQ(GetShortText(b, 7), "");
  PutShortText(b, 0, "Soups");
  EXPECT_EQ(GetU8(b, 0), 5);
  EXPECT_EQ(GetShortText(b, 0), "Soups");
  // A text longer than a length byte can say is cut, never stored with a
  // length that lies about it.
  PutShortText(b, 0, std::string(280, 'x'));
  EXPECT_EQ(GetU8(b, 0), 255);
  EXPECT_EQ(GetShortText(b, 0).size(), 255u);
}

TEST(ByteBuffer, NoBlockAndOutOfRangeAccessAreHarmless) {
  ByteBuffer none;
  EXPECT_EQ(GetI32(none, 0, 77), 77);  // the caller's value stays
  SetI32(none, 0, 5);
  FillBytes(none, 0, 10, 1);
  EXPECT_EQ(GetShortText(none, 0), "");

  ByteBuffer b;
  CreateBuffer(8, b);
  EXPECT_EQ(GetI32(b, 6, -1), -1);  // would read past the end
  EXPECT_EQ(GetI32(b, -1, -1), -1);
  SetI32(b, 6, 0x01010101);          // dropped
  EXPECT_EQ(GetU16(b, 6), 0);
  MoveBytes(b, 4, b, 6, 4);          // target runs past the end: nothing moves
  EXPECT_EQ(GetU16(b, 6), 0);
  // A stored short-text length larger than the block is trusted only as far
  // as the block reaches.
  SetU8(b, 5, 200);
  EXPECT_EQ(GetShortText(b, 5).size(), 2u);
  EXPECT_EQ(GetBytes(b, 4, 100), "");
  EXPECT_EQ(GetZText(b, 0), "");
}

TEST(ByteBuffer, ResizeKeepsTheCommonPrefixAndFreeClearsTheVariable) {
  ByteBuffer b;
  ResizeBuffer(10, b);  // no block: nothing happens
  EXPECT_FALSE(b.HasBlock());
  CreateBuffer(0, b);
  EXPECT_FALSE(b.HasBlock());
  CreateBuffer(4, b);
  PutBytes(b, 0, "abcd");
  ResizeBuffer(2, b);
  EXPECT_EQ(b.Size(), 2);
  ResizeBuffer(6, b);
  EXPECT_EQ(GetBytes(b, 0, 2), "ab");
  EXPECT_EQ(GetZText(b, 0), "ab");  // grown bytes are zero
  FreeBuffer(b);
  EXPECT_FALSE(b.HasBlock());
  EXPECT_EQ(b.Size(), 0);
}

// Large blocks are mapped pages of their own; they behave as small ones:
// zero when made, the common prefix kept and the added bytes zero when
// resized (also after shrinking, where old bytes stay on the last page),
// and they move between the two kinds when they cross the line.
TEST(ByteBuffer, LargeBlocksResizeLikeSmallOnes) {
  constexpr int32_t kLarge = 3 << 20;
  ByteBuffer b;
  CreateBuffer(kLarge, b);
  ASSERT_TRUE(b.HasBlock());
  EXPECT_EQ(GetI32(b, kLarge - 4, -1), 0);
  FillBytes(b, 0, kLarge, 0xAB);
  ResizeBuffer(kLarge - 1000, b);      // shrinks within the last page
  ResizeBuffer(kLarge + (5 << 20), b);  // grows past it
  EXPECT_EQ(GetU8(b, kLarge - 1001), 0xAB);
  EXPECT_EQ(GetU8(b, kLarge - 1000), 0);
  EXPECT_EQ(GetU8(b, kLarge - 1), 0);
  EXPECT_EQ(GetU8(b, kLarge + (5 << 20) - 1, -1), 0);
  ResizeBuffer(100, b);  // down to a heap block
  EXPECT_EQ(b.Size(), 100);
  EXPECT_EQ(GetU8(b, 99), 0xAB);
  ResizeBuffer(kLarge, b);  // and up again
  EXPECT_EQ(GetU8(b, 99), 0xAB);
  EXPECT_EQ(GetU8(b, 100), 0);
}

// A buffer moved from is empty: its size must not promise a block it no
// longer has.
TEST(ByteBuffer, MovedFromBuffersAreEmpty) {
  ByteBuffer a;
  CreateBuffer(3 << 20, a);
  ByteBuffer b = std::move(a);
  EXPECT_FALSE(a.HasBlock());
  EXPECT_EQ(a.Size(), 0);
  EXPECT_EQ(b.Size(), 3 << 20);
  ByteBuffer c;
  CreateBuffer(10, c);
  c = std::move(b);
  EXPECT_EQ(b.Size(), 0);
  EXPECT_EQ(c.Size(), 3 << 20);
}

}  // namespace
}  // namespace tovalia
