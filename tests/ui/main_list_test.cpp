// The main list as the user works with it: row colours, the row and header menus, sorting by a
// header click, the card preview, hiding a row, and moving a row by dragging it.
#include <algorithm>

#include "tests/ui/main_window_test_support.h"

using ::testing::ElementsAre;
using Texts = std::vector<std::string>;

namespace TarvaneTest {
namespace {

using namespace Tarvane;

class MainListTest : public MainWindowFixture {
protected:
  void OpenWithBurn() {
    Open();
    AddDecks({folder.burn});
  }

  int RowOf(const std::string& name) {
    Texts names = Column(0);
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  }

  // A list point as the frame's mouse messages carry it.
  TtWin::LPARAM FramePoint(TtWin::POINT list_point) {
    TtWin::POINT point = frame->ScreenToClient(List().ClientToScreen(list_point));
    return TtWin::MakeLParam(point.x, point.y);
  }
};

TEST_F(MainListTest, SpecialRowsAreLightYellowAndCardRowsAreNot) {
  OpenWithBurn();
  List().ClearSelection();
  for (int item = 0; item < List().GetItemCount(); ++item) {
    SCOPED_TRACE(List().GetItemText(item, 0));
    bool special = !List().IsCardRow(item);
    EXPECT_EQ(TtTesting::ListRowBackground(List(), item) == MainList::kSpecialRowColour, special);
  }
  EXPECT_FALSE(List().IsCardRow(RowOf("メイン合計")));
  EXPECT_TRUE(List().IsCardRow(RowOf("稲妻")));
}

TEST_F(MainListTest, TheEntryMenuSelectsTheRowAndOffersPreviewOnlyForCardRows) {
  OpenWithBurn();
  PopupRecorder popup;
  answers.PopupMenu(popup.Choose(-1));
  TtTesting::RightClickListItem(List(), RowOf("メイン合計"));
  EXPECT_EQ(List().GetFirstSelectedItem(), RowOf("メイン合計"))
      << "the right click selects the row";
  EXPECT_EQ(popup.menu, frame->GetEntryMenu().GetHandle());
  EXPECT_THAT(popup.enabled, ElementsAre(true, true, false));

  // プレビュー on a card row shows its card; activating a special row changes nothing.
  answers.PopupMenu(popup.Choose(2));
  TtTesting::RightClickListItem(List(), RowOf("ゴブリンの先達"));
  EXPECT_THAT(popup.enabled, ElementsAre(true, true, true));
  EXPECT_TRUE(frame->GetPreview().IsVisible());
  EXPECT_EQ(frame->GetPreview().GetNameLine().GetText(), "Goblin Guide");
  TtTesting::DoubleClickListItem(List(), RowOf("サイド合計"));
  EXPECT_EQ(frame->GetPreview().GetNameLine().GetText(), "Goblin Guide");
  TtTesting::DoubleClickListItem(List(), RowOf("山"));
  EXPECT_EQ(frame->GetPreview().GetNameLine().GetText(), "Mountain");
}

TEST_F(MainListTest, WithoutASelectedRowThereIsNoEntryMenuAndHideAndPreviewDoNothing) {
  OpenWithBurn();
  List().ClearSelection();
  TtWin::NMITEMACTIVATE click;
  click.hdr.code = TtWin::NM_RCLICK;
  click.hdr.idFrom = MainFrame::kMainListId;
  click.ptAction = TtWin::POINT{20, List().GetItemRectangle(List().GetItemCount() - 1).bottom + 40};
  frame->SendMessage(TtWin::WM_NOTIFY, MainFrame::kMainListId,
                     reinterpret_cast<TtWin::LPARAM>(&click));
  const Texts rows = Column(0);
  frame->SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(MainCommand::HideRow, 0));
  frame->SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(MainCommand::Preview, 0));
  EXPECT_EQ(Column(0), rows);
  EXPECT_FALSE(frame->GetPreview().IsVisible());
}

TEST_F(MainListTest, AHiddenRowComesBackWithRefresh) {
  OpenWithBurn();
  const Texts rows = Column(0);
  PopupRecorder popup;
  answers.PopupMenu(popup.Choose(0));
  TtTesting::RightClickListItem(List(), RowOf("山"));
  EXPECT_THAT(Column(0), ElementsAre("ゴブリンの先達", "稲妻", "メイン合計", "稲妻", "サイド合計"));
  TtTesting::ClickToolBarButton(frame->GetToolBar(), MainCommand::Refresh);
  EXPECT_EQ(Column(0), rows);
}

TEST_F(MainListTest, AHeaderClickSortsByThatColumnsSorterTheSameWayEachTime) {
  OpenWithBurn();
  Choose({3, 0});
  const Texts by_name = Column(0);
  TtTesting::ClickListHeader(List(), 1);
  EXPECT_EQ(Status(1), "並び替え : 逆順");
  const Texts reversed(by_name.rbegin(), by_name.rend());
  EXPECT_EQ(Column(0), reversed);
  TtTesting::ClickListHeader(List(), 1);
  EXPECT_EQ(Column(0), reversed) << "no toggling of direction";
  TtTesting::ClickListHeader(List(), 0);
  EXPECT_EQ(Status(1), "並び替え : 名前順");
  EXPECT_EQ(Column(0), by_name);
}

TEST_F(MainListTest, TheColumnMenuActsOnTheHeaderItemUnderThePoint) {
  OpenWithBurn();
  Choose({3, 0});
  Choose({3, 0});
  PopupRecorder popup;

  answers.PopupMenu(popup.Choose(-1));
  frame->ShowColumnMenu(HeaderPoint(0));
  EXPECT_EQ(popup.menu, frame->GetColumnMenu().GetHandle());
  EXPECT_EQ(frame->GetClickedColumn(), 0);
  EXPECT_FALSE(popup.enabled[0]) << "the first column cannot be deleted";
  EXPECT_TRUE(popup.enabled[1]);

  answers.PopupMenu(popup.Choose(-1));
  frame->ShowColumnMenu(HeaderPoint(-1));
  EXPECT_EQ(frame->GetClickedColumn(), -1);
  EXPECT_FALSE(popup.enabled[0]);
  EXPECT_FALSE(popup.enabled[1]);
  // Commands that arrive with no clicked column do nothing.
  frame->SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(MainCommand::DeleteColumn, 0));
  EXPECT_EQ(List().GetColumnCount(), 3);

  answers.PopupMenu(popup.Choose(0));
  frame->ShowColumnMenu(HeaderPoint(2));
  EXPECT_TRUE(popup.enabled[0] && popup.enabled[1]);
  EXPECT_THAT(Headers(), ElementsAre("カード名", "burn.txt"));

  answers.PopupMenu(popup.Choose(1));
  frame->ShowColumnMenu(HeaderPoint(1));
  EXPECT_EQ(Status(1), "並び替え : 逆順");
}

TEST_F(MainListTest, ARightClickOnTheHeaderOpensTheColumnMenuForTheColumnUnderThePointer) {
  OpenWithBurn();
  Choose({3, 0});
  // The pointer stays where it is under Xvfb, so the window is moved to put column 1's header
  // item under it.
  TtWin::POINT pointer = TtWindow::GetCursorPosition();
  TtWin::POINT target = HeaderPoint(1);
  TtWin::RECT outer = frame->GetRectangle();
  frame->SetPosition(outer.left + pointer.x - target.x, outer.top + pointer.y - target.y);
  TtTesting::ProcessEvents();
  PopupRecorder popup;
  answers.PopupMenu(popup.Choose(-1));
  TtTesting::RightClickListHeader(List(), 1);
  EXPECT_EQ(popup.menu, frame->GetColumnMenu().GetHandle());
  EXPECT_EQ(frame->GetClickedColumn(), 1);
}

TEST_F(MainListTest, DraggingRowZeroOntoRowThreeLeavesItJustBeforeTheFormerRowThree) {
  OpenWithBurn();
  const Texts rows = Column(0);
  EXPECT_FALSE(frame->DispatchToHandler(TtWin::WM_MOUSEMOVE, 0, FramePoint(RowPoint(1))).handled)
      << "outside a drag the mouse is not the frame's";

  TtTesting::DragListItem(List(), 0, RowPoint(1));
  ASSERT_TRUE(frame->IsDraggingRow());
  frame->SendMessage(TtWin::WM_MOUSEMOVE, TtWin::MK_LBUTTON, FramePoint(RowPoint(2)));
  frame->SendMessage(TtWin::WM_MOUSEMOVE, TtWin::MK_LBUTTON, FramePoint(RowPoint(3)));
  EXPECT_EQ(List().GetDropHighlightedItem(), 3);
  EXPECT_FALSE(List().IsItemDropHighlighted(2));
  frame->SendMessage(TtWin::WM_LBUTTONUP, 0, FramePoint(RowPoint(3)));
  EXPECT_FALSE(frame->IsDraggingRow());
  EXPECT_EQ(List().GetDropHighlightedItem(), -1);
  EXPECT_THAT(Column(0), ElementsAre(rows[1], rows[2], rows[0], rows[3], rows[4], rows[5]));

  // Released outside every row, or on itself, a row stays where it is.
  const Texts moved = Column(0);
  TtTesting::DragListItem(List(), 1, RowPoint(2));
  TtWin::POINT below{20, List().GetItemRectangle(List().GetItemCount() - 1).bottom + 40};
  frame->SendMessage(TtWin::WM_MOUSEMOVE, TtWin::MK_LBUTTON, FramePoint(below));
  EXPECT_EQ(List().GetDropHighlightedItem(), -1);
  frame->SendMessage(TtWin::WM_LBUTTONUP, 0, FramePoint(below));
  TtTesting::DragListItem(List(), 1, RowPoint(2));
  frame->SendMessage(TtWin::WM_MOUSEMOVE, TtWin::MK_LBUTTON, FramePoint(RowPoint(1)));
  frame->SendMessage(TtWin::WM_LBUTTONUP, 0, FramePoint(RowPoint(1)));
  EXPECT_EQ(Column(0), moved);
}

}  // namespace
}  // namespace TarvaneTest
