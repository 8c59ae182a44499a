// What the main list reports to the frame: row colours, the row and column menus, sorting by a
// header click, the card preview on activation, and moving a row by dragging it.
#include "ttl/gui/tt_list_view_keys.h"
#include "ui/main_frame.h"

namespace Tarvane {

void MainFrame::RegisterListHandlers() {
  RegisterNotifyHandler(kMainListId, [this](TtWin::NMHDR* header) { return OnListNotify(header); });
  // The header reports its right click to the list itself, so the list's own messages come here.
  main_list_.OverrideWindowProcedure();
  main_list_.RegisterMessageHandler(TtWin::WM_NOTIFY, [this](TtWin::WPARAM, TtWin::LPARAM lparam) {
    auto* header = reinterpret_cast<TtWin::NMHDR*>(lparam);
    if (header->code != TtWin::NM_RCLICK || header->hwndFrom != main_list_.GetHeaderHandle()) {
      return NotHandled();
    }
    ShowColumnMenu(GetCursorPosition());
    return Handled();
  });
  // Chained: outside a drag the mouse messages go on to whatever else handles them.
  RegisterMouseMoveHandler([this](int, int x, int y) { return MoveRowDrag(x, y); }, true);
  RegisterLeftButtonUpHandler([this](int, int, int) { return DropRow(); }, true);
  // A name typed into the table starts a find with what was typed.
  TtListViewKeys::OnTypedText(main_list_, [this](const std::string& text) { Find(text); });
}

TtWindow::WMResult MainFrame::OnListNotify(TtWin::NMHDR* header) {
  switch (header->code) {
    case TtWin::NM_CUSTOMDRAW:
      return Handled(main_list_.PaintRow(*reinterpret_cast<TtWin::NMLVCUSTOMDRAW*>(header)));
    case TtWin::NM_RCLICK:
      ShowEntryMenu(reinterpret_cast<TtWin::NMITEMACTIVATE*>(header)->ptAction);
      return Handled();
    case TtWin::LVN_COLUMNCLICK:
      GetTable().SortByColumn(reinterpret_cast<TtWin::NMLISTVIEW*>(header)->iSubItem);
      return Handled();
    case TtWin::LVN_ITEMACTIVATE:
      PreviewSelectedRow();
      return Handled();
    case TtWin::LVN_BEGINDRAG:
      BeginRowDrag(*reinterpret_cast<TtWin::NMLISTVIEW*>(header));
      return Handled();
    default:
      return NotHandled();
  }
}

// The list reports where the click was, which is where the pointer is.
void MainFrame::ShowEntryMenu(TtWin::POINT list_point) {
  int row = main_list_.SelectRowAt(list_point);
  if (row < 0) return;
  entry_menu_.EnablePreview(main_list_.IsCardRow(row));
  TtWin::POINT screen = main_list_.ClientToScreen(list_point);
  entry_menu_.ShowPopupMenu(*this, screen.x, screen.y);
}

void MainFrame::ShowColumnMenu(TtWin::POINT screen_point) {
  MainList::HeaderHit hit = main_list_.HitTestHeaderItem(main_list_.ScreenToClient(screen_point));
  clicked_column_ = hit.column;
  // The first column names the cards and stays; a divider or the space beyond the last column
  // is no column to act on.
  const ColumnInfo* column = hit.on_item ? GetTable().GetColumnInfo(hit.column) : nullptr;
  column_menu_.EnableColumnItems(hit.on_item && hit.column != 0, hit.on_item,
                                 column && column->deck);
  column_menu_.EnableArchetypeItem(column && GetTable().GetColumnArchetype(hit.column));
  column_menu_.ShowPopupMenu(*this, screen_point.x, screen_point.y);
}

void MainFrame::BeginRowDrag(const TtWin::NMLISTVIEW& notify) {
  const int row = notify.iItem;
  if (row < 0 || row >= main_list_.GetItemCount()) return;
  main_list_.SetItemSelected(row, true);
  TtWin::POINT corner;
  TtImageList picture = main_list_.CreateDragImage(row, &corner);
  drag_.dragged_row = row;
  drag_.drop_target = -1;
  drag_.dragging = true;
  drag_.image.Begin(std::move(picture), 0, notify.ptAction.x - corner.x,
                    notify.ptAction.y - corner.y);
  drag_.image.Enter(main_list_, notify.ptAction.x, notify.ptAction.y);
  SetCapture();
}

TtWin::POINT MainFrame::FrameToList(int x, int y) const {
  return main_list_.ScreenToClient(ClientToScreen(TtWin::POINT{x, y}));
}

TtWindow::WMResult MainFrame::MoveRowDrag(int x, int y) {
  if (!drag_.dragging) return NotHandled();
  TtWin::POINT point = FrameToList(x, y);
  int hit = main_list_.HitTest(point);
  if (hit >= 0 && main_list_.IsItemDropHighlighted(hit)) {
    drag_.image.Move(point.x, point.y);
    return Handled();
  }
  // The picture is hidden while the highlight moves, so that it never hides the highlight.
  drag_.image.Leave();
  if (drag_.drop_target >= 0 && drag_.drop_target < main_list_.GetItemCount()) {
    main_list_.SetItemDropHighlighted(drag_.drop_target, false);
  }
  drag_.drop_target = hit;
  if (hit >= 0) main_list_.SetItemDropHighlighted(hit, true);
  drag_.image.Enter(main_list_, point.x, point.y);
  return Handled();
}

TtWindow::WMResult MainFrame::DropRow() {
  if (!drag_.dragging) return NotHandled();
  drag_.image.Leave();
  drag_.image.End();
  ReleaseCapture();
  drag_.dragging = false;
  int target = main_list_.GetDropHighlightedItem();
  if (target >= 0) main_list_.SetItemDropHighlighted(target, false);
  GetTable().MoveRow(drag_.dragged_row, target);
  drag_.dragged_row = -1;
  drag_.drop_target = -1;
  main_list_.Update();
  return Handled();
}

}  // namespace Tarvane
