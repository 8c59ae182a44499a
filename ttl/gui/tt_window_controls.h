#pragma once
// The controls: static texts, buttons, check boxes, edits, list boxes and the status bar. Each
// is a window type with its style bits; variants add bits with TtWindowWithStyle. Controls are
// created hidden and shown explicitly, except the status bar. Their notifications reach the
// parent as WM_COMMAND (identifier, code, control handle).
#include <string>
#include <vector>

#include "ttl/gui/tt_window.h"

// Left-aligned text that wraps at word boundaries.
class TtStatic : public BasedOnTtWindow<0, 0, TtWindowClassName::Static> {};
// One line, cut at a word boundary with an ellipsis when it does not fit.
using TtStaticWithEllipsis = TtWindowWithStyle<TtStatic, TtWin::SS_WORDELLIPSIS>;
// Wrapping text in a sunken frame.
using TtStaticSunken = TtWindowWithStyle<TtStatic, TtWin::SS_SUNKEN>;
using TtStaticRight = TtWindowWithStyle<TtStatic, TtWin::SS_RIGHT>;

// A push button: a click sends WM_COMMAND with BN_CLICKED.
class TtButton : public BasedOnTtWindow<TtWin::WS_TABSTOP, 0, TtWindowClassName::Button> {};
// A push button whose text may hold line breaks.
using TtMultiLineButton = TtWindowWithStyle<TtButton, TtWin::BS_MULTILINE>;

// An automatic check box: a click toggles it and sends WM_COMMAND with BN_CLICKED.
class TtButtonWithCheck : public TtWindowWithStyle<TtButton, TtWin::BS_AUTOCHECKBOX> {
public:
  bool GetCheck() const;
  void SetCheck(bool checked);
};

// A one-line edit; every change of its text sends WM_COMMAND with EN_CHANGE.
class TtEdit : public BasedOnTtWindow<TtWin::WS_TABSTOP | TtWin::ES_AUTOHSCROLL,
                                      TtWin::WS_EX_CLIENTEDGE, TtWindowClassName::Edit> {};
// Accepts only digits as typed input (a pasted text is taken as it is, like the platform's).
using TtNumberEdit = TtWindowWithStyle<TtEdit, TtWin::ES_NUMBER>;

// A list of texts; a change of selection sends WM_COMMAND with LBN_SELCHANGE, a double click
// LBN_DBLCLK.
class TtListBox : public BasedOnTtWindow<TtWin::WS_TABSTOP | TtWin::LBS_NOTIFY,
                                         TtWin::WS_EX_CLIENTEDGE, TtWindowClassName::ListBox> {
public:
  // Both return the index of the new item.
  int AddString(const std::string& text);
  int InsertString(int index, const std::string& text);
  void DeleteString(int index);
  void Clear();
  int GetCount() const;
  std::string GetString(int index) const;
  // Single selection: the selected index or -1; setting -1 clears the selection.
  int GetCurrentSelection() const;
  void SetCurrentSelection(int index);
  // Multiple selection: the state of one item.
  bool GetSelected(int index) const;
  void SetSelected(int index, bool selected);
  // The widget set sizes rows by its font; the height is kept for callers that read it back.
  void SetItemHeight(int height);
  int GetItemHeight() const;

private:
  int item_height_ = 16;
};
// Clicking an item toggles its selection.
using TtListBoxMultiSelect = TtWindowWithStyle<TtListBox, TtWin::LBS_MULTIPLESEL>;

// The status bar: visible, with a size grip, along the bottom of its parent. Sending it WM_SIZE
// (as a parent does from its own size handler) places it along the parent's bottom edge.
class TtStatusBar : public BasedOnTtWindow<0x10000103, 0, TtWindowClassName::StatusBar> {
public:
  // The right edge of each part in pixels; -1 runs to the end of the bar.
  void SetParts(const std::vector<int>& right_edges);
  void SetPartText(int part, const std::string& text);
  std::string GetPartText(int part) const;
  int GetPartCount() const;
  // The fixed height the bar keeps (so a layout can leave room for it).
  static int Height();
};
