#include "app/exception.h"

#include <gtest/gtest.h>

using namespace Tarvane;

TEST(ApplicationExceptionTest, TextsOfEachClass) {
  InternalException internal("common", 54);
  EXPECT_EQ(internal.Message(), "Tarvane::InternalException : common(54)");
  EXPECT_EQ(internal.Description(),
            "内部エラーが発生しました。\r\nファイル : common\r\n行番号 : 54");

  FileNotExistException missing("/opt/t/tarvane.nut");
  EXPECT_EQ(missing.Message(), "Tarvane::FileNotExistException : /opt/t/tarvane.nut");
  EXPECT_EQ(missing.Description(), "ファイルが存在しません。\r\nファイル : /opt/t/tarvane.nut");

  DeckFileFormatException deck("/d/a.txt");
  EXPECT_EQ(deck.Message(), "Tarvane::DeckFileFormatException : /d/a.txt");
  EXPECT_EQ(deck.Description(), "デッキファイルではありません。\r\nファイル : /d/a.txt");

  CardDatabaseInitializeException dictionary(
      "/d/x.dat", CardDatabaseInitializeException::kConvertedManaCostFormatError);
  EXPECT_EQ(dictionary.Message(),
            "Tarvane::CardDatabaseInitializeException : /d/x.dat : 点数でみたマナコスト形式エラー");
  EXPECT_EQ(dictionary.Description(),
            "カードデータベースの作成に失敗しました。\r\nファイル : /d/x.dat\r\n原因 : "
            "点数でみたマナコスト形式エラー");

  ExitThroughException exit;
  EXPECT_EQ(exit.Message(), "Tarvane::ExitThroughException");
  EXPECT_EQ(exit.Description(), "");
  EXPECT_STREQ(exit.what(), "TtException");
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
