#include "ui/deck_name_dialog.h"

namespace Tarvane {

bool DeckNameDialog::CreatedInternal() {
  SetText("クリップボードからデッキを作成");
  CreateChild(label_).SetText("デッキの名前 (ファイル名にもなります)");
  CreateChild(edit_).SetText(name_);
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(360, 120);
  SetCenterRelativeToParent();
  edit_.SetFocus();
  return true;
}

void DeckNameDialog::Layout(int width, int height) {
  label_.SetPositionSize(8, 8, width - 16, 16);
  edit_.SetPositionSize(8, 28, width - 16, 24);
  LayoutOkCancelButtons(width, height);
}

void DeckNameDialog::Accept() {
  std::string name = edit_.GetText();
  size_t begin = name.find_first_not_of(" \t");
  // An empty name makes no file name; the dialog stays open.
  if (begin == std::string::npos) return;
  name_ = name.substr(begin, name.find_last_not_of(" \t") - begin + 1);
  TtDialog::Accept();
}

}  // namespace Tarvane
