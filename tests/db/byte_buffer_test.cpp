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
  EXPECT_EQ(GetU16(b, 4), 0xFFFE);
  EXPECT_EQ(GetU8(b, 6), 0xFF);
}
}  // namespace
}  // namespace tovalia
