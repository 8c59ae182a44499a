// Sorting by script sorters, the current sorter and its status text, and moving one row.
#include "tests/ui/table_test_support.h"

namespace TarvaneTableTest {
namespace {

using Strings = std::vector<std::string>;

class SortingTest : public TableTest {
protected:
  void SetUp() override {
    TableTest::SetUp();
    table->AddDeckFiles({folder.burn, folder.blue});
    by_name = Column(0);
  }
  Strings Reversed() const {
    // Reverse order keeps the board groups apart: sideboard rows first, then the main deck.
    return {"サイド合計", "Smash", "山", "稲妻", "メイン合計", "山", "稲妻", "島", "ゴブリンの先達",
            "対抗呪文"};
  }
  Strings by_name;
};

TEST_F(SortingTest, AFloatComparisonCountsByItsSign) {
  table->SortBy(Value("FloatSorter()"));
  EXPECT_EQ(Column(0), Reversed());
  EXPECT_EQ(status_bar.texts[1], "並び替え : 小数");
}

TEST_F(SortingTest, StringAndNullComparisonsTreatAllRowsAsEqual) {
  table->SortBy(Value("ReverseSorter()"));
  for (const char* sorter : {"StringSorter()", "NullSorter()"}) {
    table->SortBy(Value(sorter));
    EXPECT_EQ(Column(0), Reversed()) << sorter;
  }
  EXPECT_EQ(status_bar.texts[1], "並び替え : null");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SortingTest, TheCurrentSorterOrdersEveryRefresh) {
  table->SortBy(Value("ReverseSorter()"));
  table->MoveRow(0, 5);
  table->Refresh();
  EXPECT_EQ(Column(0), Reversed());
  EXPECT_EQ(status_bar.texts[1], "並び替え : 逆順");
}

TEST_F(SortingTest, AFailingComparisonKeepsTheSorterAndItsText) {
  const auto current = table->GetCurrentSorter();
  table->SortBy(Value("BrokenSorter()"));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(reporter.messages[0].text.find("比較できません"), std::string::npos);
  EXPECT_EQ(table->GetCurrentSorter(), current);
  EXPECT_EQ(status_bar.texts[1], "並び替え : 名前順");
  EXPECT_EQ(Column(0), by_name);
}

TEST_F(SortingTest, ANamelessSorterSortsButLeavesTheOldText) {
  const auto previous = table->GetCurrentSorter();
  table->SortBy(Value("NamelessSorter()"));
  EXPECT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(Column(0), Reversed());
  EXPECT_NE(table->GetCurrentSorter(), previous);
  EXPECT_EQ(status_bar.texts[1], "並び替え : 名前順");
}

TEST_F(SortingTest, ClickingAHeaderTwiceSortsTheSameWayTwice) {
  table->AddAllDeckColumns();
  table->SortByColumn(1);
  const Strings once = Column(0);
  table->SortByColumn(1);
  EXPECT_EQ(Column(0), once);
  EXPECT_EQ(once.front(), "山");
  EXPECT_EQ(status_bar.texts[1], "並び替え : burn.txt の枚数順");
  table->SortByColumn(0);
  EXPECT_EQ(Column(0), by_name);
}

TEST_F(SortingTest, AMovedRowLandsJustBeforeTheDropTarget) {
  table->AddAllDeckColumns();
  auto row = [&](int item) {
    Strings texts;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      texts.push_back(list.GetItemText(item, column));
    }
    return std::make_pair(list.GetItemData(item), texts);
  };
  const auto first = row(0);
  const auto fourth = row(3);
  table->MoveRow(0, 3);
  EXPECT_EQ(row(2), first);
  EXPECT_EQ(row(3), fourth);
  EXPECT_EQ(Column(0), Strings({"ゴブリンの先達", "島", "対抗呪文", "稲妻", "山", "メイン合計",
                                "稲妻", "山", "Smash", "サイド合計"}));
  table->MoveRow(3, 0);
  EXPECT_EQ(row(0), fourth);
  EXPECT_FALSE(list.IsItemSelected(0));
  EXPECT_EQ(list.GetItemCount(), 10);
  // The rows list is not touched by a move.
  EXPECT_EQ(vm->GetRows().size(), 10u);
}

TEST_F(SortingTest, DropsOnTheSameRowOrOnNoRowMoveNothing) {
  for (auto [from, to] : {std::pair{2, 2}, {2, -1}, {-1, 2}, {2, 10}, {10, 2}}) {
    table->MoveRow(from, to);
    EXPECT_EQ(Column(0), by_name) << from << " " << to;
  }
}

}  // namespace
}  // namespace TarvaneTableTest
