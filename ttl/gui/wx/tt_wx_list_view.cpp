// The report list on screen: a grid over the list's store that asks only for the cells it
// paints, turns clicks, drags and keys into the list view's notifications, and asks the parent
// for row colours through custom draw.
#include <wx/dcmemory.h>
#include <wx/grid.h>
#include <wx/renderer.h>

#include <cerrno>
#include <map>
#include <unordered_map>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxSpace = kCheckBoxSize + 5;
constexpr int kDragThreshold = 4;
// Room left and right of a cell's text.
constexpr int kTextMargin = 8;

class ListGrid;

class ListTable : public wxGridTableBase {
public:
  explicit ListTable(ListGrid& grid) : grid_(grid) {}
  int GetNumberRows() override;
  int GetNumberCols() override;
  wxString GetValue(int row, int col) override;
  void SetValue(int, int, const wxString&) override {}
  bool IsEmptyCell(int row, int col) override { return GetValue(row, col).empty(); }
  wxString GetColLabelValue(int col) override;
  bool CanHaveAttributes() override { return true; }
  wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) override;

private:
  ListGrid& grid_;
};

// Draws the tick box of a row in front of the first column's text.
class CheckRenderer : public wxGridCellStringRenderer {
public:
  explicit CheckRenderer(ListGrid& grid) : grid_(grid) {}
  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool is_selected) override;
  wxSize GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col) override {
    wxSize size = wxGridCellStringRenderer::GetBestSize(grid, attr, dc, row, col);
    return wxSize(size.x + kCheckBoxSpace, size.y);
  }
  wxGridCellRenderer* Clone() const override { return new CheckRenderer(grid_); }

private:
  ListGrid& grid_;
};

// A text that does not fit the width ends in an ellipsis. Only a text that might not fit is
// measured: no character is wider than the font is high, so most counts are never measured.
wxString FitToWidth(wxDC& dc, const wxString& text, int width) {
  if (static_cast<int>(text.length()) * dc.GetCharHeight() <= width) return text;
  return wxControl::Ellipsize(text, dc, wxELLIPSIZE_END, std::max(width, 0));
}

// Draws a cell's text on one line from the left, ending in an ellipsis where the cell cuts it.
// The grid's own renderer measures every text before drawing it (for alignment and line
// breaks), which doubles the text layout work of a repaint; list cells need neither.
class TextRenderer : public wxGridCellStringRenderer {
public:
  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool is_selected) override {
    wxGridCellRenderer::Draw(grid, attr, dc, rect, row, col, is_selected);
    wxString text = grid.GetTable()->GetValue(row, col);
    if (text.empty()) return;
    SetTextColoursAndFont(grid, attr, dc, is_selected);
    wxDCClipper clip(dc, rect);
    wxString shown = FitToWidth(dc, text, rect.width - 4);
    int x = rect.x + 2;
    if (RightAligned(grid, text)) x = std::max(x, rect.x + rect.width - 3 - dc.GetTextExtent(shown).GetWidth());
    dc.DrawText(shown, x, rect.y + (rect.height - dc.GetCharHeight()) / 2);
  }
  wxGridCellRenderer* Clone() const override { return new TextRenderer; }

private:
  static bool RightAligned(wxGrid& grid, const wxString& text);
};

struct RowLook {
  TtWin::COLORREF text = TtWin::CLR_DEFAULT;
  TtWin::COLORREF back = TtWin::CLR_DEFAULT;
  // The parent asked to colour this row's cells one by one (CDRF_NOTIFYSUBITEMDRAW).
  bool per_cell = false;
};

class ListGrid : public wxGrid, public TtListViewStore::Observer {
public:
  ListGrid(TtListView& list, wxWindow* parent, int id, long style)
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
    for (int col = 0; col < list.GetColumnCount(); ++col) SetColSize(col, std::max(list.GetColumnWidth(col), 0));
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

  ~ListGrid() override {
    if (list_ && list_->GetObserver() == this) list_->SetObserver(nullptr);
    for (auto& entry : attributes_) entry.second->DecRef();
  }

  TtListView* List() const { return list_; }

  // A header's text ends in an ellipsis where the column cuts it, as a cell's does.
  void DrawColLabel(wxDC& dc, int col) override {
    if (GetColSize(col) <= 0) return;
    wxRect rect(GetColLeft(col), 0, GetColSize(col), GetColLabelSize());
    static wxGridColumnHeaderRendererDefault plain;
    wxGridCellAttrProvider* provider = GetTable()->GetAttrProvider();
    const wxGridColumnHeaderRenderer& renderer = provider ? provider->GetColumnHeaderRenderer(col) : plain;
    renderer.DrawBorder(*this, dc, rect);
    dc.SetFont(GetLabelFont());
    dc.SetTextForeground(GetLabelTextColour());
    int horizontal = 0;
    int vertical = 0;
    GetColLabelAlignment(&horizontal, &vertical);
    renderer.DrawLabel(*this, dc, FitToWidth(dc, GetColLabelValue(col), rect.width - 4), rect, horizontal, vertical,
                       wxHORIZONTAL);
  }

  // The width that shows every text of the column and its header whole.
  int ContentWidth(int col) {
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

  void FitColumn(int col) {
    if (!list_ || col < 0 || col >= GetNumberCols()) return;
    SetColSize(col, ContentWidth(col));
    syncing_widths_ = true;
    list_->SetColumnWidth(col, GetColSize(col));
    syncing_widths_ = false;
    ForceRefresh();
  }

  // The card names are fitted once the table has been filled, until the user sets the width.
  void FitFirstColumnSoon() {
    if (first_column_set_by_user_ || fit_pending_ || !list_ || !list_->FitsFirstColumn() || GetNumberCols() == 0) {
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

  void ApplyExtendedStyle(TtWin::DWORD style) {
    EnableGridLines((style & TtWin::LVS_EX_GRIDLINES) != 0);
    // The grid refuses its own column moves while a column is frozen, so the header drags
    // columns itself (see MoveColumnTo).
    EnableDragColMove(false);
    header_drag_drop_ = (style & TtWin::LVS_EX_HEADERDRAGDROP) != 0;
    check_boxes_ = (style & TtWin::LVS_EX_CHECKBOXES) != 0;
    ClearAttributes();
    ForceRefresh();
  }

  void ApplyFont(const wxFont& font) {
    SetDefaultCellFont(font);
    SetLabelFont(font);
    wxClientDC dc(this);
    dc.SetFont(font);
    int height = dc.GetCharHeight();
    SetDefaultRowSize(height + 6, true);
    SetColLabelSize(height + 8);
    ForceRefresh();
  }

  bool HasCheckBoxes() const { return check_boxes_; }

  void ResetLooks() {
    prepaint_asked_ = false;
    row_looks_.clear();
  }

  // The part of the cell area a point of the list's client area falls in: the frozen first
  // column, which does not scroll sideways, or the rest.
  bool InFrozenPart(const wxPoint& client) const {
    wxWindow* frozen = GetFrozenColGridWindow();
    return frozen && client.x < frozen->GetRect().GetRight() + 1;
  }
  wxWindow* FrozenHeader() const { return m_colFrozenLabelWin; }

  // Where a point of the list's client area falls in the grid's unscrolled cell coordinates;
  // the cells start below the header.
  wxPoint CellAreaPoint(const wxPoint& client) const {
    bool frozen = InFrozenPart(client);
    wxWindow* part = frozen ? GetFrozenColGridWindow() : GetGridWindow();
    wxPoint point = CalcGridWindowUnscrolledPosition(client - part->GetPosition(), frozen ? m_frozenColGridWin : m_gridWin);
    return frozen ? point : point + wxPoint(FrozenWidth(), 0);
  }
  // The scrolling part's own coordinates start right of the frozen column.
  int FrozenWidth() const {
    int width = 0;
    for (int position = 0; position < GetNumberFrozenCols(); ++position) width += GetColSize(GetColAt(position));
    return width;
  }
  // The reverse: a point of the cell coordinates (of a cell in the column) in the list's client area.
  wxPoint ClientPointOfCell(const wxPoint& cell_point, int column) const {
    bool frozen = column < GetNumberFrozenCols() && m_frozenColGridWin;
    wxWindow* part = frozen ? GetFrozenColGridWindow() : GetGridWindow();
    wxPoint point = frozen ? cell_point : cell_point - wxPoint(FrozenWidth(), 0);
    return CalcGridWindowScrolledPosition(point, frozen ? m_frozenColGridWin : m_gridWin) + part->GetPosition();
  }

  // The first column stays in view while the others scroll sideways, as a spreadsheet's frozen
  // column does; its parts of the grid are made anew when it is frozen, and learn the mouse.
  void KeepFirstColumnFrozen() {
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

  int ItemAt(const wxPoint& client) const {
    if (!list_) return -1;
    wxPoint origin = (GetFrozenColGridWindow() ? GetFrozenColGridWindow() : GetGridWindow())->GetPosition();
    if (client.y < origin.y || client.x < origin.x) return -1;
    wxPoint logical = CellAreaPoint(client);
    if (logical.x >= TotalColumnsWidth()) return -1;
    int row = YToRow(logical.y);
    return row == wxNOT_FOUND || row >= list_->GetItemCount() ? -1 : row;
  }

  int TotalColumnsWidth() const {
    int total = 0;
    for (int col = 0; col < GetNumberCols(); ++col) total += GetColSize(col);
    return total;
  }

  RowLook LookOfRow(int row);
  RowLook LookOfCell(int row, int col, const RowLook& row_look);
  wxGridCellAttr* AttributeFor(const RowLook& look, bool check_column);

  // Observer
  void ColumnsInserted(int index, int count) override {
    wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_COLS_INSERTED, index, count);
    ProcessTableMessage(message);
    for (int col = index; col < index + count; ++col) SetColSize(col, std::max(list_->GetColumnWidth(col), 0));
    KeepFirstColumnFrozen();
    GetGridColLabelWindow()->Refresh();
  }
  void ColumnsDeleted(int index, int count) override {
    // Unfrozen first: the grid keeps its frozen parts only over columns that exist.
    if (GetNumberFrozenCols() > 0 && GetNumberCols() - count <= 1) FreezeTo(0, 0);
    wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_COLS_DELETED, index, count);
    ProcessTableMessage(message);
    KeepFirstColumnFrozen();
    GetGridColLabelWindow()->Refresh();
  }
  void ColumnChanged(int index) override {
    if (!syncing_widths_ && index < GetNumberCols()) {
      int width = std::max(list_->GetColumnWidth(index), 0);
      if (GetColSize(index) != width) SetColSize(index, width);
    }
    GetGridColLabelWindow()->Refresh();
  }
  void ItemsInserted(int index, int count) override {
    wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_ROWS_INSERTED, index, count);
    ProcessTableMessage(message);
    row_looks_.clear();
    if (!suspended_) FitFirstColumnSoon();
  }
  void ItemsDeleted(int index, int count) override {
    wxGridTableMessage message(GetTable(), wxGRIDTABLE_NOTIFY_ROWS_DELETED, index, count);
    ProcessTableMessage(message);
    row_looks_.clear();
    drag_row_ = -1;
  }
  void ItemsChanged(int) override {
    row_looks_.clear();
    if (suspended_ || refresh_pending_) return;
    // Many changes in a row become one repaint.
    refresh_pending_ = true;
    CallAfter([this] {
      refresh_pending_ = false;
      GetGridWindow()->Refresh();
    });
  }
  void UpdatesSuspended() override {
    suspended_ = true;
    BeginBatch();
  }
  void UpdatesResumed() override {
    suspended_ = false;
    EndBatch();
    row_looks_.clear();
    FitFirstColumnSoon();
    ForceRefresh();
  }
  void StoreDestroyed() override { list_ = nullptr; }

private:
  void ClearAttributes() {
    for (auto& entry : attributes_) entry.second->DecRef();
    attributes_.clear();
  }

  TtWin::LRESULT Notify(TtWin::NMHDR& header) { return TtWx::SendNotifyToParent(this, header); }

  // A point of one of the grid's parts (cells, header) in the list's client coordinates.
  TtWin::POINT ClientPoint(wxWindow* source, const wxPoint& position) const {
    wxPoint client = position + source->GetPosition();
    return TtWin::POINT{client.x, client.y};
  }

  void NotifyItem(TtWin::UINT code, int row, const TtWin::POINT& point) {
    TtWin::NMITEMACTIVATE notify;
    notify.hdr.code = code;
    notify.iItem = row;
    notify.ptAction = point;
    if (row >= 0 && list_) notify.lParam = list_->GetItemData(row);
    Notify(notify.hdr);
  }

  void NotifyStateChange(int row, TtWin::UINT old_state, TtWin::UINT new_state) {
    TtWin::NMLISTVIEW notify;
    notify.hdr.code = TtWin::LVN_ITEMCHANGED;
    notify.iItem = row;
    notify.uChanged = TtWin::LVIF_STATE;
    notify.uOldState = old_state;
    notify.uNewState = new_state;
    notify.lParam = list_->GetItemData(row);
    Notify(notify.hdr);
  }

  TtWin::UINT StateOf(int row) const {
    TtWin::UINT state = list_->IsItemSelected(row) ? TtWin::LVIS_SELECTED : 0;
    state |= (list_->IsItemChecked(row) ? 2u : 1u) << 12;
    return state;
  }

  // A selection made by the user: the clicked row alone, or added to the others with Ctrl in a
  // multiple-selection list; every item whose state changed is reported.
  void SelectByUser(int row, bool add) {
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

  void ToggleCheck(int row) {
    TtWin::UINT before = StateOf(row);
    list_->SetItemChecked(row, !list_->IsItemChecked(row));
    NotifyStateChange(row, before, StateOf(row));
  }

  void BindMouse(wxWindow* cells) {
    cells->Bind(wxEVT_LEFT_DOWN, [this, cells](wxMouseEvent& event) {
      event.Skip();
      if (!list_) return;
      TtWin::POINT point = ClientPoint(cells, event.GetPosition());
      int row = ItemAt(wxPoint(point.x, point.y));
      wxPoint logical = CellAreaPoint(wxPoint(point.x, point.y));
      if (row >= 0 && check_boxes_ && XToCol(logical.x) == 0 && logical.x - GetColLeft(0) < kCheckBoxSpace) {
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
      if (std::abs(point.x - drag_start_.x) < kDragThreshold && std::abs(point.y - drag_start_.y) < kDragThreshold) return;
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

  static constexpr int kNoNavigation = -2;

  // The row a navigation key moves the selection to; -1 when there is nowhere to go, and
  // kNoNavigation for other keys. The grid's own cursor is not used: moving it would select.
  int NavigationTarget(int key) const {
    int count = list_->GetItemCount();
    int current = list_->GetFirstSelectedItem();
    int page = std::max(GetGridWindow()->GetClientSize().GetHeight() / std::max(GetDefaultRowSize(), 1) - 1, 1);
    int target;
    switch (key) {
      case WXK_UP: target = current - 1; break;
      case WXK_DOWN: target = current + 1; break;
      case WXK_PAGEUP: target = current - page; break;
      case WXK_PAGEDOWN: target = current + page; break;
      case WXK_HOME: target = 0; break;
      case WXK_END: target = count - 1; break;
      default: return kNoNavigation;
    }
    if (count == 0) return -1;
    return std::clamp(target, 0, count - 1);
  }

  void BindKeys() {
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
      int target = NavigationTarget(key);
      if (target == kNoNavigation) return event.Skip();
      if (target >= 0) {
        SelectByUser(target, false);
        if (list_ && target < list_->GetItemCount()) list_->EnsureVisible(target);
      }
    });
  }

  void BindHeader(wxWindow* header) {
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
      if (std::abs(point.x - header_click_start_.x) >= kDragThreshold) return MoveColumnTo(column, point);
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
      int column = list_ ? list_->HitTestHeader(ClientPoint(header, event.GetPosition()), &flags) : -1;
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
      TtWindow::WindowProcedure(TtWx::ToHandle(this), TtWin::WM_NOTIFY, 0, reinterpret_cast<TtWin::LPARAM>(&notify));
    });
  }

  // A header item dropped on another one takes that item's place on screen; the frozen first
  // column neither moves nor lets anything in before it, and the indexes stay as they are.
  void MoveColumnTo(int column, TtWin::POINT drop) {
    if (!header_drag_drop_ || column < GetNumberFrozenCols()) return;
    TtWin::UINT flags = 0;
    int target = list_->HitTestHeader(drop, &flags);
    if (target < GetNumberFrozenCols() || target == column) return;
    SetColPos(column, GetColPos(target));
    ForceRefresh();
  }

  TtListView* list_;
  bool check_boxes_ = false;
  bool header_drag_drop_ = false;
  bool suspended_ = false;
  bool refresh_pending_ = false;
  bool syncing_widths_ = false;
  bool prepaint_asked_ = false;
  TtWin::LRESULT prepaint_answer_ = 0;
  std::unordered_map<int, RowLook> row_looks_;
  std::map<std::tuple<TtWin::COLORREF, TtWin::COLORREF, bool>, wxGridCellAttr*> attributes_;
  int drag_row_ = -1;
  TtWin::POINT drag_start_;
  int header_click_column_ = -1;
  TtWin::POINT header_click_start_;
  bool first_column_set_by_user_ = false;
  bool fit_pending_ = false;
  wxWindow* bound_frozen_cells_ = nullptr;
  wxWindow* bound_frozen_header_ = nullptr;
};

int ListTable::GetNumberRows() { return grid_.List() ? grid_.List()->GetItemCount() : 0; }

int ListTable::GetNumberCols() { return grid_.List() ? grid_.List()->GetColumnCount() : 0; }

wxString ListTable::GetValue(int row, int col) {
  TtListView* list = grid_.List();
  if (!list || row < 0 || col < 0 || row >= list->GetItemCount() || col >= list->GetColumnCount()) return wxString();
  const std::string& text = list->GetItemText(row, col);
  return text.empty() ? wxString() : TtWx::ToWxString(text);
}

wxString ListTable::GetColLabelValue(int col) {
  TtListView* list = grid_.List();
  if (!list || col < 0 || col >= list->GetColumnCount()) return wxString();
  return TtWx::ToWxString(list->GetColumnText(col));
}

wxGridCellAttr* ListTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind) {
  TtListView* list = grid_.List();
  if (!list || row < 0 || row >= list->GetItemCount()) return nullptr;
  RowLook look = grid_.LookOfRow(row);
  if (look.per_cell) look = grid_.LookOfCell(row, col, look);
  return grid_.AttributeFor(look, col == 0 && grid_.HasCheckBoxes());
}

RowLook ListGrid::LookOfRow(int row) {
  RowLook look;
  if (list_->IsItemSelected(row) || list_->IsItemDropHighlighted(row)) {
    look.text = TtWx::FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    look.back = TtWx::FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    return look;
  }
  auto cached = row_looks_.find(row);
  if (cached != row_looks_.end()) return cached->second;
  if (!prepaint_asked_) {
    prepaint_asked_ = true;
    TtWin::NMLVCUSTOMDRAW draw;
    draw.nmcd.hdr.code = TtWin::NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = TtWin::CDDS_PREPAINT;
    prepaint_answer_ = Notify(draw.nmcd.hdr);
  }
  if (list_ && (prepaint_answer_ & TtWin::CDRF_NOTIFYITEMDRAW) && row < list_->GetItemCount()) {
    TtWin::NMLVCUSTOMDRAW draw;
    draw.nmcd.hdr.code = TtWin::NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = TtWin::CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<std::uintptr_t>(row);
    draw.nmcd.lItemlParam = list_->GetItemData(row);
    TtWin::LRESULT answer = Notify(draw.nmcd.hdr);
    if (answer & TtWin::CDRF_NEWFONT) {
      look.text = draw.clrText;
      look.back = draw.clrTextBk;
    }
    look.per_cell = (answer & TtWin::CDRF_NOTIFYSUBITEMDRAW) != 0;
  }
  row_looks_[row] = look;
  return look;
}

// Asked for every cell that the grid paints, not kept: cells are few on screen, rows many.
RowLook ListGrid::LookOfCell(int row, int col, const RowLook& row_look) {
  TtWin::NMLVCUSTOMDRAW draw;
  draw.nmcd.hdr.code = TtWin::NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = TtWin::CDDS_ITEMPREPAINT | TtWin::CDDS_SUBITEM;
  draw.nmcd.dwItemSpec = static_cast<std::uintptr_t>(row);
  draw.nmcd.lItemlParam = list_->GetItemData(row);
  draw.iSubItem = col;
  draw.clrText = row_look.text;
  draw.clrTextBk = row_look.back;
  RowLook look = row_look;
  if (Notify(draw.nmcd.hdr) & TtWin::CDRF_NEWFONT) {
    look.text = draw.clrText;
    look.back = draw.clrTextBk;
  }
  return look;
}

wxGridCellAttr* ListGrid::AttributeFor(const RowLook& look, bool check_column) {
  if (look.text == TtWin::CLR_DEFAULT && look.back == TtWin::CLR_DEFAULT && !check_column) return nullptr;
  auto key = std::make_tuple(look.text, look.back, check_column);
  auto found = attributes_.find(key);
  if (found == attributes_.end()) {
    auto* attribute = new wxGridCellAttr;
    if (look.text != TtWin::CLR_DEFAULT) attribute->SetTextColour(TtWx::ToWxColour(look.text));
    if (look.back != TtWin::CLR_DEFAULT) attribute->SetBackgroundColour(TtWx::ToWxColour(look.back));
    if (check_column) attribute->SetRenderer(new CheckRenderer(*this));
    found = attributes_.emplace(key, attribute).first;
  }
  found->second->IncRef();
  return found->second;
}

void CheckRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
                         bool is_selected) {
  wxGridCellRenderer::Draw(grid, attr, dc, rect, row, col, is_selected);
  TtListView* list = grid_.List();
  bool checked = list && row < list->GetItemCount() && list->IsItemChecked(row);
  wxRect box(rect.x + 2, rect.y + (rect.height - kCheckBoxSize) / 2, kCheckBoxSize, kCheckBoxSize);
  wxRendererNative::Get().DrawCheckBox(&grid, dc, box, checked ? static_cast<int>(wxCONTROL_CHECKED) : 0);
  wxRect text_rect(rect);
  text_rect.x += kCheckBoxSpace;
  text_rect.width = std::max(text_rect.width - kCheckBoxSpace, 0);
  SetTextColoursAndFont(grid, attr, dc, is_selected);
  grid.DrawTextRectangle(dc, grid.GetCellValue(row, col), text_rect, wxALIGN_LEFT, wxALIGN_CENTRE);
}

// A number: digits with at most a sign in front and a decimal point, as the table writes counts,
// averages and differences.
bool TextRenderer::RightAligned(wxGrid& grid, const wxString& text) {
  auto* list_grid = dynamic_cast<ListGrid*>(&grid);
  if (!list_grid || !list_grid->List() || !list_grid->List()->RightAlignsNumbers()) return false;
  size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  bool digits = false;
  for (size_t i = start; i < text.length(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if (text[i] != '.' && text[i] != '%') {
      return false;
    }
  }
  return digits;
}

ListGrid* GridOf(const TtListView& list) {
  return list.GetHandle() ? dynamic_cast<ListGrid*>(TtWx::ToWx(list.GetHandle())) : nullptr;
}

}  // namespace

wxWindow* TtWxInternal::CreateListView(TtListView& list, wxWindow* parent, int id, TtWin::DWORD style,
                                       TtWin::DWORD extended_style) {
  long wx_style = wxWANTS_CHARS | ((extended_style & TtWin::WS_EX_CLIENTEDGE) ? wxBORDER_THEME : wxBORDER_NONE);
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
  if (point.y < origin.y || point.y >= origin.y + header->GetSize().GetHeight() || point.x < origin.x) return -1;
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
  return TtWin::RECT{top_left.x, top_left.y, top_left.x + grid->TotalColumnsWidth(), top_left.y + cell.GetHeight()};
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
