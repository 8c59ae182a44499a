#pragma once
// The version dialog: the program icon, the program's name, its version and when it was built,
// with one button that closes it.
#include <string>

#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_icon.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class VersionDialog : public TtDialog {
public:
  static constexpr int kCloseId = 10001;
  // The project version from the build, so the dialog and the package never disagree.
  static constexpr char kVersion[] = TARVANE_VERSION;

  // Loads the program icon.
  VersionDialog();

  // Dialog frame and system menu; a tool window.
  TtWin::DWORD GetExtendedStyle() const override { return TtWin::WS_EX_TOOLWINDOW; }
  bool CreatedInternal() override;

  // "Build at : yyyy/MM/dd hh:mm:ss" from the compiler's date and time texts.
  static std::string BuildText(const std::string& compiler_date, const std::string& compiler_time);

  // The controls, for tests.
  TtStatic& GetNameText() { return name_; }
  TtStatic& GetVersionText() { return version_; }
  TtStatic& GetBuildText() { return build_; }
  TtButton& GetCloseButton() { return close_; }
  const TtIcon& GetIcon() const { return icon_; }

private:
  void Layout(int width, int height) override;

  TtIcon icon_;
  TtStatic name_;
  TtStatic version_;
  TtStatic build_;
  TtButton close_;
};

}  // namespace Tarvane
