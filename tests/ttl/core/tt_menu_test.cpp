#include "ttl/core/tt_menu.h"

#include <gtest/gtest.h>

#include "ttl/core/tt_exception.h"

namespace {

class CountingObserver : public TtMenuModel::Observer {
public:
  void MenuItemChanged(TtMenuModel&, int) override { ++item_changes; }
  void MenuStructureChanged(TtMenuModel&) override { ++structure_changes; }
  int item_changes = 0;
  int structure_changes = 0;
};

}  // namespace

TEST(TtMenuTest, ItemsSeparatorsAndSubMenusKeepTheirPlaces) {
  TtMenuBar bar;
  TtSubMenu file;
  file.AppendItem("New", 1001);
  file.AppendSeparator();
  file.InsertItem(1, "Export", 1002);
  bar.AppendMenu("File", file);

  EXPECT_TRUE(bar.IsMenuBar());
  ASSERT_EQ(file.GetItemCount(), 3);
  EXPECT_EQ(file.GetItemId(1), 1002);
  EXPECT_TRUE(file.IsSeparator(2));
  EXPECT_EQ(bar.GetSubMenu(0).GetHandle(), file.GetHandle());
  EXPECT_EQ(file.FindItemById(1002), 1);
  EXPECT_EQ(file.FindItemById(0), -1) << "separators are not items with identifier 0";
  EXPECT_THROW(file.GetItemText(3), TtWindowsSystemCallException);
  EXPECT_THROW(bar.GetSubMenu(0).GetSubMenu(0), TtWindowsSystemCallException);
}

TEST(TtMenuTest, OneSubMenuInTwoMenusIsTheSameMenu) {
  TtSubMenuCommand sorters;
  sorters.AppendItem("by name", 0);
  TtSubMenu operations;
  TtSubMenuCommand column_menu;
  operations.AppendMenu("Sort", sorters);
  column_menu.AppendMenu("Sort", sorters);
  sorters.AppendItem("by count", 0);
  EXPECT_EQ(operations.GetSubMenu(0).GetItemCount(), 2);
  EXPECT_EQ(column_menu.GetSubMenu(0).GetItemCount(), 2);
  EXPECT_TRUE(column_menu.IsNotifyByPosition());
  EXPECT_FALSE(operations.IsNotifyByPosition());
}

TEST(TtMenuTest, AMenuCannotContainItself) {
  TtSubMenu outer;
  TtSubMenu inner;
  outer.AppendMenu("inner", inner);
  EXPECT_THROW(inner.AppendMenu("outer", outer), TtWindowsSystemCallException);
  EXPECT_THROW(outer.AppendMenu("self", outer), TtWindowsSystemCallException);
}

TEST(TtMenuTest, RadioCheckMovesAndCheckStateIsKeptPerItem) {
  TtSubMenu board;
  for (const char* label : {"Both", "Main", "Side", "Hybrid"}) board.AppendItem(label, 0);
  board.CheckRadioItem(0, 3, 2);
  EXPECT_TRUE(board.IsItemChecked(2));
  board.CheckRadioItem(0, 3, 0);
  EXPECT_TRUE(board.IsItemChecked(0));
  EXPECT_FALSE(board.IsItemChecked(2));
  EXPECT_THROW(board.CheckRadioItem(0, 3, 4), TtWindowsSystemCallException);
}

TEST(TtMenuTest, ItemDataLivesAsLongAsTheItem) {
  auto data = std::make_shared<int>(7);
  std::weak_ptr<int> watch = data;
  {
    TtSubMenuCommand menu;
    menu.AppendItem("x", 0);
    menu.SetItemData(0, std::move(data));
    EXPECT_EQ(*menu.GetItemDataAs<int>(0), 7);
    EXPECT_FALSE(watch.expired());
  }
  EXPECT_TRUE(watch.expired());
}

TEST(TtMenuTest, ViewsHearItemAndStructureChanges) {
  TtSubMenu menu;
  CountingObserver observer;
  menu.GetHandle()->AddObserver(&observer);
  menu.AppendItem("a", 1);
  menu.AppendItem("b", 2);
  menu.SetItemEnabled(1, false);
  menu.SetItemEnabled(1, false);
  menu.CheckRadioItem(0, 1, 0);
  menu.CheckRadioItem(0, 1, 1);
  menu.GetHandle()->RemoveObserver(&observer);
  menu.DeleteItem(0);
  EXPECT_EQ(observer.structure_changes, 3) << "two insertions and the first radio check";
  EXPECT_EQ(observer.item_changes, 3) << "one enabling and the second radio check's two items";
}
