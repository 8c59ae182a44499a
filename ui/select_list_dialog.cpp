#include "ui/select_list_dialog.h"

#include <algorithm>

#include "model/deck.h"

namespace Tarvane {

SelectListDialog::SelectListDialog(const std::vector<std::shared_ptr<Deck>>& decks, Choice choice)
    : decks_(decks), choice_(choice) {}

TtListBox& SelectListDialog::ListBox() {
  if (choice_ == Choice::Single) return single_list_;
  return list_;
}

bool SelectListDialog::CreatedInternal() {
  SetText(title_.empty() ? std::string(kDefaultTitle) : title_);
  CreateChild(label_).SetText("表示するデッキリストファイルのリスト");
  CreateChild(ListBox(), kListId);
  CreateChild(select_all_, kSelectAllId).SetText("全て選択する");
  CreateOkCancelButtons(kOkId, kCancelId);
  // One deck at a time: there is nothing to select all of.
  if (choice_ == Choice::Single) select_all_.Hide();
  SetSize(550, 450);
  SetCenterRelativeToParent();

  ListBox().SetItemHeight(16);
  for (const std::shared_ptr<Deck>& deck : decks_) ListBox().AddString(deck->path());

  RegisterCommandHandler(kSelectAllId, [this](int, TtWin::HWND) {
    SelectAll();
    return Handled();
  });
  // A double click on an entry of a single choice is that choice, as OK after selecting it.
  RegisterCommandHandler(kListId, [this](int code, TtWin::HWND) {
    if (code != TtWin::LBN_DBLCLK || choice_ != Choice::Single) return NotHandled();
    if (ListBox().GetCurrentSelection() >= 0) Accept();
    return Handled();
  });
  return true;
}

// The select-all button overlaps the right end of the label row; the label lies under it.
void SelectListDialog::Layout(int width, int height) {
  label_.SetPositionSize(4, 4, width - 4, 16);
  select_all_.SetPositionSize(width - 94, 2, 88, 21);
  ListBox().SetPositionSize(2, 24, width - 4, height - 60);
  LayoutOkCancelButtons(width, height);
}

void SelectListDialog::SelectAll() {
  for (int index = 0; index < ListBox().GetCount(); ++index) ListBox().SetSelected(index, true);
}

void SelectListDialog::Accept() {
  selected_decks_.clear();
  selected_positions_.clear();
  int count = std::min(ListBox().GetCount(), static_cast<int>(decks_.size()));
  for (int index = 0; index < count; ++index) {
    if (!ListBox().GetSelected(index)) continue;
    selected_decks_.push_back(decks_[index]);
    selected_positions_.push_back(index);
  }
  TtDialog::Accept();
}

}  // namespace Tarvane
