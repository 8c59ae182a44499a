// The report list on screen: the toolkit's list view calls that need its grid.
#include <wx/dcmemory.h>

#include <algorithm>
#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/wx/tt_wx_list_grid.h"

using TtWxInternal::GridOf;
using TtWxInternal::ListGrid;

wxWindow* TtWxInternal::CreateListView(TtListView& list, wxWindow* parent, int id,
                                       TtWin::DWORD style, TtWin::DWORD extended_style) {
  long wx_style =
      wxWANTS_CHARS | ((extended_style & TtWin::WS_EX_CLIENTEDGE) ? wxBORDER_THEME : wxBORDER_NONE);
  if (style & TtWin::LVS_SINGLESEL) list.SetSingleSelection(true);
  auto* grid = new ListGrid(list, parent, id, wx_style);
  grid->ApplyExtendedStyle(list.GetListExtendedStyle());
  return grid;
}

wxString TtWxInternal::ShownListText(wxWindow* window, int row, int col) {
  auto* grid = dynamic_cast<ListGrid*>(window);
  if (!grid || col < 0 || col >= grid->GetNumberCols()) return wxString();
  wxClientDC dc(grid->GetGridWindow());
  dc.SetFont(row < 0 ? grid->GetLabelFont() : grid->GetDefaultCellFont());
  wxString text = row < 0 ? grid->GetColLabelValue(col) : grid->GetTable()->GetValue(row, col);
  return FitToWidth(dc, text, grid->GetColSize(col) - 4);
}

void TtWxInternal::ResetListLooks(wxWindow* grid) {
  if (auto* list_grid = dynamic_cast<ListGrid*>(grid)) list_grid->ResetLooks();
}

void TtWxInternal::FontChanged(wxWindow* window) {
  if (auto* grid = dynamic_cast<ListGrid*>(window)) grid->ApplyFont(window->GetFont());
  if (auto* label = dynamic_cast<TtWxInternal::StaticText*>(window)) label->Rewrap();
}

TtListView::TtListView() = default;

TtListView::~TtListView() {
  if (ListGrid* grid = GridOf(*this)) grid->StoreDestroyed();
  SetObserver(nullptr);
}

void TtListView::SetListExtendedStyle(TtWin::DWORD style) {
  list_extended_style_ = style;
  if (ListGrid* grid = GridOf(*this)) grid->ApplyExtendedStyle(style);
}

void TtListView::ExecuteWithoutRedraw(const std::function<void()>& action) {
  SendMessage(TtWin::WM_SETREDRAW, 0, 0);
  try {
    action();
  } catch (...) {
    SendMessage(TtWin::WM_SETREDRAW, 1, 0);
    throw;
  }
  SendMessage(TtWin::WM_SETREDRAW, 1, 0);
}

void TtListView::EnsureVisible(int index) {
  ListGrid* grid = GridOf(*this);
  if (!grid || index < 0 || index >= GetItemCount() || GetColumnCount() == 0) return;
  grid->MakeCellVisible(index, std::max(grid->GetFirstFullyVisibleColumn(), 0));
}

int TtListView::HitTest(TtWin::POINT point, TtWin::UINT* flags) const {
  ListGrid* grid = GridOf(*this);
  int row = grid ? grid->ItemAt(wxPoint(point.x, point.y)) : -1;
  if (flags) *flags = row >= 0 ? TtWin::LVHT_ONITEM : TtWin::LVHT_NOWHERE;
  return row;
}

int TtListView::HitTestHeader(TtWin::POINT point, TtWin::UINT* flags) const {
  if (flags) *flags = TtWin::HHT_NOWHERE;
  ListGrid* grid = GridOf(*this);
  if (!grid) return -1;
  wxWindow* header = grid->FrozenHeader() ? grid->FrozenHeader() : grid->GetGridColLabelWindow();
  wxPoint origin = header->GetPosition();
  if (point.y < origin.y || point.y >= origin.y + header->GetSize().GetHeight() ||
      point.x < origin.x)
    return -1;
  // The header lies over the cells: a point on it maps to a column as the cell below it would.
  int x = grid->CellAreaPoint(wxPoint(point.x, grid->GetGridWindow()->GetPosition().y)).x;
  int edge = grid->XToEdgeOfCol(x);
  if (edge >= 0) {
    if (flags) *flags = TtWin::HHT_ONDIVIDER;
    return edge;
  }
  int column = grid->XToCol(x);
  if (column == wxNOT_FOUND) return -1;
  if (flags) *flags = TtWin::HHT_ONHEADER;
  return column;
}

TtWin::HWND TtListView::GetHeaderHandle() const {
  ListGrid* grid = GridOf(*this);
  return grid ? TtWx::ToHandle(grid->GetGridColLabelWindow()) : nullptr;
}

TtWin::RECT TtListView::GetItemRectangle(int index) const {
  ListGrid* grid = GridOf(*this);
  if (!grid || index < 0 || index >= GetItemCount()) {
    throw TT_SYSTEM_CALL_ERROR("tt_list_view", "ListView_GetItemRect", EINVAL);
  }
  wxRect cell = grid->CellToRect(index, 0);
  wxPoint top_left = grid->ClientPointOfCell(cell.GetPosition(), 0);
  return TtWin::RECT{top_left.x, top_left.y, top_left.x + grid->TotalColumnsWidth(),
                     top_left.y + cell.GetHeight()};
}

std::vector<int> TtListView::GetColumnOrder() const {
  std::vector<int> order;
  ListGrid* grid = GridOf(*this);
  for (int position = 0; position < GetColumnCount(); ++position) {
    order.push_back(grid ? grid->GetColAt(position) : position);
  }
  return order;
}

TtImageList TtListView::CreateDragImage(int index, TtWin::POINT* upper_left) const {
  ListGrid* grid = GridOf(*this);
  if (!grid || index < 0 || index >= GetItemCount() || GetColumnCount() == 0) {
    throw TT_SYSTEM_CALL_ERROR("tt_list_view", "ListView_CreateDragImage", EINVAL);
  }
  TtWin::RECT item = GetItemRectangle(index);
  int width = std::max(grid->GetColSize(0), 40);
  int height = std::max(static_cast<int>(item.bottom - item.top), 1);
  wxBitmap bitmap(width, height);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    dc.Clear();
    dc.SetFont(grid->GetDefaultCellFont());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    dc.DrawText(TtWx::ToWxString(GetItemText(index, 0)), 2, (height - dc.GetCharHeight()) / 2);
  }
  if (upper_left) *upper_left = TtWin::POINT{item.left, item.top};
  return TtWxInternal::ImageListOf(bitmap);
}
