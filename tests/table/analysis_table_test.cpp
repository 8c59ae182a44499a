// The analysis table in-process, for what the headless tool cannot show: the column records
// beside the list columns, the current sorter, the settings step, and script mistakes in the
// deck processor and the first column. The tool's tests cover the rest through the same code.
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Strings = std::vector<std::string>;

const std::string kScriptErrorCaption = "拡張スクリプトのエラー";

// Records what long work reports and stops adding files after `stop_after` decks.
struct ProgressRecorder : Tarvane::WorkProgress {
  bool DecksRead(std::size_t done, std::size_t total) override {
    calls.push_back("decks " + std::to_string(done) + "/" + std::to_string(total));
    return done < stop_after;
  }
  void ColumnsFilled(std::size_t done, std::size_t total) override {
    calls.push_back("columns " + std::to_string(done) + "/" + std::to_string(total));
  }
  void RowsCompared(std::size_t done, std::size_t rows) override {
    if (done == 0) calls.push_back("sort " + std::to_string(rows));
  }
  void WorkEnded() override { calls.push_back("ended"); }
  std::size_t stop_after = 100;
  Strings calls;
};

TEST_F(TableTest, LongWorkReportsHowFarItGotAndAddingStopsWhenAsked) {
  ProgressRecorder progress;
  table->SetWorkProgress(&progress);
  table->AddDeckFiles({folder.burn, folder.blue});
  EXPECT_EQ(progress.calls, (Strings{"decks 0/2", "decks 1/2", "decks 2/2", "columns 0/1",
                                     "columns 1/1", "sort 10", "ended", "ended"}));
  progress.calls.clear();
  progress.stop_after = 1;
  table->AddDeckFiles({folder.burn, folder.blue, folder.burn});
  EXPECT_EQ(progress.calls, (Strings{"decks 0/3", "decks 1/3", "columns 0/1", "columns 1/1",
                                     "sort 10", "ended", "ended"}));
  EXPECT_EQ(vm->GetDecks().size(), 3u) << "the deck read before the stop stays";
  progress.calls.clear();
  table->Resort();
  EXPECT_EQ(progress.calls, (Strings{"sort 10", "ended"})) << "a sort alone ends its work too";
  table->SetWorkProgress(nullptr);
}

TEST_F(TableTest, RowsFollowTheBoardMode) {
  table->AddDeckFiles({folder.burn, folder.blue});
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
    if (!row->is_special()) {
      EXPECT_EQ(row->board_type(), 2);
    }
  }
  EXPECT_EQ(vm->GetRows().size(), static_cast<size_t>(list.GetItemCount()));
}

TEST_F(TableTest, ColumnRecordsStayBesideTheirListColumns) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  table->AddSpecialColumn(Value("ValueProcessor(\"ゼロ\", 0)"));
  table->AddDeckColumns({0, 7, -1});
  EXPECT_EQ(Headers(), Strings({"カード名", "burn.txt", "blue.txt", "ゼロ", "burn.txt"}));
  EXPECT_EQ(table->GetColumnInfo(1)->deck, table->GetColumnInfo(4)->deck);
  EXPECT_EQ(table->GetColumnInfo(3)->deck, nullptr);
  ExpectColumnsAligned();

  table->ReplaceDeckFiles({folder.blue, folder.burn});
  EXPECT_EQ(Headers(), Strings({"カード名", "burn.txt", "blue.txt", "ゼロ", "burn.txt"}));
  // The columns now show the new decks read from the same files.
  EXPECT_EQ(table->GetColumnInfo(1)->deck, vm->GetDecks()[1]);
  EXPECT_EQ(table->GetColumnInfo(2)->deck, vm->GetDecks()[0]);
  EXPECT_EQ(table->GetColumnInfo(2)->processor, vm->GetDecks()[0]->processor());
  ExpectColumnsAligned();
  EXPECT_EQ(Value("::Organizer.decks.len()").ToInteger(), 2);

  EXPECT_FALSE(table->AddSpecialColumn(Value("NamelessProcessor()")));
  EXPECT_FALSE(table->AddSpecialColumn(Value("FailingProcessor()")));
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption, kScriptErrorCaption}));
  EXPECT_EQ(list.GetColumnCount(), 5);
  ExpectColumnsAligned();
  table->DeleteAllColumns();
  ExpectColumnsAligned();
}

// A window repaints whenever the widget set lets it, also in the middle of a change: this view
// reads every cell's shade and column record at each notification of the store.
class RepaintingView : public TtListViewStore::Observer {
public:
  RepaintingView(const TtListViewStore& list, const Tarvane::AnalysisTable& table)
      : list_(list), table_(table) {}
  void ColumnsInserted(int, int) override { Repaint(); }
  void ColumnsDeleted(int, int) override { Repaint(); }
  void ColumnChanged(int) override { Repaint(); }
  void ItemsInserted(int, int) override { Repaint(); }
  void ItemsDeleted(int, int) override { Repaint(); }
  void ItemsChanged(int) override { Repaint(); }
  void UpdatesSuspended() override { Repaint(); }
  void UpdatesResumed() override { Repaint(); }
  int repaints = 0;

private:
  void Repaint() {
    ++repaints;
    for (int column = 0; column < list_.GetColumnCount(); ++column) {
      if (const Tarvane::ColumnInfo* info = table_.GetColumnInfo(column))
        sum_ += info->largest_magnitude;
      for (int item = 0; item < list_.GetItemCount(); ++item)
        sum_ += table_.GetCellShade(item, column);
    }
  }
  const TtListViewStore& list_;
  const Tarvane::AnalysisTable& table_;
  double sum_ = 0;
};

TEST_F(TableTest, ARepaintInTheMiddleOfAnyColumnChangeFindsWholeColumns) {
  RepaintingView view(list, *table);
  list.SetObserver(&view);
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  table->AddSpecialColumn(Value("ValueProcessor(\"負\", -12)"));
  EXPECT_FALSE(table->AddSpecialColumn(Value("FailingProcessor()")));
  table->AddDifferenceColumn(1, 1);
  table->SortByColumn(3);
  table->DeleteColumn(1);
  table->ApplySettings();
  table->ReplaceDeckFiles({folder.blue, folder.burn});
  table->DeleteAllColumns();
  table->Reset();
  list.SetObserver(nullptr);
  EXPECT_GT(view.repaints, 20);
  ExpectColumnsAligned();
}

TEST_F(TableTest, ADeletedColumnTakesTheCurrentSorterWithIt) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  table->SortByColumn(2);
  table->DeleteColumn(1);
  ASSERT_NE(table->GetCurrentSorter(), nullptr);
  table->DeleteColumn(1);
  EXPECT_EQ(table->GetCurrentSorter(), nullptr);
  // The status text waits for the next sort.
  EXPECT_EQ(status_bar.texts[1], "並び替え : blue.txt の枚数順");
}

TEST_F(TableTest, ADeckWhoseProcessorFailsIsNotLoaded) {
  Start(
      "class DeckProcessor { constructor(deck) { if (deck.file_name == \"blue.txt\") throw \"no\"; "
      "}"
      " name = \"d\"; sorter = null; function process_function(e) { return 1; } }");
  table->AddDeckFiles({folder.blue, folder.burn});
  EXPECT_EQ(Captions(), Strings({kScriptErrorCaption}));
  ASSERT_EQ(vm->GetDecks().size(), 1u);
  EXPECT_EQ(vm->GetDecks()[0]->file_name(), "burn.txt");
  EXPECT_EQ(Value("::Organizer.decks.len()").ToInteger(), 1);
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
  // A first column without a sorter: Reset cannot take its sorter and must not keep the old one,
  // whose script still points at the deck that Reset drops.
  Start(
      "class SorterlessName { name = \"名\"; function process_function(e) { return e.card.name; } }"
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

}  // namespace
}  // namespace TarvaneTest
