#include "ttl/tt_string.h"

#include <gtest/gtest.h>

#include "ttl/tt_exception.h"

TEST(TtStringTest, JapaneseRoundTripsBetweenCp932AndUtf8) {
  const std::string cp932 = "表示する";  // compiled as CP932 bytes
  EXPECT_EQ(cp932, "\x95\x5c\x8e\xa6\x82\xb7\x82\xe9");
  std::string utf8;
  ASSERT_TRUE(TtString::TryCp932ToUtf8(cp932, utf8));
  EXPECT_EQ(utf8, "\xe8\xa1\xa8\xe7\xa4\xba\xe3\x81\x99\xe3\x82\x8b");
  EXPECT_EQ(TtString::Utf8ToCp932(utf8), cp932);
}

TEST(TtStringTest, InvalidBytesFailStrictlyAndAreReplacedLeniently) {
  std::string out;
  EXPECT_FALSE(TtString::TryCp932ToUtf8("a\x81", out));  // lead byte without its trail
  EXPECT_EQ(TtString::Cp932ToUtf8("a\x81"), "a\xef\xbf\xbd");
  EXPECT_FALSE(TtString::TryUtf8ToCp932("\xf0\x9f\x98\x80", out));  // no emoji in CP932
  EXPECT_EQ(TtString::Utf8ToCp932("x\xf0\x9f\x98\x80"), "x????");
}

TEST(TtStringTest, UnconvertiblePathIsAFileAccessError) {
  EXPECT_THROW(TtString::ToSystemPath("deck\x81.txt"), TtFileAccessException);
  EXPECT_EQ(TtString::ToSystemPath("/tmp/deck.txt"), "/tmp/deck.txt");
}
