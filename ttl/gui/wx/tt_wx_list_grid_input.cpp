// What the list makes of the mouse and the keys: selection, tick boxes, row drags, header
// clicks, tooltips and column moves, reported to the parent as list view notifications.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ttl/gui/wx/tt_wx_list_grid.h"

namespace TtWxInternal {

TtWin::POINT ListGrid::ClientPoint(wxWindow* source, const wxPoint& position) const {
  wxPoint client = position + source->GetPosition();
  return TtWin::POINT{client.x, client.y};
}

void ListGrid::NotifyItem(TtWin::UINT code, int row, const TtWin::POINT& point) {
  TtWin::NMITEMACTIVATE notify;
  notify.hdr.code = code;
  notify.iItem = row;
  notify.ptAction = point;
  if (row >= 0 && list_) notify.lParam = list_->GetItemData(row);
  Notify(notify.hdr);
}

void ListGrid::NotifyStateChange(int row, TtWin::UINT old_state, TtWin::UINT new_state) {
  TtWin::NMLISTVIEW notify;
  notify.hdr.code = TtWin::LVN_ITEMCHANGED;
  notify.iItem = row;
  notify.uChanged = TtWin::LVIF_STATE;
  notify.uOldState = old_state;
  notify.uNewState = new_state;
  notify.lParam = list_->GetItemData(row);
  Notify(notify.hdr);
}

TtWin::UINT ListGrid::StateOf(int row) const {
  TtWin::UINT state = list_->IsItemSelected(row) ? TtWin::LVIS_SELECTED : 0;
  state |= (list_->IsItemChecked(row) ? 2u : 1u) << 12;
  return state;
}

void ListGrid::SelectByUser(int row, bool add) {
  if (!list_) return;
  std::vector<TtWin::UINT> before;
  for (int index = 0; index < list_->GetItemCount(); ++index) before.push_back(StateOf(index));
  if (!add || list_->IsSingleSelection()) list_->ClearSelection();
  if (row >= 0) list_->SetItemSelected(row, true);
  for (int index = 0; index < list_->GetItemCount() && list_; ++index) {
    TtWin::UINT after = StateOf(index);
    if (after != before[index]) NotifyStateChange(index, before[index], after);
  }
}

void ListGrid::ToggleCheck(int row) {
  TtWin::UINT before = StateOf(row);
  list_->SetItemChecked(row, !list_->IsItemChecked(row));
  NotifyStateChange(row, before, StateOf(row));
}

void ListGrid::BindMouse(wxWindow* cells) {
  cells->Bind(wxEVT_LEFT_DOWN, [this, cells](wxMouseEvent& event) {
    event.Skip();
    if (!list_) return;
    TtWin::POINT point = ClientPoint(cells, event.GetPosition());
    int row = ItemAt(wxPoint(point.x, point.y));
    wxPoint logical = CellAreaPoint(wxPoint(point.x, point.y));
    if (row >= 0 && check_boxes_ && XToCol(logical.x) == 0 &&
        logical.x - GetColLeft(0) < kCheckBoxSpace) {
      ToggleCheck(row);
    }
    SelectByUser(row, event.ControlDown());
    NotifyItem(TtWin::NM_CLICK, row, point);
    drag_row_ = row;
    drag_start_ = point;
  });
  cells->Bind(wxEVT_MOTION, [this, cells](wxMouseEvent& event) {
    // A drag belongs to the list's own row drag: the grid must not take the mouse for a cell
    // range selection on top of the window that captured it.
    if (!event.Dragging()) event.Skip();
    if (drag_row_ < 0 || !event.LeftIsDown() || !list_) return;
    TtWin::POINT point = ClientPoint(cells, event.GetPosition());
    if (std::abs(point.x - drag_start_.x) < kDragThreshold &&
        std::abs(point.y - drag_start_.y) < kDragThreshold)
      return;
    TtWin::NMLISTVIEW notify;
    notify.hdr.code = TtWin::LVN_BEGINDRAG;
    notify.iItem = drag_row_;
    notify.ptAction = drag_start_;
    notify.lParam = list_->GetItemData(drag_row_);
    drag_row_ = -1;
    Notify(notify.hdr);
  });
  cells->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
    event.Skip();
    drag_row_ = -1;
  });
  cells->Bind(wxEVT_LEFT_DCLICK, [this, cells](wxMouseEvent& event) {
    if (!list_) return;
    TtWin::POINT point = ClientPoint(cells, event.GetPosition());
    int row = ItemAt(wxPoint(point.x, point.y));
    NotifyItem(TtWin::NM_DBLCLK, row, point);
    if (row >= 0 && list_) NotifyItem(TtWin::LVN_ITEMACTIVATE, row, point);
  });
  cells->Bind(wxEVT_RIGHT_UP, [this, cells](wxMouseEvent& event) {
    if (!list_) return;
    TtWin::POINT point = ClientPoint(cells, event.GetPosition());
    NotifyItem(TtWin::NM_RCLICK, ItemAt(wxPoint(point.x, point.y)), point);
  });
  cells->Bind(wxEVT_RIGHT_DOWN, [](wxMouseEvent&) {});
}

int ListGrid::NavigationTarget(int key) const {
  int count = list_->GetItemCount();
  int current = list_->GetFirstSelectedItem();
  int page = std::max(
      GetGridWindow()->GetClientSize().GetHeight() / std::max(GetDefaultRowSize(), 1) - 1, 1);
  int target;
  switch (key) {
    case WXK_UP:
      target = current - 1;
      break;
    case WXK_DOWN:
      target = current + 1;
      break;
    case WXK_PAGEUP:
      target = current - page;
      break;
    case WXK_PAGEDOWN:
      target = current + page;
      break;
    case WXK_HOME:
      target = 0;
      break;
    case WXK_END:
      target = count - 1;
      break;
    default:
      return kNoNavigation;
  }
  if (count == 0) return -1;
  return std::clamp(target, 0, count - 1);
}

void ListGrid::BindKeys() {
  Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
    if (!list_) return event.Skip();
    int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
      int row = list_->GetFirstSelectedItem();
      if (row >= 0) NotifyItem(TtWin::LVN_ITEMACTIVATE, row, TtWin::POINT{0, 0});
      return;
    }
    if (key == WXK_SPACE && check_boxes_) {
      int row = list_->GetFirstSelectedItem();
      if (row >= 0) ToggleCheck(row);
      return;
    }
    // Tab moves on to the next control, as from any list; the grid's own Tab walks its cells.
    if (key == WXK_TAB) return MoveFocusOn(!event.ShiftDown());
    int target = NavigationTarget(key);
    if (target == kNoNavigation) return event.Skip();
    if (target >= 0) {
      SelectByUser(target, false);
      if (list_ && target < list_->GetItemCount()) list_->EnsureVisible(target);
    }
  });
}

// The next control of the parent that takes the keyboard, in creation order (the tab order),
// wrapping round; the grid's own inner windows are no controls of the parent.
void ListGrid::MoveFocusOn(bool forward) {
  if (!GetParent()) return;
  const wxWindowList& siblings = GetParent()->GetChildren();
  std::vector<wxWindow*> order(siblings.begin(), siblings.end());
  if (!forward) std::reverse(order.begin(), order.end());
  auto self = std::find(order.begin(), order.end(), this);
  if (self == order.end()) return;
  std::rotate(order.begin(), self, order.end());
  for (auto next = order.begin() + 1; next != order.end(); ++next) {
    if ((*next)->IsShown() && (*next)->IsEnabled() && (*next)->CanAcceptFocusFromKeyboard()) {
      (*next)->SetFocusFromKbd();
      return;
    }
  }
}

void ListGrid::BindHeader(wxWindow* header) {
  header->Bind(wxEVT_LEFT_DOWN, [this, header](wxMouseEvent& event) {
    event.Skip();
    TtWin::POINT point = ClientPoint(header, event.GetPosition());
    TtWin::UINT flags = 0;
    header_click_column_ = list_ ? list_->HitTestHeader(point, &flags) : -1;
    if (flags != TtWin::HHT_ONHEADER) header_click_column_ = -1;
    header_click_start_ = point;
  });
  header->Bind(wxEVT_LEFT_UP, [this, header](wxMouseEvent& event) {
    event.Skip();
    int column = header_click_column_;
    header_click_column_ = -1;
    if (column < 0 || !list_) return;
    TtWin::POINT point = ClientPoint(header, event.GetPosition());
    if (std::abs(point.x - header_click_start_.x) >= kDragThreshold)
      return MoveColumnTo(column, point);
    TtWin::UINT flags = 0;
    if (list_->HitTestHeader(point, &flags) != column) return;
    TtWin::NMLISTVIEW notify;
    notify.hdr.code = TtWin::LVN_COLUMNCLICK;
    notify.iItem = -1;
    notify.iSubItem = column;
    notify.ptAction = point;
    CallAfter([this, notify]() mutable { Notify(notify.hdr); });
  });
  // The header item under the pointer tells its whole name (and what the store adds) as a tooltip.
  header->Bind(wxEVT_MOTION, [this, header](wxMouseEvent& event) {
    event.Skip();
    int column = list_ ? list_->HitTestHeader(ClientPoint(header, event.GetPosition())) : -1;
    wxString tip = column >= 0 ? TtWx::ToWxString(list_->GetColumnToolTip(column)) : wxString();
    if (tip.empty()) {
      header->UnsetToolTip();
    } else if (header->GetToolTipText() != tip) {
      header->SetToolTip(tip);
    }
  });
  // A double click on a header item's right edge fits the column to its texts.
  header->Bind(wxEVT_LEFT_DCLICK, [this, header](wxMouseEvent& event) {
    TtWin::UINT flags = 0;
    int column =
        list_ ? list_->HitTestHeader(ClientPoint(header, event.GetPosition()), &flags) : -1;
    if (flags != TtWin::HHT_ONDIVIDER) return event.Skip();
    if (column == 0) first_column_set_by_user_ = true;
    FitColumn(column);
  });
  header->Bind(wxEVT_RIGHT_DOWN, [](wxMouseEvent&) {});
  header->Bind(wxEVT_RIGHT_UP, [this, header](wxMouseEvent&) {
    if (!list_) return;
    // The header reports to the list itself, as a header control reports to its parent.
    TtWin::NMHDR notify;
    notify.hwndFrom = TtWx::ToHandle(header);
    notify.idFrom = 0;
    notify.code = TtWin::NM_RCLICK;
    TtWindow::WindowProcedure(TtWx::ToHandle(this), TtWin::WM_NOTIFY, 0,
                              reinterpret_cast<TtWin::LPARAM>(&notify));
  });
}

void ListGrid::MoveColumnTo(int column, TtWin::POINT drop) {
  if (!header_drag_drop_ || column < GetNumberFrozenCols()) return;
  TtWin::UINT flags = 0;
  int target = list_->HitTestHeader(drop, &flags);
  if (target < GetNumberFrozenCols() || target == column) return;
  SetColPos(column, GetColPos(target));
  ForceRefresh();
}

}  // namespace TtWxInternal
