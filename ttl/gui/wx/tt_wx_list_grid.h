#pragma once
// The grid that shows a report list: shared by the backend's list view files only.
#include <wx/grid.h>

#include <map>
#include <tuple>
#include <unordered_map>

#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace TtWxInternal {

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
wxString FitToWidth(wxDC& dc, const wxString& text, int width);

// Draws a cell's text on one line from the left, ending in an ellipsis where the cell cuts it.
// The grid's own renderer measures every text before drawing it (for alignment and line
// breaks), which doubles the text layout work of a repaint; list cells need neither.
class TextRenderer : public wxGridCellStringRenderer {
public:
  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool is_selected) override;
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
  ListGrid(TtListView& list, wxWindow* parent, int id, long style);
  ~ListGrid() override;

  TtListView* List() const { return list_; }

  // A header's text ends in an ellipsis where the column cuts it, as a cell's does.
  void DrawColLabel(wxDC& dc, int col) override;

  // The width that shows every text of the column and its header whole.
  int ContentWidth(int col);
  void FitColumn(int col);

  // The card names are fitted once the table has been filled, until the user sets the width.
  void FitFirstColumnSoon();
  void ApplyExtendedStyle(TtWin::DWORD style);
  void ApplyFont(const wxFont& font);

  bool HasCheckBoxes() const { return check_boxes_; }

  void ResetLooks();

  // The part of the cell area a point of the list's client area falls in: the frozen first
  // column, which does not scroll sideways, or the rest.
  bool InFrozenPart(const wxPoint& client) const;
  wxWindow* FrozenHeader() const { return m_colFrozenLabelWin; }

  // Where a point of the list's client area falls in the grid's unscrolled cell coordinates;
  // the cells start below the header.
  wxPoint CellAreaPoint(const wxPoint& client) const;
  // The scrolling part's own coordinates start right of the frozen column.
  int FrozenWidth() const;
  // The reverse: a point of the cell coordinates (of a cell in the column) in the list's client
  // area.
  wxPoint ClientPointOfCell(const wxPoint& cell_point, int column) const;

  // The first column stays in view while the others scroll sideways, as a spreadsheet's frozen
  // column does; its parts of the grid are made anew when it is frozen, and learn the mouse.
  void KeepFirstColumnFrozen();
  int ItemAt(const wxPoint& client) const;
  int TotalColumnsWidth() const;
  RowLook LookOfRow(int row);
  RowLook LookOfCell(int row, int col, const RowLook& row_look);
  wxGridCellAttr* AttributeFor(const RowLook& look, bool check_column);

  // Observer
  void ColumnsInserted(int index, int count) override;
  void ColumnsDeleted(int index, int count) override;
  void ColumnChanged(int index) override;
  void ItemsInserted(int index, int count) override;
  void ItemsDeleted(int index, int count) override;
  void ItemsChanged(int) override;
  void UpdatesSuspended() override;
  void UpdatesResumed() override;
  void StoreDestroyed() override { list_ = nullptr; }

private:
  void ClearAttributes();

  TtWin::LRESULT Notify(TtWin::NMHDR& header) { return TtWx::SendNotifyToParent(this, header); }

  // A point of one of the grid's parts (cells, header) in the list's client coordinates.
  TtWin::POINT ClientPoint(wxWindow* source, const wxPoint& position) const;
  void NotifyItem(TtWin::UINT code, int row, const TtWin::POINT& point);
  void NotifyStateChange(int row, TtWin::UINT old_state, TtWin::UINT new_state);
  TtWin::UINT StateOf(int row) const;

  // A selection made by the user: the clicked row alone, or added to the others with Ctrl in a
  // multiple-selection list; every item whose state changed is reported.
  void SelectByUser(int row, bool add);
  void ToggleCheck(int row);
  void BindMouse(wxWindow* cells);
  static constexpr int kNoNavigation = -2;

  // The row a navigation key moves the selection to; -1 when there is nowhere to go, and
  // kNoNavigation for other keys. The grid's own cursor is not used: moving it would select.
  int NavigationTarget(int key) const;
  void BindKeys();
  // Tab: on to the next control of the parent (backwards with Shift), as from any list.
  void MoveFocusOn(bool forward);
  void BindHeader(wxWindow* header);

  // A header item dropped on another one takes that item's place on screen; the frozen first
  // column neither moves nor lets anything in before it, and the indexes stay as they are.
  void MoveColumnTo(int column, TtWin::POINT drop);
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

// The grid of a list view, or null while it has none.
ListGrid* GridOf(const TtListView& list);

}  // namespace TtWxInternal
