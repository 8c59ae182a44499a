#pragma once
// Asks for the name of a deck made from the clipboard's text.
#include <string>

#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class DeckNameDialog : public TtDialog {
public:
  static constexpr int kOkId = 10001;
  static constexpr int kCancelId = 10002;

  // The name offered at first (CP932).
  explicit DeckNameDialog(std::string name) : name_(std::move(name)) {}

  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // After OK: the name as entered, without spaces at either end.
  const std::string& GetName() const { return name_; }

  TtEdit& GetNameEdit() { return edit_; }

private:
  void Layout(int width, int height) override;
  void Accept() override;

  std::string name_;
  TtStatic label_;
  TtEdit edit_;
};

}  // namespace Tarvane
