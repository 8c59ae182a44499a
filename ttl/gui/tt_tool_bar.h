#pragma once
// The toolbar: buttons with pictures from an image list, separators, and whole-button
// drop-downs. A button's text is its tooltip. A click sends WM_COMMAND (identifier, 0, toolbar)
// to the parent; a click on a whole-button drop-down sends WM_NOTIFY with TBN_DROPDOWN
// (NMTOOLBAR, iItem = the button's identifier) instead, and the parent opens the menu.
#include <cstdint>
#include <string>
#include <vector>

#include "ttl/gui/tt_window.h"

class TtImageList;

class TtToolBar : public BasedOnTtWindow<TtWin::WS_TABSTOP, TtWin::WS_EX_CLIENTEDGE,
                                         TtWindowClassName::ToolBar> {
public:
  struct Button {
    int image = -1;
    int id = 0;
    std::uint8_t state = TtWin::TBSTATE_ENABLED;
    std::uint8_t style = TtWin::BTNS_BUTTON;
    std::string text;
  };

  // The list must live as long as the toolbar shows its pictures.
  void SetImageList(const TtImageList* image_list);
  void SetBitmapSize(int width, int height);
  void SetToolBarExtendedStyle(TtWin::DWORD style) { toolbar_extended_style_ = style; }
  TtWin::DWORD GetToolBarExtendedStyle() const { return toolbar_extended_style_; }

  void AddButtons(const std::vector<Button>& buttons);
  void AddButton(const Button& button) { AddButtons({button}); }
  void AddSeparator();
  void DeleteButton(int index);
  int GetButtonCount() const { return static_cast<int>(buttons_.size()); }
  const Button& GetButton(int index) const;
  // Position of the button with the identifier, or -1.
  int FindButton(int id) const;
  void SetButtonCommand(int index, int id);
  void SetButtonChecked(int id, bool checked);
  bool IsButtonChecked(int id) const;
  void SetButtonEnabled(int id, bool enabled);
  bool IsButtonEnabled(int id) const;
  void SetButtonPressed(int id, bool pressed);
  // The button's rectangle in the toolbar's client coordinates.
  TtWin::RECT GetButtonRectangle(int id) const;

  // What a click on the button does, as the widget reports it: the command, or the drop-down.
  void Click(int id);

  const TtImageList* GetImageList() const { return image_list_; }

private:
  Button& ButtonById(int id, const char* call);
  const Button& ButtonById(int id, const char* call) const;
  void Rebuild();

  std::vector<Button> buttons_;
  const TtImageList* image_list_ = nullptr;
  int bitmap_width_ = 16;
  int bitmap_height_ = 15;
  TtWin::DWORD toolbar_extended_style_ = 0;
};

// Flat, list style, with tooltips.
using TtFlatToolBar = TtWindowWithStyle<TtToolBar, TtWin::TBSTYLE_TOOLTIPS | TtWin::TBSTYLE_FLAT |
                                                       TtWin::TBSTYLE_LIST>;
