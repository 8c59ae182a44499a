#pragma once
// Message boxes centred on their owner.
#include <string>

#include "ttl/core/tt_win.h"

class TtWindow;

class TtMessageBox {
public:
  TtMessageBox() = default;
  TtMessageBox(std::string text, std::string caption, int button_set = TtWin::MB_OK, int icon = 0,
               int default_button = TtWin::MB_DEFBUTTON1)
      : text_(std::move(text)),
        caption_(std::move(caption)),
        button_set_(button_set),
        icon_(icon),
        default_button_(default_button) {}

  void SetText(const std::string& text) { text_ = text; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  // MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL.
  void SetButtonSet(int button_set) { button_set_ = button_set; }
  // MB_ICONERROR, MB_ICONWARNING, MB_ICONQUESTION, MB_ICONINFORMATION, or 0.
  void SetIcon(int icon) { icon_ = icon; }
  void SetDefaultButton(int default_button) { default_button_ = default_button; }
  const std::string& GetText() const { return text_; }
  const std::string& GetCaption() const { return caption_; }
  int GetButtonSet() const { return button_set_; }
  int GetIcon() const { return icon_; }
  int GetDefaultButton() const { return default_button_; }

  // Shows the box over the owner (null: no owner) and returns IDOK, IDCANCEL, IDYES or IDNO.
  // Without a display the text goes to standard error and the answer is the default button's.
  int Show(TtWindow* owner) const;

private:
  std::string text_;
  std::string caption_;
  int button_set_ = TtWin::MB_OK;
  int icon_ = 0;
  int default_button_ = TtWin::MB_DEFBUTTON1;
};
