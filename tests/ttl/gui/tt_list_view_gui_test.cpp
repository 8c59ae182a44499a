// The report list on screen: what the grid shows of the store, row colours through custom
// draw, the notifications of clicks, keys and drags, and hit tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/testing/tt_testing.h"

namespace {

constexpr int kListId = 2001;
const TtWin::COLORREF kLightYellow = TtWin::Rgb(255, 255, 172);

struct Notification {
  TtWin::UINT code;
  int item;
  int sub_item;
};

// A window holding one report list; it records the list's notifications and paints rows
// whose data is negative light yellow.
class ListForm : public TtForm {
public:
  bool CreatedInternal() override {
    list.Create({this, kListId});
    list.SetListExtendedStyle(TtWin::LVS_EX_FULLROWSELECT | TtWin::LVS_EX_GRIDLINES |
                              TtWin::LVS_EX_HEADERDRAGDROP);
    SetSize(640, 480);
    list.SetPositionSize(0, 0, 600, 400);
    RegisterNotifyHandler(kListId, [this](TtWin::NMHDR* header) { return OnListNotify(header); });
    // On screen, so that the grid may capture the mouse while a click is simulated.
    Show();
    list.RegisterMessageHandler(TtWin::WM_NOTIFY, [this](TtWin::WPARAM, TtWin::LPARAM lparam) {
      header_notifications.push_back(reinterpret_cast<TtWin::NMHDR*>(lparam)->code);
      return Handled();
    });
    list.Show();
    return true;
  }

  WMResult OnListNotify(TtWin::NMHDR* header) {
    if (header->code == TtWin::NM_CUSTOMDRAW) {
      auto* draw = reinterpret_cast<TtWin::NMLVCUSTOMDRAW*>(header);
      if (draw->nmcd.dwDrawStage == TtWin::CDDS_PREPAINT)
        return Handled(TtWin::CDRF_NOTIFYITEMDRAW);
      if (draw->nmcd.dwDrawStage == TtWin::CDDS_ITEMPREPAINT && draw->nmcd.lItemlParam < 0) {
        draw->clrTextBk = kLightYellow;
        return Handled(TtWin::CDRF_NEWFONT);
      }
      return Handled(TtWin::CDRF_DODEFAULT);
    }
    if (header->code == TtWin::LVN_COLUMNCLICK || header->code == TtWin::LVN_BEGINDRAG ||
        header->code == TtWin::LVN_ITEMCHANGED) {
      auto* notify = reinterpret_cast<TtWin::NMLISTVIEW*>(header);
      notifications.push_back({header->code, notify->iItem, notify->iSubItem});
    } else {
      auto* notify = reinterpret_cast<TtWin::NMITEMACTIVATE*>(header);
      notifications.push_back({header->code, notify->iItem, notify->iSubItem});
    }
    return Handled();
  }

  std::vector<TtWin::UINT> Codes() const {
    std::vector<TtWin::UINT> codes;
    for (const auto& notification : notifications) codes.push_back(notification.code);
    return codes;
  }

  TtReportListView list;
  std::vector<Notification> notifications;
  std::vector<TtWin::UINT> header_notifications;
};

void FillCards(TtListView& list) {
  list.InsertColumn(0, "カード名", 160);
  list.InsertColumn(1, "デッキA", 80);
  const char* names[] = {"稲妻", "対抗呪文", "土地合計"};
  const int data[] = {1, 2, -1};
  for (int row = 0; row < 3; ++row) {
    list.InsertItem(row, data[row]);
    list.SetItemText(row, 0, names[row]);
    list.SetItemText(row, 1, std::to_string(4 - row));
  }
}

}  // namespace

TEST(TtListViewGuiTest, TheGridShowsTheStoreAndFollowsItsChanges) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  EXPECT_EQ(TtTesting::ListHeaderText(form.list, 0), "カード名");
  EXPECT_EQ(TtTesting::ListCellText(form.list, 1, 0), "対抗呪文");
  EXPECT_EQ(TtTesting::ListCellText(form.list, 2, 1), "2");

  form.list.SortItems([](TtWin::LPARAM a, TtWin::LPARAM b) { return static_cast<int>(a - b); });
  EXPECT_EQ(TtTesting::ListCellText(form.list, 0, 0), "土地合計");
  form.list.InsertColumn(1, "種類", 60);
  EXPECT_EQ(TtTesting::ListHeaderText(form.list, 2), "デッキA");
  EXPECT_EQ(TtTesting::ListCellText(form.list, 1, 2), "4");
  form.list.DeleteItem(0);
  form.list.SetColumnText(0, "Card");
  EXPECT_EQ(TtTesting::ListHeaderText(form.list, 0), "Card");
  EXPECT_EQ(TtTesting::ListCellText(form.list, 0, 0), "稲妻");
  form.list.ExecuteWithoutRedraw([&] {
    for (int row = 0; row < 50; ++row) form.list.InsertItem(-1, row);
  });
  EXPECT_EQ(form.list.GetItemCount(), 52);
  form.list.DeleteAllColumns();
  EXPECT_EQ(TtTesting::ListCellText(form.list, 0, 0), "");
}

TEST(TtListViewGuiTest, RowColoursComeFromCustomDrawAndSelectionWins) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  TtWin::COLORREF plain = TtTesting::ListRowBackground(form.list, 0);
  EXPECT_NE(plain, kLightYellow);
  EXPECT_EQ(TtTesting::ListRowBackground(form.list, 2), kLightYellow);
  form.list.SetItemSelected(2, true);
  EXPECT_NE(TtTesting::ListRowBackground(form.list, 2), kLightYellow)
      << "a selected row shows the selection";
  form.list.SetItemSelected(2, false);
  form.list.SetItemDropHighlighted(0, true);
  EXPECT_NE(TtTesting::ListRowBackground(form.list, 0), plain);
}

TEST(TtListViewGuiTest, ClicksSelectOneRowAndReportWhatHappened) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  TtTesting::ClickListItem(form.list, 1);
  EXPECT_EQ(form.list.GetFirstSelectedItem(), 1);
  TtTesting::ClickListItem(form.list, 0, 1);
  EXPECT_EQ(form.list.GetFirstSelectedItem(), 0);
  EXPECT_EQ(form.list.GetNextSelectedItem(1), -1) << "single selection";
  form.notifications.clear();

  TtTesting::DoubleClickListItem(form.list, 2);
  ASSERT_FALSE(form.notifications.empty());
  EXPECT_EQ(form.notifications.back().code, TtWin::LVN_ITEMACTIVATE);
  EXPECT_EQ(form.notifications.back().item, 2);

  form.notifications.clear();
  TtTesting::RightClickListItem(form.list, 1);
  ASSERT_EQ(form.Codes(), std::vector<TtWin::UINT>{TtWin::NM_RCLICK});
  EXPECT_EQ(form.notifications[0].item, 1);
  EXPECT_EQ(form.list.GetFirstSelectedItem(), 2) << "a right click does not select by itself";

  form.notifications.clear();
  TtTesting::PressEnter(form.list);
  ASSERT_EQ(form.Codes(), std::vector<TtWin::UINT>{TtWin::LVN_ITEMACTIVATE});
  EXPECT_EQ(form.notifications[0].item, 2);
}

TEST(TtListViewGuiTest, HeaderClicksSortAndHeaderRightClicksReachTheList) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  TtTesting::ClickListHeader(form.list, 1);
  ASSERT_EQ(form.Codes(), std::vector<TtWin::UINT>{TtWin::LVN_COLUMNCLICK});
  EXPECT_EQ(form.notifications[0].sub_item, 1);

  TtTesting::RightClickListHeader(form.list, 0);
  TtTesting::RightClickListHeader(form.list, -1);
  EXPECT_EQ(form.header_notifications,
            (std::vector<TtWin::UINT>{TtWin::NM_RCLICK, TtWin::NM_RCLICK}));
}

TEST(TtListViewGuiTest, HitTestsFindItemsAndHeaderItems) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  TtWin::RECT second = form.list.GetItemRectangle(1);
  TtWin::UINT flags = 0;
  EXPECT_EQ(
      form.list.HitTest(TtWin::POINT{second.left + 10, (second.top + second.bottom) / 2}, &flags),
      1);
  EXPECT_EQ(flags, TtWin::LVHT_ONITEM);
  EXPECT_EQ(form.list.HitTest(TtWin::POINT{second.left + 10, second.bottom + 200}, &flags), -1);
  EXPECT_EQ(flags, TtWin::LVHT_NOWHERE);
  EXPECT_EQ(form.list.HitTest(TtWin::POINT{500, (second.top + second.bottom) / 2}), -1)
      << "right of the last column is no item";

  int header_y = second.top / 4;
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{20, header_y}, &flags), 0);
  EXPECT_EQ(flags, TtWin::HHT_ONHEADER);
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{200, header_y}, &flags), 1);
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{400, header_y}, &flags), -1);
  EXPECT_EQ(flags, TtWin::HHT_NOWHERE);
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{159, header_y}, &flags), 0);
  EXPECT_EQ(flags, TtWin::HHT_ONDIVIDER);
  EXPECT_EQ(form.list.GetColumnOrder(), (std::vector<int>{0, 1}));
}

TEST(TtListViewGuiTest, TheFirstColumnStaysInViewWhileTheOthersScrollSideways) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  for (int column = 2; column < 60; ++column)
    form.list.InsertColumn(column, "デッキ" + std::to_string(column), 80);
  TtTesting::ScrollListToColumn(form.list, 55);
  int header_y = form.list.GetItemRectangle(0).top / 4;
  TtWin::UINT flags = 0;
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{20, header_y}, &flags), 0)
      << "the card names are still there";
  EXPECT_EQ(flags, TtWin::HHT_ONHEADER);
  EXPECT_GT(form.list.HitTestHeader(TtWin::POINT{200, header_y}), 40)
      << "beside them, the scrolled columns";
  EXPECT_EQ(form.list.GetItemRectangle(1).left, 0);

  TtTesting::ClickListItem(form.list, 1, 0);
  EXPECT_EQ(form.list.GetFirstSelectedItem(), 1) << "a click on a frozen card name selects its row";
  TtTesting::ClickListItem(form.list, 2, 55);
  EXPECT_EQ(form.list.GetFirstSelectedItem(), 2);
  TtTesting::RightClickListHeader(form.list, 0);
  EXPECT_EQ(form.header_notifications, (std::vector<TtWin::UINT>{TtWin::NM_RCLICK}));

  // Down to the names alone, and back: nothing is left frozen over columns that went away.
  for (int column = 59; column >= 1; --column) form.list.DeleteColumn(column);
  form.list.InsertColumn(1, "デッキA", 80);
  TtTesting::ProcessEvents();
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{20, header_y}), 0);
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{form.list.GetColumnWidth(0) + 10, header_y}), 1);
}

TEST(TtListViewGuiTest, CutTextsEndInAnEllipsisAndADoubleClickOnTheEdgeFitsTheColumn) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  const std::string deck = "青白コントロール・ミッドレンジ型（地方大会優勝）.txt";
  form.list.InsertColumn(2, deck, 64);
  form.list.SetItemText(0, 2, "サイドボード後に4枚");
  const std::string shown = TtTesting::ListShownText(form.list, -1, 2);
  EXPECT_NE(shown, deck);
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...") << shown;
  EXPECT_NE(TtTesting::ListShownText(form.list, 0, 2), "サイドボード後に4枚");

  TtTesting::DoubleClickListHeaderEdge(form.list, 2);
  EXPECT_GT(form.list.GetColumnWidth(2), 64) << "the store learns the new width";
  EXPECT_EQ(TtTesting::ListShownText(form.list, -1, 2), deck);
  EXPECT_EQ(TtTesting::ListShownText(form.list, 0, 2), "サイドボード後に4枚");
}

TEST(TtListViewGuiTest, DraggingARowStartsADragWithItsPicture) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  TtWin::RECT third = form.list.GetItemRectangle(2);
  TtTesting::DragListItem(form.list, 0, TtWin::POINT{40, third.bottom - 2});
  ASSERT_FALSE(form.notifications.empty());
  EXPECT_EQ(form.notifications.back().code, TtWin::LVN_BEGINDRAG);
  EXPECT_EQ(form.notifications.back().item, 0);

  TtWin::POINT corner;
  TtImageList picture = form.list.CreateDragImage(0, &corner);
  EXPECT_EQ(picture.GetImageCount(), 1);
  EXPECT_EQ(corner.y, form.list.GetItemRectangle(0).top);
  form.Show();
  TtDragImage drag;
  drag.Begin(std::move(picture), 0, 10, 5);
  drag.Enter(form.list, 40, 30);
  EXPECT_TRUE(drag.IsShown());
  drag.Move(40, 60);
  drag.Leave();
  EXPECT_FALSE(drag.IsShown());
  drag.End();
  EXPECT_FALSE(drag.IsDragging());
}

TEST(TtListViewGuiTest, CheckBoxesTickByClickWithoutNeedingTheRow) {
  ListForm form;
  form.Create({});
  form.list.SetListExtendedStyle(TtWin::LVS_EX_CHECKBOXES | TtWin::LVS_EX_FULLROWSELECT |
                                 TtWin::LVS_EX_GRIDLINES);
  form.list.InsertColumn(0, "名前", 168);
  form.list.InsertColumn(1, "ボード", 128);
  form.list.InsertItem(0, 0);
  form.list.SetItemText(0, 0, "土地合計");
  form.list.SetItemChecked(0, true);
  form.list.InsertItem(1, 1);
  TtWin::RECT row = form.list.GetItemRectangle(1);
  // The tick box lies at the left end of the first column; ClickListItem clicks the middle.
  form.list.SetColumnWidth(0, 14);
  TtTesting::ClickListItem(form.list, 1, 0);
  EXPECT_TRUE(form.list.IsItemChecked(1));
  EXPECT_TRUE(form.list.IsItemChecked(0));
  TtTesting::ClickListItem(form.list, 0, 0);
  EXPECT_FALSE(form.list.IsItemChecked(0));
  EXPECT_GT(row.bottom, row.top);
}

TEST(TtListViewGuiTest, TheStoreOutlivesOrPrecedesItsWindowSafely) {
  ListForm form;
  form.Create({});
  {
    TtListView extra;
    extra.Create({&form, 7});
    FillCards(extra);
  }
  TtTesting::ProcessEvents();
  TtListView before_window;
  FillCards(before_window);
  before_window.Create({&form, 8});
  EXPECT_EQ(TtTesting::ListCellText(before_window, 1, 0), "対抗呪文")
      << "the grid learns what the store held";
}

// A list created a second time (a dialog shown again) hands its store to the new grid; the old
// grid, destroyed later with its window, must not touch the store that may be gone by then.
TEST(TtListViewGuiTest, AListCreatedAgainLetsTheOldGridGo) {
  auto first_owner = std::make_unique<ListForm>();
  first_owner->Create({});
  ListForm second_owner;
  second_owner.Create({});
  auto list = std::make_unique<TtListView>();
  list->Create({first_owner.get(), 9});
  list->Create({&second_owner, 9});
  FillCards(*list);
  EXPECT_EQ(TtTesting::ListCellText(*list, 1, 0), "対抗呪文");
  list.reset();
  first_owner.reset();
  TtTesting::ProcessEvents();
}

TEST(TtListViewGuiTest, HeaderItemsAreDraggedIntoAnotherOrderButNeverBeforeTheCardNames) {
  ListForm form;
  form.Create({});
  FillCards(form.list);
  form.list.InsertColumn(2, "デッキB", 80);
  form.list.InsertColumn(3, "デッキC", 80);
  form.list.SetItemText(0, 3, "9");

  TtTesting::DragListHeader(form.list, 3, 1);
  EXPECT_EQ(form.list.GetColumnOrder(), (std::vector<int>{0, 3, 1, 2}));
  EXPECT_TRUE(form.Codes().empty()) << "a drag is no click";
  EXPECT_EQ(form.list.GetColumnText(3), "デッキC");
  EXPECT_EQ(form.list.GetItemText(0, 3), "9");
  EXPECT_EQ(TtTesting::ListShownText(form.list, 0, 3), "9");
  EXPECT_EQ(TtTesting::ListShownText(form.list, 0, 1), "4");

  TtTesting::DragListHeader(form.list, 2, 0);
  TtTesting::DragListHeader(form.list, 0, 2);
  EXPECT_EQ(form.list.GetColumnOrder(), (std::vector<int>{0, 3, 1, 2}))
      << "the card names stay first";

  TtWin::UINT flags = 0;
  EXPECT_EQ(form.list.HitTestHeader(TtWin::POINT{239, 5}, &flags), 3)
      << "the moved column's divider";
  EXPECT_EQ(flags, TtWin::HHT_ONDIVIDER);

  TtTesting::ClickListHeader(form.list, 3);
  ASSERT_EQ(form.Codes(), std::vector<TtWin::UINT>{TtWin::LVN_COLUMNCLICK});
  EXPECT_EQ(form.notifications[0].sub_item, 3);

  // Columns deleted and inserted behind a moved one leave a whole order with the card names first.
  form.list.DeleteColumn(1);
  form.list.InsertColumn(1, "デッキD", 80);
  std::vector<int> order = form.list.GetColumnOrder();
  ASSERT_EQ(order.size(), 4u);
  EXPECT_EQ(order[0], 0);
}
