// What a player reaches for in the main window's table: finding a card (by menu, again and
// again, and by typing into the table), filtering rows, going to a column, fitting columns,
// copying, the keys on the menus, deck sets with the recent files and the last session, and the
// status bar's word after each. With TARVANE_SCREENSHOT_DIR set, pictures of each go there (one
// test per run: a later main window in the same run is captured before it is painted).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/program_files.h"
#include "model/card_type.h"
#include "table/table_export.h"
#include "tests/ui/dialog_test_support.h"
#include "tests/ui/main_window_test_support.h"
#include "ttl/core/tt_path.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/testing/tt_testing_keys.h"
#include "ui/row_filter_dialog.h"
#include "ui/text_query_dialog.h"

namespace TarvaneTest {
namespace {

using namespace Tarvane;
using ::testing::ElementsAre;

// Menu bar positions, and items of the menus by position.
constexpr int kFile = 0;
constexpr int kItems = 2;
constexpr int kOperations = 3;
constexpr int kView = 4;
const std::vector<int> kFind = {kView, 3};
const std::vector<int> kFindNext = {kView, 4};
const std::vector<int> kFindPrevious = {kView, 5};
const std::vector<int> kFilter = {kView, 7};
const std::vector<int> kClearFilter = {kView, 8};
const std::vector<int> kJumpToColumn = {kView, 10};
const std::vector<int> kFitColumns = {kView, 11};
const std::vector<int> kCopy = {kItems, 5};
const std::vector<int> kHideRow = {kItems, 6};
const std::vector<int> kSaveDeckSet = {kFile, 4};
constexpr int kRecentMenu = 5;

class TableToolsTest : public MainWindowFixture {
protected:
  // Answers the next text dialog with the text.
  void AnswerText(const std::string& text, const std::string& expected_start = "") {
    answers.Dialog([=](TtWindow& dialog) {
      auto& query = dynamic_cast<TextQueryDialog&>(dialog);
      if (!expected_start.empty()) {
        EXPECT_EQ(query.GetEdit().GetText(), expected_start);
      }
      query.GetEdit().SetText(text);
      TtTesting::Click(query.GetOkButton());
    });
  }

  std::string SelectedName() {
    const int row = List().GetFirstSelectedItem();
    return row < 0 ? std::string() : List().GetItemText(row, 0);
  }

  // With TARVANE_SCREENSHOT_DIR set: the main window as it is now, as window-<name>.png.
  void SaveWindowPicture(const std::string& name) {
    const char* folder_path = std::getenv("TARVANE_SCREENSHOT_DIR");
    if (!folder_path) return;
    for (int round = 0; round < 20; ++round) {
      TtTesting::ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(TtTesting::SaveScreenshot(frame.get(),
                                          std::string(folder_path) + "/window-" + name + ".png"));
  }
};

TEST_F(TableToolsTest, FindGoesToEachCardRowByEitherNameAndTypingIntoTheTableStartsIt) {
  Open();
  AddDecks({folder.burn, folder.blue});
  Choose({kOperations, 0});
  // 山 is on burn's main deck and blue's sideboard.
  AnswerText("mountain");
  Choose(kFind);
  EXPECT_EQ(SelectedName(), "山");
  const int first = List().GetFirstSelectedItem();
  EXPECT_EQ(Status(3), "「mountain」 1 / 2 件");
  Choose(kFindNext);
  EXPECT_EQ(SelectedName(), "山");
  EXPECT_GT(List().GetFirstSelectedItem(), first);
  EXPECT_EQ(Status(3), "「mountain」 2 / 2 件");
  Choose(kFindNext);
  EXPECT_EQ(List().GetFirstSelectedItem(), first) << "the find wraps round";
  Choose(kFindPrevious);
  EXPECT_EQ(Status(3), "「mountain」 2 / 2 件");

  AnswerText("Forest");
  Choose(kFind);
  EXPECT_EQ(Status(3), "「Forest」は見つかりません");

  // The character typed opens the find with it; the rest of the name is typed there.
  AnswerText("稲妻", "稲");
  TtTesting::TypeCharacter(List(), "稲");
  EXPECT_EQ(SelectedName(), "稲妻");
  SaveWindowPicture("find");
}

TEST_F(TableToolsTest, FilterShowsInTheStatusBarAndClearsInOneStep) {
  Open();
  AddDecks({folder.burn, folder.blue});
  Choose({kOperations, 0});
  answers.Dialog([](TtWindow& dialog) {
    auto& filter = dynamic_cast<RowFilterDialog&>(dialog);
    EXPECT_EQ(filter.GetArchetypeList().GetCount(), 3) << "(すべて), blue.txt, burn.txt";
    filter.GetTypeList().SetCurrentSelection(1);
    TtTesting::Click(filter.GetOkButton());
  });
  Choose(kFilter);
  EXPECT_THAT(Column(0), ElementsAre("島", "山", "メイン合計", "山", "サイド合計"));
  EXPECT_EQ(Status(2), "絞り込み : 土地");
  SaveWindowPicture("filter");

  // A number of decks larger than the decks loaded leaves the totals.
  RowFilter lands_in_three{CardType::Land, 3, "", ""};
  List().GetTable().SetRowFilter(lands_in_three);
  EXPECT_THAT(Column(0), ElementsAre("メイン合計", "サイド合計"));
  EXPECT_EQ(Status(2), "絞り込み : 土地, 3デッキ以上");
  Choose(kClearFilter);
  EXPECT_EQ(Column(0).size(), 9u);
  EXPECT_EQ(Status(2), "");
}

TEST_F(TableToolsTest, DialogOpensOnTheFilterInForce) {
  Open();
  AddDecks({folder.burn, folder.blue});
  List().GetTable().SetRowFilter({CardType::Instant, 2, "burn.txt", "bolt"});
  answers.Dialog([](TtWindow& dialog) {
    auto& filter = dynamic_cast<RowFilterDialog&>(dialog);
    EXPECT_EQ(filter.GetTypeList().GetString(filter.GetTypeList().GetCurrentSelection()),
              "インスタント");
    EXPECT_EQ(filter.GetArchetypeList().GetString(filter.GetArchetypeList().GetCurrentSelection()),
              "burn.txt");
    EXPECT_EQ(filter.GetMinimumDecksEdit().GetText(), "2");
    EXPECT_EQ(filter.GetTextEdit().GetText(), "bolt");
    TarvaneTest::SaveScreenshotIfAsked(dialog, "row-filter");
    TtTesting::Click(filter.GetOkButton());
  });
  Choose(kFilter);
  // Lightning Bolt is in burn alone: two decks leave only the totals.
  EXPECT_THAT(Column(0), ElementsAre("メイン合計", "サイド合計"));
  EXPECT_EQ(Status(2),
            "絞り込み : インスタント, 2デッキ以上, アーキタイプ「burn.txt」, 「bolt」を含む");
}

TEST_F(TableToolsTest, EveryKeyIsOnItsMenuAsTheWidgetSetUnderstandsIt) {
  Open();
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, {kItems, 1}), "F5");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, {kFile, 1, 0}), "Ctrl+S");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kCopy), "Ctrl+C");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kHideRow), "Delete");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kFind), "Ctrl+F");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kFindNext), "F3");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kFindPrevious), "Shift+F3");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kFilter), "Ctrl+L");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kClearFilter), "Ctrl+Shift+L");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, kJumpToColumn), "Ctrl+G");
  EXPECT_EQ(TtTesting::MenuItemShortcut(*frame, {kFile, 3}), "Ctrl+O");
  // The row menu shows the key of the same command.
  EXPECT_THAT(frame->GetEntryMenu().GetItemText(0), ::testing::EndsWith("\tDelete"));
}

TEST_F(TableToolsTest, CopyTakesTheSelectedRowOrTheWholeTableAndHideTakesTheRowAway) {
  Open();
  AddDecks({folder.burn});
  Choose({kOperations, 0});
  std::string clipboard;
  Choose(kCopy);
  ASSERT_TRUE(TtClipboard::GetString(clipboard));
  EXPECT_EQ(clipboard, BuildTableText(List(), "\t"));
  EXPECT_EQ(Status(3), "表をコピーしました (6 行)");

  List().SetItemSelected(1, true);
  Choose(kCopy);
  ASSERT_TRUE(TtClipboard::GetString(clipboard));
  EXPECT_EQ(clipboard, "\"稲妻\"\t\"4\"\r\n");
  EXPECT_EQ(Status(3), "選択した行をコピーしました");

  Choose(kHideRow);
  EXPECT_THAT(Column(0), ElementsAre("ゴブリンの先達", "山", "メイン合計", "稲妻", "サイド合計"));
  EXPECT_EQ(SelectedName(), "山") << "the next row is selected for the next Delete";
  Choose(kHideRow);
  EXPECT_THAT(Column(0), ElementsAre("ゴブリンの先達", "メイン合計", "稲妻", "サイド合計"));
}

TEST_F(TableToolsTest, ColumnJumpBringsTheColumnIntoViewAndFitShowsEveryTextWhole) {
  Open();
  for (int deck = 0; deck < 24; ++deck)
    folder.Write("many/deck" + std::to_string(deck) + ".txt", BurnDeck());
  folder.Write("many/zzz-blue.txt", BlueDeck());
  frame->SetPositionSize(0, 0, 640, 480);
  frame->OpenDeckPaths({folder.Join("many")});
  TtTesting::ProcessEvents();
  const int last = List().GetColumnCount() - 1;
  ASSERT_EQ(List().GetColumnText(last), "zzz-blue.txt");

  AnswerText("BLUE");
  Choose(kJumpToColumn);
  EXPECT_EQ(Status(3), "「BLUE」 1 / 1 件");
  TtTesting::ProcessEvents();
  // The header at the list's right edge now belongs to the last column.
  TtWin::RECT first_row = List().GetItemRectangle(0);
  TtWin::POINT right_edge{List().GetClientRectangle().right - 30, first_row.top / 2};
  EXPECT_EQ(List().HitTestHeader(right_edge), last);

  for (int column = 0; column <= last; ++column) List().SetColumnWidth(column, 12);
  Choose(kFitColumns);
  for (int column = 0; column <= last; ++column) {
    EXPECT_EQ(TtTesting::ListShownText(List(), -1, column), List().GetColumnText(column));
    for (int item = 0; item < List().GetItemCount(); ++item) {
      EXPECT_EQ(TtTesting::ListShownText(List(), item, column), List().GetItemText(item, column));
    }
  }
  SaveWindowPicture("fitted-columns");
}

TEST_F(TableToolsTest, DeckSetSavedOpensFromTheRecentFilesAndTheLastSessionAtTheNextStart) {
  Open();
  AddDecks({folder.burn, folder.blue});
  Choose({kOperations, 0});
  Choose({kItems, 0, 1});
  const std::vector<std::string> headers = Headers();
  const std::vector<std::string> names = Column(0);
  EXPECT_FALSE(frame->GetMainMenu().GetRecentMenu().IsItemEnabled(0)) << "no last session yet";

  folder.Write("sets/.keep", "");
  const std::string path = folder.Join("sets/two.tvset");
  answers.FileDialog({path});
  Choose(kSaveDeckSet);
  EXPECT_EQ(Status(3), "デッキセットを保存しました : " + path);
  EXPECT_NE(folder.Read("sets/two.tvset").find("deck=../decks/burn.txt"), std::string::npos);

  answers.MessageBox(TtWin::IDYES);
  Choose({kFile, 0});
  EXPECT_EQ(Headers().size(), 1u);
  // The recent menu: the last session, a separator, then the file.
  EXPECT_EQ(frame->GetMainMenu().GetRecentMenu().GetItemText(2), "&1 " + path);
  Choose({kFile, kRecentMenu, 2});
  EXPECT_EQ(Headers(), headers);
  EXPECT_EQ(Column(0), names);
  EXPECT_TRUE(frame->GetMainMenu().GetBoardMenu().IsItemChecked(1));
  SaveWindowPicture("deck-set");

  // Closing keeps the session; the next start offers it.
  Choose({kFile, 7});
  Close();
  EXPECT_TRUE(TtPath::FileExists(ProgramFiles::GetLastDeckSetPath()));
  Open();
  EXPECT_EQ(Headers().size(), 1u) << "offered, not opened unasked";
  ASSERT_TRUE(frame->GetMainMenu().GetRecentMenu().IsItemEnabled(0));
  Choose({kFile, kRecentMenu, 0});
  EXPECT_EQ(Headers(), headers);
  EXPECT_EQ(Status(0), "デッキ数 : 2");
}

// Counts line up on the right, and the totals are painted in the font of the other rows, with
// 色分け on or off.
TEST_F(TableToolsTest, TotalRowsKeepTheTableFont) {
  Open();
  AddDecks({folder.burn});
  Choose({kOperations, 0});
  const int total = 3;
  ASSERT_FALSE(List().IsCardRow(total));
  for (bool shading : {false, true}) {
    List().SetShading(shading);
    for (int column : {0, 1}) {
      EXPECT_EQ(TtTesting::ListCellFont(List(), total, column),
                TtTesting::ListCellFont(List(), 0, column));
    }
  }
  EXPECT_TRUE(List().RightAlignsNumbers());
}

TEST_F(TableToolsTest, ExportAndAverageDeckSayInTheStatusBarThatTheyWrote) {
  Open();
  AddDecks({folder.burn});
  const std::string csv = folder.Join("table.csv");
  answers.FileDialog({csv});
  Choose({kFile, 1, 0});
  EXPECT_EQ(Status(3), "CSVファイルに書き出しました : " + csv);
  Choose({kFile, 1, 1});
  EXPECT_EQ(Status(3), "表をクリップボードにコピーしました (6 行)");
  const std::string average = folder.Join("average.txt");
  answers.FileDialog({average});
  Choose({5, 1});
  EXPECT_EQ(Status(3), "平均デッキを書き出しました : " + average);

  // A write that fails says so in its box and leaves the word of the last success alone.
  answers.FileDialog({folder.Join("no/such/folder/table.csv")}).MessageBox(TtWin::IDOK);
  Choose({kFile, 1, 0});
  EXPECT_EQ(Status(3), "平均デッキを書き出しました : " + average);
}

}  // namespace
}  // namespace TarvaneTest
