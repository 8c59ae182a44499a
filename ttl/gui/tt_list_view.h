#pragma once
// The report list: a window whose contents are a TtListViewStore. The list is the store (so
// table code takes a TtListViewStore& and runs the same with or without a window); on screen
// it is a grid that asks the store for the visible cells only, so a table of thousands of rows
// and hundreds of columns scrolls without delay.
//
// Notifications to the parent (WM_NOTIFY, idFrom = the list's identifier): NM_CUSTOMDRAW
// (NMLVCUSTOMDRAW: CDDS_PREPAINT once per paint, and CDDS_ITEMPREPAINT per row when the answer
// asked for CDRF_NOTIFYITEMDRAW; set clrText / clrTextBk and answer CDRF_NEWFONT; a row answer
// of CDRF_NOTIFYSUBITEMDRAW asks again per painted cell with CDDS_SUBITEM and iSubItem), NM_CLICK,
// NM_RCLICK, NM_DBLCLK and LVN_ITEMACTIVATE (NMITEMACTIVATE), LVN_COLUMNCLICK and LVN_BEGINDRAG
// (NMLISTVIEW), LVN_ITEMCHANGED when the user changes a selection or a tick. A right click on
// the header goes to the list itself as WM_NOTIFY with idFrom 0 and code NM_RCLICK.
// Points are in the list's client coordinates: the header occupies the top of the client area.
#include <functional>

#include "ttl/core/tt_list_view_store.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_window.h"

class TtListView : public BasedOnTtWindow<TtWin::WS_TABSTOP | TtWin::LVS_SHAREIMAGELISTS,
                                          TtWin::WS_EX_CLIENTEDGE, TtWindowClassName::ListView>,
                   public TtListViewStore {
public:
  TtListView();
  ~TtListView() override;

  // LVS_EX_CHECKBOXES, LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES, LVS_EX_HEADERDRAGDROP.
  void SetListExtendedStyle(TtWin::DWORD style);
  TtWin::DWORD GetListExtendedStyle() const { return list_extended_style_; }
  // Fits the first column to its texts whenever the list has been filled, until the user sets
  // its width (off by default: most lists keep the widths they were given).
  void SetFitsFirstColumn(bool fits) { fits_first_column_ = fits; }
  bool FitsFirstColumn() const { return fits_first_column_; }
  // Draws texts that are numbers against the right edge of their cells, so that digits line up
  // (off by default).
  void SetRightAlignsNumbers(bool right) { right_aligns_numbers_ = right; }
  bool RightAlignsNumbers() const { return right_aligns_numbers_; }

  // Runs the action with drawing switched off (WM_SETREDRAW false, then true).
  void ExecuteWithoutRedraw(const std::function<void()>& action);
  void EnsureVisible(int index);

  // The item under a point, or -1; flags receive LVHT_ONITEM or LVHT_NOWHERE.
  int HitTest(TtWin::POINT point, TtWin::UINT* flags = nullptr) const;
  // The column whose header lies under a point, or -1; flags receive HHT_ONHEADER,
  // HHT_ONDIVIDER (near a column's right edge) or HHT_NOWHERE.
  int HitTestHeader(TtWin::POINT point, TtWin::UINT* flags = nullptr) const;
  TtWin::HWND GetHeaderHandle() const;
  TtWin::RECT GetItemRectangle(int index) const;
  // The columns in their order on screen (the user may drag headers), as column indexes.
  std::vector<int> GetColumnOrder() const;
  // A picture of the item's row for dragging, and its upper-left corner in client coordinates.
  TtImageList CreateDragImage(int index, TtWin::POINT* upper_left) const;

private:
  TtWin::DWORD list_extended_style_ = 0;
  bool fits_first_column_ = false;
  bool right_aligns_numbers_ = false;
};

// The report list with single selection that always shows its selection.
using TtReportListView = TtWindowWithStyle<TtWindowWithStyle<TtListView, TtWin::LVS_REPORT>,
                                           TtWin::LVS_SINGLESEL | TtWin::LVS_SHOWSELALWAYS>;
