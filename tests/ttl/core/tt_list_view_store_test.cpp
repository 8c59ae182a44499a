#include "ttl/core/tt_list_view_store.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ttl/core/tt_exception.h"

namespace {

// Records what a view would hear.
class RecordingObserver : public TtListViewStore::Observer {
public:
  void ColumnsInserted(int index, int count) override { Log("cols+", index, count); }
  void ColumnsDeleted(int index, int count) override { Log("cols-", index, count); }
  void ColumnChanged(int index) override { Log("col", index, 1); }
  void ItemsInserted(int index, int count) override { Log("items+", index, count); }
  void ItemsDeleted(int index, int count) override { Log("items-", index, count); }
  void ItemsChanged(int index) override { Log("item", index, 1); }
  void UpdatesSuspended() override { events.push_back("suspend"); }
  void UpdatesResumed() override { events.push_back("resume"); }
  void StoreDestroyed() override { events.push_back("gone"); }

  std::vector<std::string> events;

private:
  void Log(const char* what, int index, int count) {
    events.push_back(std::string(what) + std::to_string(index) + "x" + std::to_string(count));
  }
};

void Fill(TtListViewStore& store, const std::vector<int>& keys) {
  store.InsertColumn(0, "name", 100);
  for (int key : keys) {
    int item = store.InsertItem(-1, key);
    store.SetItemText(item, 0, "row" + std::to_string(key));
  }
}

std::vector<int> DataInOrder(const TtListViewStore& store) {
  std::vector<int> data;
  for (int item = 0; item < store.GetItemCount(); ++item)
    data.push_back(static_cast<int>(store.GetItemData(item)));
  return data;
}

}  // namespace

TEST(TtListViewStoreTest, ColumnsCarryTextWidthAndDataAndShiftTheCellsWhenInserted) {
  TtListViewStore store;
  EXPECT_EQ(store.InsertColumn(5, "first", 80), 0);
  EXPECT_EQ(store.InsertColumn(-1, "last", 60), 1);
  store.SetColumnData(1, 42);
  int item = store.InsertItem(0, 7);
  store.SetItemText(item, 0, "a");
  store.SetItemText(item, 1, "b");

  EXPECT_EQ(store.InsertColumn(1, "middle", 40), 1);
  EXPECT_EQ(store.GetColumnText(2), "last");
  EXPECT_EQ(store.GetColumnData(2), 42);
  EXPECT_EQ(store.GetColumnWidth(1), 40);
  EXPECT_EQ(store.GetItemText(item, 0), "a");
  EXPECT_EQ(store.GetItemText(item, 1), "");
  EXPECT_EQ(store.GetItemText(item, 2), "b");

  store.DeleteColumn(0);
  EXPECT_EQ(store.GetColumnCount(), 2);
  EXPECT_EQ(store.GetItemText(item, 1), "b");
}

TEST(TtListViewStoreTest, BadIndexesThrowWithTheCallName) {
  TtListViewStore store;
  store.InsertColumn(0, "c", 10);
  store.InsertItem(0, 1);
  try {
    store.SetItemText(1, 0, "x");
    FAIL() << "no exception";
  } catch (const TtWindowsSystemCallException& e) {
    EXPECT_EQ(e.GetCall(), "ListView_SetItemText");
    EXPECT_EQ(e.GetModule(), "tt_list_view");
  }
  EXPECT_THROW(store.GetItemText(0, 1), TtWindowsSystemCallException);
  EXPECT_THROW(store.SetColumnWidth(-1, 5), TtWindowsSystemCallException);
  EXPECT_THROW(store.DeleteItem(3), TtWindowsSystemCallException);
  EXPECT_EQ(store.InsertItem(99, 2), 1) << "an index past the end appends";
}

TEST(TtListViewStoreTest, SingleSelectionKeepsOneItemAndStatesAreIndependent) {
  TtListViewStore store;
  Fill(store, {1, 2, 3});
  store.SetSingleSelection(true);
  store.SetItemSelected(0, true);
  store.SetItemSelected(2, true);
  EXPECT_FALSE(store.IsItemSelected(0));
  EXPECT_EQ(store.GetFirstSelectedItem(), 2);
  EXPECT_EQ(store.GetNextSelectedItem(3), -1);

  store.SetItemDropHighlighted(1, true);
  store.SetItemChecked(1, true);
  EXPECT_EQ(store.GetDropHighlightedItem(), 1);
  EXPECT_TRUE(store.IsItemChecked(1));
  EXPECT_FALSE(store.IsItemSelected(1));

  TtListViewStore multiple;
  Fill(multiple, {1, 2, 3});
  multiple.SetItemSelected(0, true);
  multiple.SetItemSelected(2, true);
  EXPECT_EQ(multiple.GetFirstSelectedItem(), 0);
  EXPECT_EQ(multiple.GetNextSelectedItem(1), 2);
}

TEST(TtListViewStoreTest, SortIsStableAndMovesTextsAndStatesWithTheirItems) {
  TtListViewStore store;
  Fill(store, {30, 11, 20, 12, 31});
  store.SetItemChecked(1, true);
  // Compare by tens only, so 11/12 and 30/31 are equal and must keep their order.
  store.SortItems(
      [](TtWin::LPARAM a, TtWin::LPARAM b) { return static_cast<int>(a / 10 - b / 10); });
  EXPECT_EQ(DataInOrder(store), (std::vector<int>{11, 12, 20, 30, 31}));
  EXPECT_EQ(store.GetItemText(0, 0), "row11");
  EXPECT_TRUE(store.IsItemChecked(0));
  EXPECT_FALSE(store.IsItemChecked(1));
}

TEST(TtListViewStoreTest, SortSurvivesAnInconsistentComparison) {
  TtListViewStore store;
  std::vector<int> keys;
  for (int key = 0; key < 500; ++key) keys.push_back(key);
  Fill(store, keys);
  unsigned state = 12345;
  // Answers at random, as a broken script comparison might.
  store.SortItems([&state](TtWin::LPARAM, TtWin::LPARAM) {
    state = state * 1103515245 + 12345;
    return static_cast<int>((state >> 16) % 3) - 1;
  });
  std::vector<int> data = DataInOrder(store);
  std::sort(data.begin(), data.end());
  EXPECT_EQ(data, keys) << "every item is still there exactly once";
}

TEST(TtListViewStoreTest, AThrowingComparisonLeavesTheOrderAsItWas) {
  TtListViewStore store;
  Fill(store, {3, 1, 2});
  int calls = 0;
  EXPECT_THROW(store.SortItems([&calls](TtWin::LPARAM a, TtWin::LPARAM b) -> int {
    if (++calls == 2) throw std::runtime_error("script error");
    return static_cast<int>(a - b);
  }),
               std::runtime_error);
  EXPECT_EQ(DataInOrder(store), (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(store.GetItemText(1, 0), "row1");
}

TEST(TtListViewStoreTest, TheViewHearsOfChangesAndSuspensionsNest) {
  RecordingObserver observer;
  {
    TtListViewStore store;
    store.SetObserver(&observer);
    store.InsertColumn(0, "c", 10);
    store.SuspendUpdates();
    store.SuspendUpdates();
    store.InsertItem(0, 1);
    store.SetItemText(0, 0, "x");
    store.ResumeUpdates();
    store.ResumeUpdates();
    store.ResumeUpdates();
    store.DeleteAllItems();
    store.DeleteAllItems();
  }
  EXPECT_EQ(observer.events, (std::vector<std::string>{"cols+0x1", "suspend", "items+0x1",
                                                       "item0x1", "resume", "items-0x1", "gone"}));
}
