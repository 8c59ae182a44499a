#include "ui/select_list_dialog.h"

#include <algorithm>

#include "model/deck.h"

namespace Tarvane {

SelectListDialog::SelectListDialog(const std::vector<std::shared_ptr<Deck>>& decks) : decks_(decks) {}

bool SelectListDialog::CreatedInternal() {
  SetText(title_.empty() ? std::string(kDefaultTitle) : title_);
  CreateChild(label_).SetText("表示するデッキリストファイルのリスト");
  CreateChild(list_);
  CreateChild(select_all_, kSelectAllId).SetText("全て選択する");
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(550, 450);
  SetCenterRelativeToParent();

  list_.SetItemHeight(16);
  for (const std::shared_ptr<Deck>& deck : decks_) list_.AddString(deck->path());

  RegisterCommandHandler(kSelectAllId, [this](int, TtWin::HWND) {
    SelectAll();
    return Handled();
  });
  return true;
}

// The select-all button overlaps the right end of the label row; the label lies under it.
void SelectListDialog::Layout(int width, int height) {
  label_.SetPositionSize(4, 4, width - 4, 16);
  select_all_.SetPositionSize(width - 94, 2, 88, 21);
  list_.SetPositionSize(2, 24, width - 4, height - 60);
  LayoutOkCancelButtons(width, height);
}

void SelectListDialog::SelectAll() {
  for (int index = 0; index < list_.GetCount(); ++index) list_.SetSelected(index, true);
}

void SelectListDialog::Accept() {
  selected_decks_.clear();
  selected_positions_.clear();
  int count = std::min(list_.GetCount(), static_cast<int>(decks_.size()));
  for (int index = 0; index < count; ++index) {
    if (!list_.GetSelected(index)) continue;
    selected_decks_.push_back(decks_[index]);
    selected_positions_.push_back(index);
  }
  TtDialog::Accept();
}

}  // namespace Tarvane
