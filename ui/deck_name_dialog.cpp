#include "ui/deck_name_dialog.h"

namespace Tarvane {

bool DeckNameDialog::CreatedInternal() {
  SetText("クリップボードからデッキを作成");
  label_.Create({this});
  edit_.Create({this});
  ok_.Create({this, kOkId});
  cancel_.Create({this, kCancelId});
  SetSize(360, 120);
  SetCenterRelativeToParent();
  label_.SetPositionSize(8, 8, 340, 16);
  edit_.SetPositionSize(8, 28, 336, 24);
  ok_.SetPositionSize(160, 60, 88, 21);
  cancel_.SetPositionSize(256, 60, 88, 21);
  label_.SetText("デッキの名前 (ファイル名にもなります)");
  edit_.SetText(name_);
  ok_.SetText("OK");
  cancel_.SetText("キャンセル");
  RegisterCommandHandler(kOkId, [this](int, TtWin::HWND) {
    std::string name = edit_.GetText();
    size_t begin = name.find_first_not_of(" \t");
    // An empty name makes no file name; the dialog stays open.
    if (begin == std::string::npos) return Handled();
    name_ = name.substr(begin, name.find_last_not_of(" \t") - begin + 1);
    EndDialog(1);
    return Handled();
  });
  RegisterCommandHandler(kCancelId, [this](int, TtWin::HWND) {
    EndDialog(0);
    return Handled();
  });
  label_.Show();
  edit_.Show();
  ok_.Show();
  cancel_.Show();
  edit_.SetFocus();
  return true;
}

}  // namespace Tarvane
