// Which language the headless programs speak, from the locale variables.
#include "ttl/core/tt_language.h"

#include <cstdlib>

namespace TarvaneTest {
namespace {

class LanguageTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : kNames) unsetenv(name);
  }
  void TearDown() override { SetUp(); }

  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
};

TEST_F(LanguageTest, TheFirstLocaleVariableSetDecidesAsTheCLibraryDoes) {
  EXPECT_FALSE(TtLanguage::IsJapanese()) << "no locale at all is English";
  setenv("LANG", "ja_JP.UTF-8", 1);
  EXPECT_TRUE(TtLanguage::IsJapanese());
  setenv("LC_MESSAGES", "C", 1);
  EXPECT_FALSE(TtLanguage::IsJapanese()) << "LC_MESSAGES comes before LANG";
  setenv("LC_ALL", "ja_JP.eucJP", 1);
  EXPECT_TRUE(TtLanguage::IsJapanese()) << "LC_ALL comes before both";
  setenv("LC_ALL", "", 1);
  EXPECT_FALSE(TtLanguage::IsJapanese()) << "an empty variable counts as not set";
}

TEST_F(LanguageTest, JapaneseTextComesOutInUtf8ForTheTerminal) {
  EXPECT_EQ(TtLanguage::Say("Usage", "使い方"), "Usage");
  setenv("LANG", "ja_JP.UTF-8", 1);
  EXPECT_EQ(TtLanguage::Say("Usage", "使い方"), "\xE4\xBD\xBF\xE3\x81\x84\xE6\x96\xB9");
}

}  // namespace
}  // namespace TarvaneTest
