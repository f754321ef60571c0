#include "base/Bytes.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(Bytes, ReadsLittleEndianWhateverTheHost) {
  const std::uint8_t bytes[] = {0x02, 0x80, 0xFB, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(readU16(bytes, 0), 0x8002);
  EXPECT_EQ(readU32(bytes, 2), 0xFFFFFFFBu);
  EXPECT_EQ(readU16(bytes, 4), 0xFFFF);
}

TEST(Bytes, WritesLeastSignificantByteFirst) {
  std::uint8_t bytes[6] = {};
  EXPECT_TRUE(writeU32(bytes, 1, static_cast<std::uint32_t>(-10)));
  EXPECT_TRUE(writeU16(bytes, 4, 0x1170));
  const std::uint8_t expected[] = {0, 0xF6, 0xFF, 0xFF, 0x70, 0x11};
  EXPECT_TRUE(std::equal(std::begin(bytes), std::end(bytes), std::begin(expected)));
}

TEST(Bytes, NeverTouchesOutsideTheBuffer) {
  std::uint8_t bytes[4] = {1, 2, 3, 4};
  for (std::int64_t offset : {std::int64_t{-1}, std::int64_t{3}, std::int64_t{4}, std::int64_t{1} << 40}) {
    EXPECT_FALSE(readU16(bytes, offset).has_value()) << offset;
    EXPECT_FALSE(writeU16(bytes, offset, 0xFFFF)) << offset;
  }
  EXPECT_FALSE(readU32(bytes, 1).has_value());
  EXPECT_FALSE(writeU32(bytes, 1, 0));
  EXPECT_EQ(readU32(bytes, 0), 0x04030201u);
}

}  // namespace
}  // namespace tavrel
