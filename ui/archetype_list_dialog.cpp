#include "ui/archetype_list_dialog.h"

#include <algorithm>

#include "model/archetype/archetype_classifier.h"
#include "model/deck.h"

namespace Tarvane {

ArchetypeListDialog::ArchetypeListDialog(const std::vector<std::shared_ptr<Deck>>& decks)
    : decks_(decks) {}

bool ArchetypeListDialog::CreatedInternal() {
  rows_.clear();
  sorted_column_ = -1;
  descending_ = false;
  for (const std::shared_ptr<Deck>& deck : decks_) {
    const ArchetypeLabel label = ArchetypeLabelOf(*deck);
    rows_.push_back({label.name, ArchetypeHowText(label.how), deck->path(), rows_.size()});
  }
  SetText("アーキタイプ一覧 (" + std::to_string(rows_.size()) + "デッキ)");
  list_ = std::make_unique<TtReportListView>();
  CreateChild(*list_, kListId);
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(640, 480);
  SetCenterRelativeToParent();

  list_->SetListExtendedStyle(TtWin::LVS_EX_FULLROWSELECT | TtWin::LVS_EX_GRIDLINES);
  list_->InsertColumn(kArchetypeColumn, "アーキタイプ", 220);
  list_->InsertColumn(kHowColumn, "決め方", 100);
  list_->InsertColumn(kFileColumn, "ファイル", 300);
  RegisterNotifyHandler(kListId, [this](TtWin::NMHDR* header) {
    if (header->code != TtWin::LVN_COLUMNCLICK) return NotHandled();
    SortByColumn(reinterpret_cast<TtWin::NMLISTVIEW*>(header)->iSubItem);
    return Handled();
  });
  FillList();
  return true;
}

void ArchetypeListDialog::Layout(int width, int height) {
  list_->SetPositionSize(2, 4, width - 4, height - 40);
  LayoutOkCancelButtons(width, height);
}

const std::string& ArchetypeListDialog::TextOf(const Row& row, int column) {
  return column == kHowColumn ? row.how : column == kFileColumn ? row.file : row.archetype;
}

void ArchetypeListDialog::SortByColumn(int column) {
  if (column < kArchetypeColumn || column > kFileColumn) return;
  descending_ = column == sorted_column_ && !descending_;
  sorted_column_ = column;
  const bool descending = descending_;
  std::sort(rows_.begin(), rows_.end(), [column, descending](const Row& a, const Row& b) {
    const int order = TextOf(a, column).compare(TextOf(b, column));
    if (order != 0) return descending ? order > 0 : order < 0;
    return a.load_order < b.load_order;
  });
  if (list_) FillList();
}

void ArchetypeListDialog::FillList() {
  TtListViewUpdateGuard quiet(*list_);
  list_->DeleteAllItems();
  for (const Row& row : rows_) {
    const int item = list_->InsertItem(-1);
    list_->SetItemText(item, kArchetypeColumn, row.archetype);
    list_->SetItemText(item, kHowColumn, row.how);
    list_->SetItemText(item, kFileColumn, row.file);
  }
}

}  // namespace Tarvane
