#include "import/ByteReader.h"

#include <gtest/gtest.h>

namespace kyrovane {
namespace {

TEST(ByteReader, ReadsLittleEndianValues) {
  std::string bytes("\x01\x02\x03\x04\x05\x06\x07", 7);
  ByteReader reader(bytes);
  EXPECT_EQ(reader.U8(), 0x01);
  EXPECT_EQ(reader.U16(), 0x0302);
  EXPECT_EQ(reader.U32(), 0x07060504u);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ByteReader, RefusesToReadPastTheEnd) {
  ByteReader reader(std::string_view("\x01\x02\x03", 3));
  reader.U16();
  EXPECT_THROW(reader.U16(), EReadError);
  EXPECT_EQ(reader.Position(), 2u);  // a failed read consumes nothing
  EXPECT_THROW(reader.Seek(4), EReadError);
  EXPECT_THROW(reader.Bytes(SIZE_MAX), EReadError);
}

TEST(ByteReader, RefusesCountsTheFileCannotHold) {
  std::string bytes(100, '\0');
  ByteReader reader(bytes);
  EXPECT_NO_THROW(reader.RequireRecords(10, 10));
  EXPECT_THROW(reader.RequireRecords(11, 10), EReadError);
  EXPECT_THROW(reader.RequireRecords(0xFFFFFFFFFFFFFFFFull, 1), EReadError);
  EXPECT_NO_THROW(reader.RequireRecords(100, 0));
}

}  // namespace
}  // namespace kyrovane
