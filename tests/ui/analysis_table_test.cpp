// The analysis table: rows per board mode, columns and their records, deck files, settings, and
// the guarded actions that survive script mistakes.
#include "tests/ui/table_test_support.h"

namespace TarvaneTableTest {
namespace {

using Strings = std::vector<std::string>;

const std::string kScriptErrorCaption = "拡張スクリプトのエラー";

TEST_F(TableTest, WithNoDeckTheTableHoldsTheFirstColumnAndTheShownSpecialRows) {
  EXPECT_EQ(Headers(), Strings({"カード名"}));
  EXPECT_EQ(Column(0), Strings({"メイン合計", "サイド合計"}));
  EXPECT_EQ(status_bar.texts[0], "デッキ数 : 0");
  EXPECT_EQ(status_bar.texts[1], "並び替え : 名前順");
  ExpectColumnsAligned();
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(TableTest, RowsFollowTheBoardMode) {
  table->AddDeckFiles({folder.burn, folder.blue});
  EXPECT_EQ(status_bar.texts[0], "デッキ数 : 2");
  // One row per name across decks; a name on both boards is a row on each.
  EXPECT_EQ(Column(0), Strings({"対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "メイン合計",
                                "稲妻", "山", "Smash", "サイド合計"}));
  table->SetBoardMode(Tarvane::MainboardOnly);
  EXPECT_EQ(Column(0), Strings({"対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "メイン合計"}));
  table->SetBoardMode(Tarvane::SideboardOnly);
  EXPECT_EQ(Column(0), Strings({"稲妻", "山", "Smash", "サイド合計"}));
  // Hybrid rows are the summed names and the main deck's special rows only.
  table->SetBoardMode(Tarvane::Hybrid);
  EXPECT_EQ(Column(0),
            Strings({"対抗呪文", "ゴブリンの先達", "島", "稲妻", "山", "Smash", "メイン合計"}));
  for (const auto& row : vm->GetRows()) {
    if (!row->is_special()) EXPECT_EQ(row->board_type(), 2);
  }
  EXPECT_EQ(vm->GetRows().size(), static_cast<size_t>(list.GetItemCount()));
}

TEST_F(TableTest, DeckColumnsShowEachBoardsCounts) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  EXPECT_EQ(Headers(), Strings({"カード名", "burn.txt", "blue.txt"}));
  ExpectColumnsAligned();
  EXPECT_EQ(Cell("稲妻", 1), "4");
  EXPECT_EQ(Cell("稲妻", 1, 1), "2");
  // Integer zeros are blank by default.
  EXPECT_EQ(Cell("稲妻", 2), "");
  EXPECT_EQ(Cell("山", 2, 1), "2");
  EXPECT_EQ(Cell("メイン合計", 1), "16");
  EXPECT_EQ(Cell("サイド合計", 2), "2");
  table->SetBoardMode(Tarvane::Hybrid);
  EXPECT_EQ(Cell("稲妻", 1), "6");
  // The script counts a main-deck special row on the main deck in every mode.
  EXPECT_EQ(Cell("メイン合計", 2), "14");
  EXPECT_EQ(list.GetColumnWidth(1), 64);
}

TEST_F(TableTest, SpecialRowsFollowTheirBoardAndTheirTick) {
  table->SetSpecialEntriesShown({true, true, false});
  EXPECT_EQ(Column(0), Strings({"メイン土地", "メイン合計"}));
  table->SetBoardMode(Tarvane::SideboardOnly);
  EXPECT_TRUE(Column(0).empty());
  table->SetSpecialEntriesShown({false, false, true});
  EXPECT_EQ(Column(0), Strings({"サイド合計"}));
}

TEST_F(TableTest, ZerosAndFloatsAsTheSettingSays) {
  for (const char* value : {"0", "0.0", "1.5", "null", "-12", "true", "1e30"}) {
    ASSERT_TRUE(table->AddSpecialColumn(Value(std::string("ValueProcessor(\"v\", ") + value + ")")));
  }
  EXPECT_EQ(Cell("メイン合計", 1), "");
  EXPECT_EQ(Cell("メイン合計", 2), "0.00");
  EXPECT_EQ(Cell("メイン合計", 3), "1.50");
  EXPECT_EQ(Cell("メイン合計", 4), "");
  EXPECT_EQ(Cell("メイン合計", 5), "-12");
  EXPECT_EQ(Cell("メイン合計", 6), "true");
  EXPECT_EQ(Cell("メイン合計", 7), "1000000015047466219876688855040.00");
  vm->GetSettings().IfZeroNullString = false;
  table->Refresh();
  EXPECT_EQ(Cell("メイン合計", 1), "0");
  EXPECT_EQ(Cell("メイン合計", 2), "0.00");
}

TEST_F(TableTest, TheSameDeckTwiceIsTwoDecksAndTwoColumnsEach) {
  table->AddDeckFiles({folder.burn, folder.burn});
  EXPECT_EQ(vm->GetDecks().size(), 2u);
  EXPECT_EQ(status_bar.texts[0], "デッキ数 : 2");
  EXPECT_EQ(Column(0), Strings({"ゴブリンの先達", "稲妻", "山", "メイン合計", "稲妻", "Smash",
                                "サイド合計"}));
  table->AddAllDeckColumns();
  table->AddAllDeckColumns();
  EXPECT_EQ(Headers(), Strings({"カード名", "burn.txt", "burn.txt", "burn.txt", "burn.txt"}));
  EXPECT_EQ(Column(1), Column(3));
  EXPECT_EQ(vm->GetColumns()[1]->deck, vm->GetColumns()[3]->deck);
  EXPECT_NE(vm->GetColumns()[1]->deck, vm->GetColumns()[2]->deck);
  ExpectColumnsAligned();
}

TEST_F(TableTest, SelectedDecksBecomeColumnsInTheOrderGiven) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddDeckColumns({1, 0, 7, -1, 1});
  EXPECT_EQ(Headers(), Strings({"カード名", "blue.txt", "burn.txt", "blue.txt"}));
  table->AddDeckColumns({});
  EXPECT_EQ(list.GetColumnCount(), 4);
}

TEST_F(TableTest, DeletingTheCurrentSortersColumnForgetsTheSorter) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  table->SortByColumn(2);
  EXPECT_EQ(status_bar.texts[1], "並び替え : blue.txt の枚数順");
  EXPECT_EQ(Column(0).front(), "島");
  table->DeleteColumn(1);
  ASSERT_NE(table->GetCurrentSorter(), nullptr);
  table->DeleteAllColumns();
  EXPECT_EQ(Headers(), Strings({"カード名"}));
  ExpectColumnsAligned();
  EXPECT_EQ(table->GetCurrentSorter(), nullptr);
  EXPECT_EQ(status_bar.texts[1], "並び替え : blue.txt の枚数順");
  table->Refresh();
  EXPECT_EQ(status_bar.texts[1], "並び替え : ");
  // Building order: the main names as the name table yields them, then the special row.
  EXPECT_EQ(Column(0)[5], "メイン合計");
  EXPECT_EQ(list.GetItemCount(), 10);
}

TEST_F(TableTest, EditingTheDeckListKeepsTheColumnsOfTheFilesStillListed) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  table->AddSpecialColumn(Value("ValueProcessor(\"ゼロ\", 0)"));
  table->AddDeckColumns({0});
  EXPECT_EQ(Headers(), Strings({"カード名", "burn.txt", "blue.txt", "ゼロ", "burn.txt"}));

  table->ReplaceDeckFiles({folder.blue});
  EXPECT_EQ(Headers(), Strings({"カード名", "blue.txt", "ゼロ"}));
  ASSERT_EQ(vm->GetDecks().size(), 1u);
  EXPECT_EQ(vm->GetColumns()[1]->deck, vm->GetDecks()[0]);
  ExpectColumnsAligned();
  EXPECT_EQ(Column(0), Strings({"対抗呪文", "島", "メイン合計", "山", "サイド合計"}));
  EXPECT_EQ(Cell("山", 1), "2");
  EXPECT_EQ(status_bar.texts[0], "デッキ数 : 1");

  // The columns come back for the new decks read from the same files, in their old order.
  table->AddDeckFiles({folder.burn});
  table->AddDeckColumns({1});
  table->ReplaceDeckFiles({folder.burn, folder.blue});
  EXPECT_EQ(Headers(), Strings({"カード名", "blue.txt", "ゼロ", "burn.txt"}));
  EXPECT_EQ(vm->GetColumns()[1]->deck, vm->GetDecks()[1]);
  EXPECT_EQ(vm->GetColumns()[3]->deck, vm->GetDecks()[0]);
  EXPECT_EQ(Cell("稲妻", 3), "4");
  EXPECT_EQ(Value("::Organizer.decks.len()").ToInteger(), 2);
}

TEST_F(TableTest, UnreadableAndMalformedDeckFilesAreReportedAndSkipped) {
  std::string empty = folder.Write("decks/empty.txt", "#NAME nothing\n\n");
  std::string missing = folder.Join("decks/missing.txt");
  table->AddDeckFiles({missing, folder.burn, empty});
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[0].caption, "ファイルアクセスエラー");
  EXPECT_EQ(reporter.messages[0].text, "ファイルのアクセスに失敗しました。\r\nファイル名 ： " + missing);
  EXPECT_EQ(reporter.messages[1].caption, "デッキファイル形式エラー");
  EXPECT_EQ(reporter.messages[1].text,
            "デッキファイルではありません。\r\nファイル : " + empty);
  EXPECT_EQ(vm->GetDecks().size(), 1u);
  EXPECT_EQ(status_bar.texts[0], "デッキ数 : 1");
}

TEST_F(TableTest, ADeckWhoseProcessorFailsIsNotLoaded) {
  Start("class DeckProcessor { constructor(deck) { if (deck.file_name == \"blue.txt\") throw \"no\"; }"
        " name = \"d\"; sorter = null; function process_function(e) { return 1; } }");
  table->AddDeckFiles({folder.blue, folder.burn});
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption}));
  ASSERT_EQ(vm->GetDecks().size(), 1u);
  EXPECT_EQ(vm->GetDecks()[0]->file_name(), "burn.txt");
}

TEST_F(TableTest, AColumnWhoseSetUpFailsIsRemovedAgain) {
  const int rows = list.GetItemCount();
  EXPECT_FALSE(table->AddSpecialColumn(Value("NamelessProcessor()")));
  EXPECT_FALSE(table->AddSpecialColumn(Value("FailingProcessor()")));
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption, kScriptErrorCaption}));
  EXPECT_EQ(reporter.messages[1].text.rfind("拡張スクリプトでエラーがありました。\r\n\r\n", 0), 0u);
  EXPECT_NE(reporter.messages[1].text.find("計算できません"), std::string::npos);
  EXPECT_EQ(Headers(), Strings({"カード名"}));
  ExpectColumnsAligned();
  // The table goes on working with the columns that were added.
  EXPECT_TRUE(table->AddSpecialColumn(Value("ValueProcessor(\"一\", 1)")));
  table->Refresh();
  EXPECT_EQ(Column(1), Strings(rows, "1"));
  ExpectColumnsAligned();
}

TEST_F(TableTest, AFailingCellStopsTheRefreshButNotTheTable) {
  table->AddDeckFiles({folder.burn});
  Run("::fail <- false;");
  table->AddSpecialColumn(Value(
      "(class { name = \"条件\"; sorter = null; function process_function(e) {"
      " if (::fail) throw \"失敗\"; return 1; } })()"));
  Run("::fail = true;");
  reporter.messages.clear();
  table->Refresh();
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption}));
  EXPECT_EQ(list.GetColumnCount(), 2);
  Run("::fail = false;");
  table->Refresh();
  EXPECT_EQ(Column(1), Strings(list.GetItemCount(), "1"));
}

TEST_F(TableTest, AScriptMistakeInTakingASorterEndsOnlyThatAction) {
  table->AddDeckFiles({folder.burn});
  ASSERT_TRUE(table->AddSpecialColumn(Value("SorterlessProcessor()")));
  const Strings rows = Column(0);
  table->SortByColumn(1);
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption}));
  EXPECT_EQ(Column(0), rows);
  EXPECT_EQ(status_bar.texts[1], "並び替え : 名前順");
  ASSERT_NE(table->GetCurrentSorter(), nullptr);

  // The column still goes; the sorter that may have been its own goes with it.
  table->DeleteColumn(1);
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption, kScriptErrorCaption}));
  EXPECT_EQ(Headers(), Strings({"カード名"}));
  EXPECT_EQ(table->GetCurrentSorter(), nullptr);
  EXPECT_EQ(vm->GetDecks().size(), 1u);
}

TEST_F(TableTest, SettingsAppliedGiveTheFirstColumnANewProcessor) {
  table->AddDeckFiles({folder.burn});
  const Tarvane::ColumnInfo* before = table->GetColumnInfo(0);
  vm->GetSettings().FirstColumnIsJapanese = false;
  table->ApplySettings();
  EXPECT_EQ(Headers(), Strings({"Card Name"}));
  EXPECT_NE(table->GetColumnInfo(0), before);
  EXPECT_EQ(table->GetColumnInfo(0)->processor, vm->GetFirstColumnProcessor());
  ExpectColumnsAligned();
  // The cells change with the next refresh only.
  EXPECT_EQ(Column(0).front(), "ゴブリンの先達");
  table->Refresh();
  EXPECT_EQ(Column(0).front(), "Goblin Guide");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(TableTest, AFailingFirstColumnProcessorKeepsTheOldOne) {
  const TtSquirrel::Object old_processor = vm->GetFirstColumnProcessor();
  Run("::Organizer.create_first_column_processor <- function(j) { throw \"設定エラー\"; };");
  vm->GetSettings().FirstColumnIsJapanese = false;
  table->ApplySettings();
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption}));
  EXPECT_EQ(vm->GetFirstColumnProcessor(), old_processor);
  EXPECT_EQ(Headers(), Strings({"カード名"}));
  EXPECT_EQ(table->GetColumnInfo(0)->processor, old_processor);
}

TEST_F(TableTest, ResetNeverKeepsTheSorterOfADroppedDeck) {
  // A first column without a sorter: Reset cannot take its sorter and must not keep the old one.
  Start("class SorterlessName { name = \"名\"; function process_function(e) { return e.card.name; } }"
        "::Organizer.create_first_column_processor <- function(j) { return SorterlessName(); }");
  reporter.messages.clear();
  table->AddDeckFiles({folder.burn});
  table->AddAllDeckColumns();
  table->SortByColumn(1);
  ASSERT_NE(table->GetCurrentSorter(), nullptr);
  table->Reset();
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption}));
  EXPECT_EQ(table->GetCurrentSorter(), nullptr);
  EXPECT_TRUE(vm->GetDecks().empty());
  EXPECT_EQ(Column(0), Strings({"Main Total", "Side Total"}));
  EXPECT_EQ(status_bar.texts[1], "並び替え : ");
}

TEST_F(TableTest, AHiddenRowComesBackWithTheNextRefresh) {
  table->AddDeckFiles({folder.burn});
  const Strings rows = Column(0);
  table->HideRow(1);
  table->HideRow(-1);
  table->HideRow(100);
  EXPECT_EQ(list.GetItemCount(), static_cast<int>(rows.size()) - 1);
  EXPECT_EQ(vm->GetRows().size(), rows.size());
  table->Refresh();
  EXPECT_EQ(Column(0), rows);
}

}  // namespace
}  // namespace TarvaneTableTest
