#include "app/exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Tarvane;

// Each exception's log message and the description the user's error box shows.
TEST(ApplicationExceptionTest, EveryClassHasItsMessageAndDescription) {
  struct Case {
    std::shared_ptr<Exception> error;
    std::string message;
    std::string description;
  };
  const Case cases[] = {
      {std::make_shared<InternalException>("common", 54), "Tarvane::InternalException : common(54)",
       "内部エラーが発生しました。\r\nファイル : common\r\n行番号 : 54"},
      {std::make_shared<FileNotExistException>("/t/tarvane.nut"),
       "Tarvane::FileNotExistException : /t/tarvane.nut",
       "ファイルが存在しません。\r\nファイル : /t/tarvane.nut"},
      {std::make_shared<DeckFileFormatException>("/d/a.txt"),
       "Tarvane::DeckFileFormatException : /d/a.txt",
       "デッキファイルではありません。\r\nファイル : /d/a.txt"},
      {std::make_shared<CardDatabaseInitializeException>(
           "/d/x.dat", CardDatabaseInitializeException::kConvertedManaCostFormatError),
       "Tarvane::CardDatabaseInitializeException : /d/x.dat : 点数でみたマナコスト形式エラー",
       "カードデータベースの作成に失敗しました。\r\nファイル : /d/x.dat\r\n原因 : "
       "点数でみたマナコスト形式エラー"},
      {std::make_shared<ExitThroughException>(), "Tarvane::ExitThroughException", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.error->Message(), c.message);
    EXPECT_EQ(c.error->Description(), c.description) << c.message;
    EXPECT_STREQ(c.error->what(), "TtException");
  }
}

TEST(ApplicationExceptionTest, FamilyIsCaughtThroughItsBases) {
  try {
    throw DeckFileFormatException("/d/a.txt");
  } catch (const TtException& e) {
    const auto* file = dynamic_cast<const WithFilePathException*>(&e);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetPath(), "/d/a.txt");
    EXPECT_NE(dynamic_cast<const Exception*>(&e), nullptr);
  }
  EXPECT_THROW(throw ExitThroughException(), Exception);
}
