#pragma once
// Asks for a short text: the name of a card to find, or of a column to go to.
#include <string>

#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class TextQueryDialog : public TtDialog {
public:
  static constexpr int kOkId = 10001;
  static constexpr int kCancelId = 10002;

  // The text offered at first; typing goes on after it.
  TextQueryDialog(std::string title, std::string prompt, std::string text)
      : title_(std::move(title)), prompt_(std::move(prompt)), text_(std::move(text)) {}

  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  bool CreatedInternal() override;

  // After OK: the text as entered, without spaces at either end.
  const std::string& GetText() const { return text_; }
  TtEdit& GetEdit() { return edit_; }

private:
  void Layout(int width, int height) override;
  void Accept() override;

  std::string title_;
  std::string prompt_;
  std::string text_;
  TtStatic label_;
  TtEdit edit_;
};

}  // namespace Tarvane
