// Which language the headless programs speak, from the locale variables.
#include "ttl/core/tt_language.h"

#include <cerrno>
#include <cstdlib>

#include "ttl/core/tt_exception.h"

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

TEST_F(LanguageTest, SharedMessagesFollowTheLocaleOnlyWhileAHeadlessRunAsksIt) {
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(TtLanguage::Text("Error", "エラー"), "エラー")
      << "the window's language whatever the locale";
  {
    TtLanguage::MessagesFollowLocale run;
    EXPECT_EQ(TtLanguage::Text("Error", "エラー"), "Error");
    setenv("LANG", "ja_JP.UTF-8", 1);
    {
      TtLanguage::MessagesFollowLocale nested;
      EXPECT_EQ(TtLanguage::Text("Error", "エラー"), "エラー");
    }
    EXPECT_EQ(TtLanguage::Text("Error", "エラー"), "Error") << "the outer run's language is back";
  }
  EXPECT_TRUE(TtLanguage::MessagesInJapanese());
}

TEST_F(LanguageTest, ReasonsForErrorNumbersAreInTheMessagesLanguage) {
  // Japanese whatever the system's own texts are, with the number for the rare ones.
  EXPECT_EQ(TtFileAccessException::ReasonText(ENOENT), "ファイルまたはフォルダがありません");
  EXPECT_EQ(TtFileAccessException::ReasonText(ENOTDIR), "途中にフォルダでないものがあります");
  EXPECT_EQ(TtFileAccessException::ReasonText(EEXIST), "同じ名前のものがすでにあります");
  EXPECT_EQ(TtFileAccessException::ReasonText(ENAMETOOLONG), "名前が長すぎます");
  EXPECT_EQ(TtFileAccessException::ReasonText(ELOOP), "エラー番号 " + std::to_string(ELOOP));
  EXPECT_EQ(TtFileAccessException("x", EROFS).GetReason(), "書き込みできない場所です");
  EXPECT_EQ(TtFileAccessException("x", EROFS, "読み取り専用").GetReason(), "読み取り専用")
      << "a reason given with the error is kept";
  setenv("LANG", "C", 1);
  TtLanguage::MessagesFollowLocale run;
  EXPECT_EQ(TtFileAccessException::ReasonText(ENOENT), "No such file or directory");
  EXPECT_EQ(TtFileAccessException::ReasonText(ENOSPC), "No space left on device");
  EXPECT_EQ(TtFileAccessException("x", EISDIR).GetReason(), "Is a directory");
}

}  // namespace
}  // namespace TarvaneTest
