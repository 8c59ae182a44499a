#include "ui/select_list_dialog.h"

#include <algorithm>
#include <initializer_list>

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
  label_.Create({this});
  ListBox().Create({this});
  select_all_.Create({this, kSelectAllId});
  ok_.Create({this, kOkId});
  cancel_.Create({this, kCancelId});

  SetSize(550, 450);
  SetCenterRelativeToParent();
  RegisterSizeHandler([this](int, int width, int height) {
    Layout(width, height);
    return Handled();
  });

  label_.SetText("表示するデッキリストファイルのリスト");
  select_all_.SetText("全て選択する");
  ok_.SetText("OK");
  cancel_.SetText("キャンセル");

  ListBox().SetItemHeight(16);
  for (const std::shared_ptr<Deck>& deck : decks_) ListBox().AddString(deck->path());

  RegisterCommandHandler(kSelectAllId, [this](int, TtWin::HWND) {
    SelectAll();
    return Handled();
  });
  RegisterCommandHandler(kOkId, [this](int, TtWin::HWND) {
    Accept();
    return Handled();
  });
  RegisterCommandHandler(kCancelId, [this](int, TtWin::HWND) {
    EndDialog(0);
    return Handled();
  });

  for (TtWindow* control : std::initializer_list<TtWindow*>{&label_, &ListBox(), &ok_, &cancel_}) {
    control->Show();
  }
  if (choice_ == Choice::Multiple) select_all_.Show();
  return true;
}

// The select-all button overlaps the right end of the label row; the label lies under it.
void SelectListDialog::Layout(int width, int height) {
  label_.SetPositionSize(4, 4, width - 4, 16);
  select_all_.SetPositionSize(width - 94, 2, 88, 21);
  ListBox().SetPositionSize(2, 24, width - 4, height - 60);
  ok_.SetPositionSize(width - 194, height - 26, 88, 21);
  cancel_.SetPositionSize(width - 94, height - 26, 88, 21);
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
  EndDialog(1);
}

}  // namespace Tarvane
