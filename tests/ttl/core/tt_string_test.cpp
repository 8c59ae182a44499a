#include "ttl/core/tt_string.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/support/desktop_names.h"
#include "ttl/core/tt_exception.h"

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

// The message's path marks each character without an exact spelling, so the user sees what was
// typed and why it was refused.
std::string RefusedPath(const std::string& system_path) {
  try {
    TtString::FromSystemPath(system_path);
  } catch (const TtFileAccessException& error) {
    EXPECT_EQ(error.GetErrorNumber(), EILSEQ);
    EXPECT_EQ(error.GetReason(), TtString::kUnrepresentablePathReason);
    return error.GetPath();
  }
  ADD_FAILURE() << system_path << " was converted";
  return "";
}

TEST(TtStringTest, APathConvertsExactlyOrNotAtAll) {
  using namespace DesktopNames;
  EXPECT_EQ(TtString::FromSystemPath("/d/" + kFullwidthTilde + ".txt"),
            "/d/" + kTildeCp932 + ".txt");
  // 〜 converts to the bytes of ～ and would name the other file.
  EXPECT_EQ(RefusedPath("/d/" + kWaveDash + ".txt"), "/d/w<U+301C>.txt");
  EXPECT_EQ(RefusedPath("/home/" + kJose + "/" + kCafe + ".csv"),
            "/home/jos<U+00E9>/caf<U+00E9>.csv");
  EXPECT_EQ(RefusedPath(kEmoji + ".txt"), "<U+1F600>.txt");
  EXPECT_EQ(RefusedPath(kLatin1 + ".txt"), "caf<0xE9>.txt");
  // The dash family that CP932 spells as other characters: − ‖ — ¢.
  for (const char* dash : {"\xE2\x88\x92", "\xE2\x80\x96", "\xE2\x80\x94", "\xC2\xA2"}) {
    EXPECT_EQ(RefusedPath(dash).substr(0, 3), "<U+") << dash;
  }
}

TEST(TtStringTest, ACp932PathThatComesBackAsOtherBytesIsRefused) {
  // 0xED40 (NEC-selected IBM extension) and 0xFA5C are one character; only one spelling returns.
  std::string system_path;
  EXPECT_TRUE(TtString::TryToSystemPath("\xFA\x5C", system_path));
  EXPECT_FALSE(TtString::TryToSystemPath("\xED\x40", system_path));
  EXPECT_THROW(TtString::ToSystemPath("\xED\x40.txt"), TtFileAccessException);
}
