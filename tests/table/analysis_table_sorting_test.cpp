// Sorting in-process: what a failing or nameless sorter leaves behind, and that a moved row
// carries its data and every text.
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Strings = std::vector<std::string>;

class SortingTest : public TableTest {
protected:
  void SetUp() override {
    TableTest::SetUp();
    table->AddDeckFiles({folder.burn, folder.blue});
    table->AddAllDeckColumns();
    by_name = Column(0);
  }
  Strings by_name;
};

TEST_F(SortingTest, AFailingComparisonKeepsTheSorterAndItsText) {
  const auto current = table->GetCurrentSorter();
  table->SortBy(Value("BrokenSorter()"));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(reporter.messages[0].text.find("比較できません"), std::string::npos);
  EXPECT_EQ(table->GetCurrentSorter(), current);
  EXPECT_EQ(status_bar.texts[1], "並び替え : 名前順");
  EXPECT_EQ(Column(0), by_name);
}

// A refresh rebuilds the rows in no order; when the sort after it fails, the status bar must not
// name a sorter, and the next refresh that sorts names it again.
TEST_F(SortingTest, ARefreshWhoseSortFailsSaysTheRowsAreNotSorted) {
  Run("::failing <- false;"
      "class FlakySorter { name = \"気まぐれ\";"
      "  function compare_for_sort(a, b) { if (::failing) throw \"fails now\"; return a.card.name "
      "<=> b.card.name; } }");
  table->SortBy(Value("FlakySorter()"));
  ASSERT_EQ(status_bar.texts[1], "並び替え : 気まぐれ");
  Run("::failing <- true;");
  table->Refresh();
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(status_bar.texts[1], "並び替え : ");
  Run("::failing <- false;");
  table->Refresh();
  EXPECT_EQ(status_bar.texts[1], "並び替え : 気まぐれ");
}

TEST_F(SortingTest, ANamelessSorterSortsButLeavesTheOldText) {
  const auto previous = table->GetCurrentSorter();
  table->SortBy(Value("NamelessSorter()"));
  EXPECT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(Column(0).front(), "サイド合計");
  EXPECT_NE(table->GetCurrentSorter(), previous);
  EXPECT_EQ(status_bar.texts[1], "並び替え : 名前順");
}

TEST_F(SortingTest, AMovedRowCarriesItsDataAndTexts) {
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
  table->MoveRow(3, 0);
  EXPECT_EQ(row(0), fourth);
  EXPECT_FALSE(list.IsItemSelected(0));
  // The rows list is not touched by a move.
  EXPECT_EQ(vm->GetRows().size(), 10u);
}

}  // namespace
}  // namespace TarvaneTest
