#include "ui/special_entry_dialog.h"

#include <algorithm>

#include "model/board_type.h"

namespace Tarvane {

SpecialEntryDialog::SpecialEntryDialog(std::vector<std::shared_ptr<SpecialEntry>>& special_entries)
    : special_entries_(special_entries) {}

const char* SpecialEntryDialog::BoardText(int board_type) {
  return board_type == BoardType::Mainboard ? "メインボード" : "サイドボード";
}

bool SpecialEntryDialog::CreatedInternal() {
  SetText("特殊項目の選択");
  list_ = std::make_unique<TtReportListView>();
  CreateChild(*list_);
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(320, 450);
  SetCenterRelativeToParent();

  list_->SetListExtendedStyle(TtWin::LVS_EX_CHECKBOXES | TtWin::LVS_EX_FULLROWSELECT |
                              TtWin::LVS_EX_GRIDLINES);
  list_->InsertColumn(0, "名前", 168);
  list_->InsertColumn(1, "ボード", 128);
  FillList();
  return true;
}

void SpecialEntryDialog::Layout(int width, int height) {
  list_->SetPositionSize(2, 4, width - 4, height - 40);
  LayoutOkCancelButtons(width, height);
}

void SpecialEntryDialog::FillList() {
  TtListViewUpdateGuard quiet(*list_);
  for (const std::shared_ptr<SpecialEntry>& entry : special_entries_) {
    int item = list_->InsertItem(-1);
    list_->SetItemChecked(item, entry->use());
    list_->SetItemText(item, 0, entry->card().name);
    list_->SetItemText(item, 1, BoardText(entry->board_type()));
  }
}

// Rows and special entries correspond by position; the user cannot reorder or remove rows.
void SpecialEntryDialog::Accept() {
  int count = std::min(list_->GetItemCount(), static_cast<int>(special_entries_.size()));
  for (int item = 0; item < count; ++item)
    special_entries_[item]->set_use(list_->IsItemChecked(item));
  TtDialog::Accept();
}

}  // namespace Tarvane
