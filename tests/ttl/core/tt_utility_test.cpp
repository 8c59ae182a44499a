#include "ttl/core/tt_utility.h"

#include <gtest/gtest.h>

using TtUtility::StringToDouble;
using TtUtility::StringToInteger;

TEST(StringToIntegerTest, AcceptsOnlyTheWholeText) {
  int value = 0;
  EXPECT_FALSE(StringToInteger("", value));
  EXPECT_FALSE(StringToInteger("12a", value));
  EXPECT_FALSE(StringToInteger("12 ", value));
  EXPECT_FALSE(StringToInteger("a12", value));
  EXPECT_FALSE(StringToInteger(std::string("12\0", 3), value));
  EXPECT_TRUE(StringToInteger(" 12", value));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(StringToInteger("+2", value));
  EXPECT_EQ(value, 2);
  EXPECT_TRUE(StringToInteger("-1", value));
  EXPECT_EQ(value, -1);
}

TEST(StringToIntegerTest, ChecksTheThirtyTwoBitRange) {
  int value = 0;
  EXPECT_TRUE(StringToInteger("2147483647", value));
  EXPECT_EQ(value, 2147483647);
  EXPECT_TRUE(StringToInteger("-2147483648", value));
  EXPECT_EQ(value, -2147483647 - 1);
  EXPECT_FALSE(StringToInteger("2147483648", value));
  EXPECT_FALSE(StringToInteger("-2147483649", value));
  EXPECT_FALSE(StringToInteger("99999999999999999999999", value));
}

TEST(StringToIntegerTest, ReadsOtherBases) {
  int value = 0;
  EXPECT_TRUE(StringToInteger("ff", value, 16));
  EXPECT_EQ(value, 255);
  EXPECT_TRUE(StringToInteger("0A", value, 16));
  EXPECT_EQ(value, 10);
  EXPECT_FALSE(StringToInteger("g0", value, 16));
  EXPECT_FALSE(StringToInteger("ff", value, 10));
}

TEST(StringToDoubleTest, AcceptsOnlyTheWholeText) {
  double value = 0;
  EXPECT_TRUE(StringToDouble("0.5", value));
  EXPECT_DOUBLE_EQ(value, 0.5);
  EXPECT_TRUE(StringToDouble(" 1e+07", value));
  EXPECT_DOUBLE_EQ(value, 1e7);
  EXPECT_FALSE(StringToDouble("", value));
  EXPECT_FALSE(StringToDouble("1.5 ", value));
  EXPECT_FALSE(StringToDouble("1.5x", value));
  EXPECT_FALSE(StringToDouble("1e999", value));
}

TEST(Cp932CaseTest, FoldsOnlySingleByteLetters) {
  // 0x83 0x41 and 0x83 0x61 are two different katakana whose second bytes are "A" and "a".
  EXPECT_FALSE(TtUtility::Cp932EqualsIgnoreCase("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(TtUtility::Cp932EqualsIgnoreCase("Tarvane", "TARVANE"));
  EXPECT_EQ(TtUtility::Cp932ToUpperAscii("ab\x83\x61z"), "AB\x83\x61Z");
}

TEST(LargeBufferTest, SmallAndLargeBuffersHoldTheirBytesAcrossMoves) {
  for (size_t size : {size_t(100), size_t(5) << 20}) {
    TtUtility::LargeBuffer buffer(size);
    ASSERT_EQ(buffer.size(), size);
    buffer.data()[0] = 'a';
    buffer.data()[size - 1] = 'z';
    TtUtility::LargeBuffer moved(std::move(buffer));
    EXPECT_EQ(buffer.data(), nullptr);
    EXPECT_EQ(moved.data()[0], 'a');
    EXPECT_EQ(moved.data()[size - 1], 'z');
    TtUtility::LargeBuffer assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.data()[size - 1], 'z');
  }
}
