// The main window driven through its menus, toolbar and dialogs: start-up, decks, columns, board
// modes, 新規, settings, export, the window placement and the development menu.
#include <filesystem>

#include "app/settings.h"
#include "table/table_export.h"
#include "tests/support/desktop_names.h"
#include "tests/ui/main_window_test_support.h"
#include "ttl/gui/tt_clipboard.h"
#include "ui/select_list_dialog.h"
#include "ui/settings_property_sheet.h"
#include "ui/special_entry_dialog.h"

using ::testing::ElementsAre;
using Texts = std::vector<std::string>;

namespace TarvaneTest {
namespace {

using namespace Tarvane;

// Menu bar positions.
constexpr int kFile = 0;
constexpr int kItems = 2;
constexpr int kOperations = 3;

class MainFrameTest : public MainWindowFixture {};

TEST_F(MainFrameTest, StartsWithTheFirstColumnTheShownSpecialRowsAndBothStatusTexts) {
  Open();
  EXPECT_EQ(frame->GetText(), "Tarvane / タルヴェイン");
  EXPECT_THAT(Headers(), ElementsAre("カード名"));
  EXPECT_THAT(Column(0), ElementsAre("メイン合計", "サイド合計"));
  EXPECT_EQ(Status(0), "デッキ数 : 0");
  EXPECT_EQ(Status(1), "並び替え : 名前順");
  EXPECT_THAT(TtTesting::MenuBarLabels(*frame),
              ElementsAre("ファイル(&F)", "データ(&D)", "項目(&E)", "操作(&O)", "表示(&V)",
                          "ツール(&T)", "ヘルプ(&H)"));
  const TtSubMenu& boards = frame->GetMainMenu().GetBoardMenu();
  EXPECT_TRUE(boards.IsItemChecked(0));
  EXPECT_FALSE(boards.IsItemChecked(1) || boards.IsItemChecked(2) || boards.IsItemChecked(3));
}

TEST_F(MainFrameTest, AddedDecksFillTheTableAndAllDecksTwiceGiveEachDeckTwoColumns) {
  Open();
  AddDecks({folder.burn, folder.blue});
  EXPECT_EQ(Status(0), "デッキ数 : 2");
  EXPECT_THAT(Column(0), ElementsAre("対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "メイン合計",
                                     "稲妻", "山", "サイド合計"));
  Choose({kOperations, 0});
  Choose({kOperations, 0});
  EXPECT_THAT(Headers(), ElementsAre("カード名", "burn.txt", "blue.txt", "burn.txt", "blue.txt"));
  EXPECT_THAT(Column(1), ElementsAre("", "4", "", "4", "8", "16", "2", "", "2"));
  EXPECT_EQ(Column(3), Column(1));
  EXPECT_THAT(Column(2), ElementsAre("4", "", "10", "", "", "14", "", "2", "2"));
}

TEST_F(MainFrameTest, FilesAndFoldersFromTheCommandLineOrADropBecomeDecksWithAColumnEach) {
  Open();
  folder.Write("more/red.txt", "#RESULT 優勝\n#PLAYER 山田\n" + BurnDeck());
  folder.Write("more/sub/ignored.txt", BlueDeck());
  frame->OpenDeckPaths({folder.blue, folder.Join("more")});
  EXPECT_EQ(Status(0), "デッキ数 : 2");
  EXPECT_THAT(Headers(), ElementsAre("カード名", "blue.txt", "red.txt"))
      << "a folder gives its files, not its subfolders";
  EXPECT_THAT(Column(1), ElementsAre("4", "", "10", "", "", "14", "", "2", "2"));
  TtTesting::ProcessEvents();
  for (int item = 0; item < List().GetItemCount(); ++item) {
    EXPECT_EQ(TtTesting::ListShownText(List(), item, 0), List().GetItemText(item, 0))
        << "the names are fitted";
  }

  EXPECT_EQ(TtTesting::ListHeaderToolTip(List(), 1),
            "blue.txt\r\n" + folder.blue + "\r\nアーキタイプ: blue.txt (デッキ名)")
      << "its whole name, file and archetype";
  EXPECT_EQ(TtTesting::ListHeaderToolTip(List(), 2),
            "red.txt\r\n" + folder.Join("more/red.txt") +
                "\r\nアーキタイプ: red.txt (デッキ名)\r\n#PLAYER 山田\r\n#RESULT 優勝")
      << "and its other headers";
  EXPECT_EQ(TtTesting::ListHeaderToolTip(List(), 0), "カード名");

  // Dropped on the table: only the new deck gets a column.
  TtTesting::DropFiles(List(), {folder.burn});
  EXPECT_EQ(Status(0), "デッキ数 : 3");
  EXPECT_THAT(Headers(), ElementsAre("カード名", "blue.txt", "red.txt", "burn.txt"));
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDOK, &seen);
  TtTesting::DropFiles(*frame, {folder.Join("missing.txt")});
  EXPECT_EQ(seen.caption, "ファイルアクセスエラー") << "told as 追加 tells it";
  EXPECT_EQ(Status(0), "デッキ数 : 3") << "a file that cannot be read adds nothing";
}

TEST_F(MainFrameTest, TheCardNamesAreFittedAsTheTableFillsUntilTheUserSetsTheirWidth) {
  Open();
  frame->OpenDeckPaths({folder.burn});
  TtTesting::ProcessEvents();
  const int fitted = List().GetColumnWidth(0);
  const std::string long_name = "A Card Whose English Name Is Far Longer Than Any Other";
  frame->OpenDeckPaths({folder.Write("decks/long.txt", "4 " + long_name + "\n")});
  TtTesting::ProcessEvents();
  EXPECT_GT(List().GetColumnWidth(0), fitted) << "fitted again to the longer name";
  EXPECT_THAT(Column(0), ::testing::Contains(long_name));
  for (int item = 0; item < List().GetItemCount(); ++item) {
    EXPECT_EQ(TtTesting::ListShownText(List(), item, 0), List().GetItemText(item, 0));
  }

  const int set_by_user = List().GetColumnWidth(0) - 60;
  TtTesting::SetListColumnWidthAsUser(List(), 0, set_by_user);
  EXPECT_EQ(List().GetColumnWidth(0), set_by_user) << "the store learns it";
  frame->OpenDeckPaths({folder.blue});
  TtTesting::ProcessEvents();
  EXPECT_EQ(List().GetColumnWidth(0), set_by_user) << "the user's width stays";
}

TEST_F(MainFrameTest, AddingManyDecksShowsHowFarItGotAndEscapeStopsItKeepingWhatWasRead) {
  Open();
  std::vector<std::string> paths;
  for (int deck = 0; deck < 20; ++deck)
    paths.push_back(folder.Write("many/" + std::to_string(deck) + ".txt", BurnDeck()));
  frame->SetBusyDelay(std::chrono::milliseconds(0));
  TtTesting::HoldEscapeKey(true);
  frame->OpenDeckPaths(paths);
  TtTesting::HoldEscapeKey(false);
  EXPECT_EQ(Status(0), "デッキ数 : 1") << "stopped after the first file, which stays";
  EXPECT_THAT(Headers(), ElementsAre("カード名", "0.txt"));

  frame->OpenDeckPaths(paths);
  EXPECT_EQ(Status(0), "デッキ数 : 21");
  EXPECT_EQ(frame->DecksRead(0, 300), true) << "no key held: the work goes on";
  EXPECT_EQ(Status(0), "デッキ読み込み中 : 0 / 300 (Escで中止)");
  frame->DecksRead(39999, 40000);
  EXPECT_EQ(TtTesting::StatusPartShownText(frame->GetStatusBar(), 0),
            "デッキ読み込み中 : 39999 / 40000 (Escで中止)")
      << "the whole progress text is on screen";
  EXPECT_TRUE(TtTesting::BusyCursorShown());
  frame->WorkEnded();
  EXPECT_FALSE(TtTesting::BusyCursorShown());

  frame->ColumnsFilled(0, 800);
  frame->ColumnsFilled(120, 800);
  EXPECT_EQ(Status(0), "更新中 : 120 / 800 列") << "a refresh's cells";
  EXPECT_TRUE(TtTesting::BusyCursorShown());
  Choose({kItems, 1});
  EXPECT_FALSE(TtTesting::BusyCursorShown()) << "a refresh ends every work";
  EXPECT_EQ(Status(0), "デッキ数 : 21");

  frame->RowsCompared(0, 5000);
  EXPECT_EQ(Status(0), "並び替え中 : 5000 行 (比較 0 回)");
  frame->RowsCompared(12345678, 40000);
  EXPECT_EQ(TtTesting::StatusPartShownText(frame->GetStatusBar(), 0), Status(0));
  // A sorter's long name keeps its start and its end, the middle shortened.
  const std::string head = "並び替え : アーキタイプ別";
  const std::string tail = "の平均枚数の多い順";
  frame->SetStatusText(StatusBarTexts::kSorterPart,
                       head + std::string(20, 'x') + "サイドボードを含む全カード" + tail);
  const std::string shown = TtTesting::StatusPartShownText(frame->GetStatusBar(), 1);
  EXPECT_EQ(shown.rfind(head, 0), 0u) << shown;
  EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail) << shown;
  frame->SetStatusText(StatusBarTexts::kDeckCountPart,
                       "デッキ読み込み中 : 39999 / 40000 (Escで中止)");
  SaveScreenshotIfAsked(frame.get(), "fault-status-bar-texts");
  EXPECT_TRUE(TtTesting::BusyCursorShown());
  frame->WorkEnded();
  EXPECT_EQ(Status(0), "デッキ数 : 21") << "the deck count comes back after a sort alone";

  frame->SetBusyDelay(std::chrono::milliseconds(500));
  frame->DecksRead(0, 300);
  EXPECT_FALSE(TtTesting::BusyCursorShown()) << "short work shows nothing";
  frame->WorkEnded();
}

TEST_F(MainFrameTest, BoardModesChangeTheRowsAndMoveTheRadioCheck) {
  Open();
  AddDecks({folder.burn, folder.blue});
  const std::vector<Texts> rows = {
      {"対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "メイン合計", "稲妻", "山", "サイド合計"},
      {"対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "メイン合計"},
      {"稲妻", "山", "サイド合計"},
      {"対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "メイン合計"}};
  const TtSubMenu& boards = frame->GetMainMenu().GetBoardMenu();
  for (int mode : {1, 2, 3, 0}) {
    SCOPED_TRACE(mode);
    Choose({kItems, 0, mode});
    EXPECT_EQ(frame->GetScriptHost().GetBoardDisplayMode(), mode);
    EXPECT_EQ(Column(0), rows[mode]);
    for (int item = 0; item < 4; ++item) EXPECT_EQ(boards.IsItemChecked(item), item == mode);
  }
}

TEST_F(MainFrameTest, NewAnsweredNoChangesNothingAndYesEmptiesTheTable) {
  Open();
  AddDecks({folder.burn});
  Choose({kOperations, 0});
  TtTesting::MessageBoxSeen seen;
  answers.MessageBox(TtWin::IDNO, &seen);
  Choose({kFile, 0});
  EXPECT_EQ(seen.caption, "初期化の確認");
  EXPECT_EQ(seen.text, "現在のデータを削除して初期化します。よろしいですか？");
  EXPECT_EQ(seen.button_set, TtWin::MB_YESNO);
  EXPECT_EQ(seen.icon, TtWin::MB_ICONWARNING);
  EXPECT_THAT(Headers(), ElementsAre("カード名", "burn.txt"));
  EXPECT_EQ(Status(0), "デッキ数 : 1");

  answers.MessageBox(TtWin::IDYES);
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::New);
  EXPECT_THAT(Headers(), ElementsAre("カード名"));
  EXPECT_THAT(Column(0), ElementsAre("メイン合計", "サイド合計"));
  EXPECT_EQ(Status(0), "デッキ数 : 0");
}

TEST_F(MainFrameTest, TheSettingsStepRenamesTheFirstColumnAndRefreshRenamesItsCells) {
  Open();
  answers.Dialog([](TtWindow& window) {
    auto& sheet = dynamic_cast<SettingsPropertySheet&>(window);
    TtTesting::Click(sheet.GetMainPage().GetJapaneseCheck());
    EXPECT_TRUE(sheet.PressOk());
  });
  Choose({5, 0});
  EXPECT_THAT(Headers(), ElementsAre("Card Name"));
  EXPECT_THAT(Column(0), ElementsAre("メイン合計", "サイド合計"))
      << "no refresh follows the settings";
  EXPECT_NE(folder.Settings().find("FirstColumnIsJapanese=0"), std::string::npos);
  Choose({kItems, 1});
  EXPECT_THAT(Column(0), ElementsAre("Main Total", "Side Total"));
}

TEST_F(MainFrameTest, SelectedDecksAndSpecialEntriesComeFromTheirDialogs) {
  Open();
  AddDecks({folder.burn, folder.blue});
  answers.Dialog([](TtWindow& window) {
    auto& dialog = dynamic_cast<SelectListDialog&>(window);
    dialog.GetListBox().SetSelected(1, true);
    TtTesting::Click(dialog.GetOkButton());
  });
  Choose({kOperations, 1});
  EXPECT_THAT(Headers(), ElementsAre("カード名", "blue.txt"));

  answers.Dialog([](TtWindow& window) {
    auto& dialog = dynamic_cast<SpecialEntryDialog&>(window);
    dialog.GetList().SetItemChecked(0, false);
    TtTesting::Click(dialog.GetOkButton());
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialEntries);
  EXPECT_THAT(Column(0), ElementsAre("対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "稲妻", "山",
                                     "サイド合計"));
}

TEST_F(MainFrameTest, ScriptMenusAddSpecialColumnsAndSortFromTheToolbarDropDowns) {
  Open();
  AddDecks({folder.blue});
  // 特殊カラムの追加 → その他 → 文字, then 並び替え → 逆順.
  answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
    return TtTesting::PopupChoice{menu.GetSubMenu(2).GetHandle(), 0};
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialColumnDropDown);
  EXPECT_THAT(Headers(), ElementsAre("カード名", "文字"));
  EXPECT_THAT(Column(1), ElementsAre("a\"b", "a\"b", "a\"b", "a\"b", "a\"b"));

  answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
    return TtTesting::PopupChoice{menu.GetHandle(), 1};
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SortDropDown);
  EXPECT_EQ(Status(1), "並び替え : 逆順");
  EXPECT_THAT(Column(0), ElementsAre("サイド合計", "山", "メイン合計", "島", "対抗呪文"));
}

TEST_F(MainFrameTest, ACsvNameWithoutAnExactSpellingWritesNothingAndTheTableStays) {
  using namespace DesktopNames;
  Open();
  AddDecks({folder.blue});
  // w～.csv exists; the 〜 name would be spelt with its bytes and replace it unasked.
  const std::string tilde = folder.Write("out/" + kFullwidthTilde + ".csv", "keep me");
  TtTesting::MessageBoxSeen wave_box, emoji_box;
  answers.FileDialogAsTyped({folder.Join("out/" + kWaveDash + ".csv")})
      .MessageBox(TtWin::IDOK, &wave_box);
  Choose({kFile, 1, 0});
  answers.FileDialogAsTyped({folder.Join("out/" + kEmoji + ".csv")})
      .MessageBox(TtWin::IDOK, &emoji_box);
  Choose({kFile, 1, 0});
  EXPECT_EQ(wave_box.caption, "ファイルアクセスエラー");
  EXPECT_NE(wave_box.text.find(folder.Join("out/w<U+301C>.csv")), std::string::npos)
      << wave_box.text;
  EXPECT_NE(emoji_box.text.find(folder.Join("out/<U+1F600>.csv")), std::string::npos)
      << emoji_box.text;
  EXPECT_EQ(ScratchFolder::Read(tilde), "keep me");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Join("out")), {}), 1);
  EXPECT_EQ(Status(0), "デッキ数 : 1") << "the program goes on with its table";
}

// The file choosers of 平均デッキを作成... and インポート... (its files and its folder) refuse a
// name they cannot spell as the CSV export does: a box, nothing written, the window goes on.
TEST_F(MainFrameTest, EveryFileChooserReportsANameItCannotSpellAndWritesNothing) {
  using namespace DesktopNames;
  constexpr int kData = 1, kImport = 3, kTools = 5, kAverageDeck = 1;
  Open();
  AddDecks({folder.burn});
  Choose({kOperations, 0});
  const std::string in = folder.Join("in");
  const std::string list = folder.Write("in/list.txt", "4 Lightning Bolt\n");
  TtTesting::MessageBoxSeen average_box, import_box, folder_box;
  answers.FileDialogAsTyped({in + "/" + kCafe + ".txt"}).MessageBox(TtWin::IDOK, &average_box);
  Choose({kTools, kAverageDeck});
  answers.FileDialogAsTyped({in + "/" + kCafe + ".dek"}).MessageBox(TtWin::IDOK, &import_box);
  Choose({kData, kImport});
  answers.FileDialog({list})
      .FolderBrowserAsTyped(in + "/" + kEmoji)
      .MessageBox(TtWin::IDOK, &folder_box);
  Choose({kData, kImport});

  for (const auto* box : {&average_box, &import_box, &folder_box}) {
    EXPECT_EQ(box->caption, "ファイルアクセスエラー");
  }
  EXPECT_NE(average_box.text.find(in + "/caf<U+00E9>.txt"), std::string::npos) << average_box.text;
  EXPECT_NE(import_box.text.find(in + "/caf<U+00E9>.dek"), std::string::npos) << import_box.text;
  EXPECT_NE(folder_box.text.find(in + "/<U+1F600>"), std::string::npos) << folder_box.text;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(in), {}), 1) << "nothing written";
  EXPECT_EQ(Status(0), "デッキ数 : 1");
}

// The bytes of both forms are the table's export text, which the table's tests pin.
TEST_F(MainFrameTest, CsvGoesToTheChosenFileAndTsvToTheClipboardAsTheTableWritesThem) {
  Open();
  AddDecks({folder.blue});
  Choose({kOperations, 0});
  answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
    return TtTesting::PopupChoice{menu.GetSubMenu(2).GetHandle(), 0};
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::SpecialColumnDropDown);

  // A name without an extension is written as it is.
  const std::string path = folder.Join("table");
  TtTesting::FileDialogSeen seen;
  answers.FileDialog({path}, &seen);
  Choose({kFile, 1, 0});
  EXPECT_TRUE(seen.save);
  EXPECT_TRUE(seen.overwrite_prompt);
  EXPECT_EQ(seen.file_name, "");
  EXPECT_EQ(seen.filter_text, "CSVファイル(*.csv)|*.csv|すべてのファイル(*.*)|*");
  const TtListViewStore& store = List().GetTable().GetList();
  EXPECT_EQ(store.GetColumnCount(), 3);
  EXPECT_EQ(ScratchFolder::Read(path), Tarvane::BuildTableText(store, ","));

  answers.PopupMenu([](const TtMenu& menu, TtWin::POINT) {
    return TtTesting::PopupChoice{menu.GetHandle(), 1};
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::ExportDropDown);
  std::string clipboard;
  ASSERT_TRUE(TtClipboard::GetString(clipboard));
  EXPECT_EQ(clipboard, Tarvane::BuildTableText(store, "\t"));
}

TEST_F(MainFrameTest, ThePlacementIsSavedWhenTheWindowClosesAndRestoredAtTheNextStart) {
  Open();
  frame->SetPositionSize(40, 50, 700, 500);
  TtTesting::ProcessEvents();
  TtWin::WINDOWPLACEMENT before = frame->GetWindowPlacement();
  Choose({kFile, 7});
  EXPECT_FALSE(frame->IsCreated()) << "終了 closes the window";
  EXPECT_NE(folder.Settings().find("Placement="), std::string::npos);
  Close();

  Open();
  TtWin::WINDOWPLACEMENT after = frame->GetWindowPlacement();
  EXPECT_EQ(after.rcNormalPosition.left, before.rcNormalPosition.left);
  EXPECT_EQ(after.rcNormalPosition.top, before.rcNormalPosition.top);
  EXPECT_EQ(after.rcNormalPosition.right, before.rcNormalPosition.right);
  EXPECT_EQ(after.rcNormalPosition.bottom, before.rcNormalPosition.bottom);
}

TEST_F(MainFrameTest, AWindowClosedMinimisedComesBackRestored) {
  WindowPlacement minimised;
  minimised.show_command = WindowPlacement::Minimized;
  minimised.normal_left = 30;
  minimised.normal_top = 40;
  minimised.normal_right = 630;
  minimised.normal_bottom = 440;
  SaveWindowPlacement(minimised);
  Open();
  EXPECT_FALSE(frame->IsMinimized());
  EXPECT_TRUE(frame->IsVisible());
  TtWin::RECT rectangle = frame->GetWindowPlacement().rcNormalPosition;
  EXPECT_EQ(rectangle.right - rectangle.left, 600);
  EXPECT_EQ(rectangle.bottom - rectangle.top, 400);
}

TEST_F(MainFrameTest, TestModeAddsTheDevelopmentMenuWhoseItemsDoNothing) {
  folder.Write("tarvane.ini", "[Tarvane]\r\nTestMode=1\r\n");
  Open();
  Texts labels = TtTesting::MenuBarLabels(*frame);
  ASSERT_EQ(labels.size(), 8u);
  EXPECT_EQ(labels[7], "開発中");
  for (int item = 0; item < 5; ++item) Choose({7, item});
  EXPECT_THAT(Headers(), ElementsAre("カード名"));
  EXPECT_TRUE(frame->IsCreated());
}

}  // namespace
}  // namespace TarvaneTest
