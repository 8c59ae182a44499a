// The list's grid over the list's store: it asks only for the cells it paints, follows the
// store's changes, fits and freezes the first column, and maps points to rows and columns.
#include <algorithm>

#include "ttl/gui/wx/tt_wx_list_grid.h"

namespace TtWxInternal {

ListGrid::ListGrid(TtListView& list, wxWindow* parent, int id, long style)
    : wxGrid(parent, id, wxDefaultPosition, wxDefaultSize, style), list_(&list) {
  SetTable(new ListTable(*this), true, wxGridSelectNone);
  SetDefaultRenderer(new TextRenderer);
  HideRowLabels();
  EnableEditing(false);
  DisableDragRowSize();
  SetCellHighlightPenWidth(0);
  SetCellHighlightROPenWidth(0);
  SetDefaultCellOverflow(false);
  SetColLabelAlignment(wxALIGN_LEFT, wxALIGN_CENTRE);
  SetGridLineColour(wxColour(0xD8, 0xD8, 0xD8));
  SetMargins(0, 0);
  SetColMinimalAcceptableWidth(1);
  // The table already told the grid how many rows and columns the store holds.
  for (int col = 0; col < list.GetColumnCount(); ++col)
    SetColSize(col, std::max(list.GetColumnWidth(col), 0));
  // A list created again gets a new grid; the old one must let go of the store.
  if (auto* previous = dynamic_cast<ListGrid*>(list.GetObserver())) previous->StoreDestroyed();
  list.SetObserver(this);
  BindMouse(GetGridWindow());
  BindKeys();
  BindHeader(GetGridColLabelWindow());
  Bind(wxEVT_GRID_COL_SIZE, [this](wxGridSizeEvent& event) {
    event.Skip();
    if (event.GetRowOrCol() == 0) first_column_set_by_user_ = true;
    if (!list_ || event.GetRowOrCol() >= list_->GetColumnCount()) return;
    syncing_widths_ = true;
    list_->SetColumnWidth(event.GetRowOrCol(), GetColSize(event.GetRowOrCol()));
    syncing_widths_ = false;
  });
  GetGridWindow()->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
    // A new paint asks the parent for the colours again.
    prepaint_asked_ = false;
    row_looks_.clear();
    event.Skip();
  });
}

ListGrid::~ListGrid() {
  if (list_ && list_->GetObserver() == this) list_->SetObserver(nullptr);
  for (auto& entry : attributes_) entry.second->DecRef();
}

int ListGrid::ContentWidth(int col) {
  wxClientDC dc(GetGridWindow());
  dc.SetFont(GetLabelFont());
  int widest = dc.GetTextExtent(GetColLabelValue(col)).GetWidth();
  dc.SetFont(GetDefaultCellFont());
  for (int row = 0; row < GetNumberRows(); ++row) {
    wxString text = GetTable()->GetValue(row, col);
    if (!text.empty()) widest = std::max(widest, dc.GetTextExtent(text).GetWidth());
  }
  return widest + (col == 0 && check_boxes_ ? kCheckBoxSpace : 0) + kTextMargin;
}

void ListGrid::FitColumn(int col) {
  if (!list_ || col < 0 || col >= GetNumberCols()) return;
  SetColSize(col, ContentWidth(col));
  syncing_widths_ = true;
  list_->SetColumnWidth(col, GetColSize(col));
  syncing_widths_ = false;
  ForceRefresh();
}

void ListGrid::FitFirstColumnSoon() {
  if (first_column_set_by_user_ || fit_pending_ || !list_ || !list_->FitsFirstColumn() ||
      GetNumberCols() == 0) {
    return;
  }
  fit_pending_ = true;
  CallAfter([this] {
    fit_pending_ = false;
    if (!first_column_set_by_user_ && list_ && list_->GetItemCount() > 0) {
      FitColumn(0);
      KeepFirstColumnFrozen();
    }
  });
}

void ListGrid::ApplyExtendedStyle(TtWin::DWORD style) {
  EnableGridLines((style & TtWin::LVS_EX_GRIDLINES) != 0);
  // The grid refuses its own column moves while a column is frozen, so the header drags
  // columns itself (see MoveColumnTo).
  EnableDragColMove(false);
  header_drag_drop_ = (style & TtWin::LVS_EX_HEADERDRAGDROP) != 0;
  check_boxes_ = (style & TtWin::LVS_EX_CHECKBOXES) != 0;
  ClearAttributes();
  ForceRefresh();
}

void ListGrid::ApplyFont(const wxFont& font) {
  SetDefaultCellFont(font);
  SetLabelFont(font);
  wxClientDC dc(this);
  dc.SetFont(font);
  int height = dc.GetCharHeight();
  SetDefaultRowSize(height + 6, true);
  SetColLabelSize(height + 8);
  ForceRefresh();
}

bool ListGrid::InFrozenPart(const wxPoint& client) const {
  wxWindow* frozen = GetFrozenColGridWindow();
  return frozen && client.x < frozen->GetRect().GetRight() + 1;
}

wxPoint ListGrid::CellAreaPoint(const wxPoint& client) const {
  bool frozen = InFrozenPart(client);
  wxWindow* part = frozen ? GetFrozenColGridWindow() : GetGridWindow();
  wxPoint point = CalcGridWindowUnscrolledPosition(client - part->GetPosition(),
                                                   frozen ? m_frozenColGridWin : m_gridWin);
  return frozen ? point : point + wxPoint(FrozenWidth(), 0);
}

int ListGrid::FrozenWidth() const {
  int width = 0;
  for (int position = 0; position < GetNumberFrozenCols(); ++position)
    width += GetColSize(GetColAt(position));
  return width;
}

wxPoint ListGrid::ClientPointOfCell(const wxPoint& cell_point, int column) const {
  bool frozen = column < GetNumberFrozenCols() && m_frozenColGridWin;
  wxWindow* part = frozen ? GetFrozenColGridWindow() : GetGridWindow();
  wxPoint point = frozen ? cell_point : cell_point - wxPoint(FrozenWidth(), 0);
  return CalcGridWindowScrolledPosition(point, frozen ? m_frozenColGridWin : m_gridWin) +
         part->GetPosition();
}

void ListGrid::KeepFirstColumnFrozen() {
  int wanted = GetNumberCols() > 1 ? 1 : 0;
  if (GetNumberFrozenCols() != wanted && !FreezeTo(0, wanted)) return;
  wxWindow* frozen_cells = GetFrozenColGridWindow();
  if (frozen_cells && frozen_cells != bound_frozen_cells_) {
    bound_frozen_cells_ = frozen_cells;
    BindMouse(frozen_cells);
  }
  if (m_colFrozenLabelWin && m_colFrozenLabelWin != bound_frozen_header_) {
    bound_frozen_header_ = m_colFrozenLabelWin;
    BindHeader(m_colFrozenLabelWin);
  }
}

int ListGrid::ItemAt(const wxPoint& client) const {
  if (!list_) return -1;
  wxPoint origin =
      (GetFrozenColGridWindow() ? GetFrozenColGridWindow() : GetGridWindow())->GetPosition();
  if (client.y < origin.y || client.x < origin.x) return -1;
  wxPoint logical = CellAreaPoint(client);
  if (logical.x >= TotalColumnsWidth()) return -1;
  int row = YToRow(logical.y);
  return row == wxNOT_FOUND || row >= list_->GetItemCount() ? -1 : row;
}

int ListGrid::TotalColumnsWidth() const {
  int total = 0;
  for (int col = 0; col < GetNumberCols(); ++col) total += GetColSize(col);
  return total;
}

void ListGrid::ColumnsInserted(int index, int count) {
  wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_COLS_INSERTED, index, count);
  ProcessTableMessage(message);
  for (int col = index; col < index + count; ++col)
    SetColSize(col, std::max(list_->GetColumnWidth(col), 0));
  KeepFirstColumnFrozen();
  GetGridColLabelWindow()->Refresh();
}

void ListGrid::ColumnsDeleted(int index, int count) {
  // Unfrozen first: the grid keeps its frozen parts only over columns that exist.
  if (GetNumberFrozenCols() > 0 && GetNumberCols() - count <= 1) FreezeTo(0, 0);
  wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_COLS_DELETED, index, count);
  ProcessTableMessage(message);
  KeepFirstColumnFrozen();
  GetGridColLabelWindow()->Refresh();
}

void ListGrid::ColumnChanged(int index) {
  if (!syncing_widths_ && index < GetNumberCols()) {
    int width = std::max(list_->GetColumnWidth(index), 0);
    if (GetColSize(index) != width) SetColSize(index, width);
  }
  GetGridColLabelWindow()->Refresh();
}

void ListGrid::ItemsInserted(int index, int count) {
  wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_ROWS_INSERTED, index, count);
  ProcessTableMessage(message);
  row_looks_.clear();
  if (!suspended_) FitFirstColumnSoon();
}

void ListGrid::ItemsDeleted(int index, int count) {
  wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_ROWS_DELETED, index, count);
  ProcessTableMessage(message);
  row_looks_.clear();
  drag_row_ = -1;
}

void ListGrid::ItemsChanged(int) {
  row_looks_.clear();
  if (suspended_ || refresh_pending_) return;
  // Many changes in a row become one repaint.
  refresh_pending_ = true;
  CallAfter([this] {
    refresh_pending_ = false;
    GetGridWindow()->Refresh();
    // The frozen card names are a window of their own: a selection paints across both.
    if (wxWindow* frozen = GetFrozenColGridWindow()) frozen->Refresh();
  });
}

void ListGrid::UpdatesSuspended() {
  suspended_ = true;
  BeginBatch();
}

void ListGrid::UpdatesResumed() {
  suspended_ = false;
  EndBatch();
  row_looks_.clear();
  FitFirstColumnSoon();
  ForceRefresh();
}

ListGrid* GridOf(const TtListView& list) {
  return list.GetHandle() ? dynamic_cast<ListGrid*>(TtWx::ToWx(list.GetHandle())) : nullptr;
}

}  // namespace TtWxInternal
