#include "ui/version_dialog.h"

#include "ttl/core/tt_build_date.h"
#include "ttl/gui/tt_device_context.h"
#include "ui/main_icon.h"

namespace Tarvane {

VersionDialog::VersionDialog() : icon_(LoadMainIcon()) {}

std::string VersionDialog::BuildText(const std::string& compiler_date,
                                     const std::string& compiler_time) {
  return "Build at : " + TtUtility::ConvertBuildDate(compiler_date) + " " + compiler_time;
}

bool VersionDialog::CreatedInternal() {
  CreateChild(name_).SetText("Tarvane / タルヴェイン");
  CreateChild(version_).SetText(std::string("version ") + kVersion);
  // The date and time this file was compiled: the program's build.
  CreateChild(build_).SetText(BuildText(__DATE__, __TIME__));
  CreateChild(close_, kCloseId).SetText("閉");
  SetText("バージョン情報");
  SetSize(300, 100);

  // 閉 is the dialog's only answer: Enter gives it as Escape does.
  for (int id : {kCloseId, static_cast<int>(TtWin::IDOK)}) {
    RegisterCommandHandler(id, [this](int, TtWin::HWND) {
      SendMessage(TtWin::WM_CLOSE);
      return Handled();
    });
  }
  RegisterPaintHandler([this] {
    TtPaintDeviceContext paint(*this);
    paint.DrawIcon(10, 10, icon_);
    return Handled();
  });
  close_.SetFocus();
  SetCenterRelativeToParent();
  return true;
}

// The dialog keeps its size; the places are fixed.
void VersionDialog::Layout(int, int) {
  name_.SetPositionSize(60, 12, 180, 24);
  version_.SetPositionSize(60, 28, 100, 24);
  build_.SetPositionSize(60, 44, 200, 24);
  close_.SetPositionSize(230, 12, 40, 24);
}

}  // namespace Tarvane
