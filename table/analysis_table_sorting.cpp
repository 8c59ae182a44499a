// Ordering the rows: sorting by a script sorter, the current sorter, and moving one row.
#include <vector>

#include "table/analysis_table.h"

namespace Tarvane {

bool AnalysisTable::SortBy(TtSquirrel::Object sorter,
                           const std::shared_ptr<const ColumnInfo>& from_column) {
  // `sorter` is a copy: it may be the current sorter's own object, which the sort replaces.
  const std::size_t rows = list_.GetItemCount();
  std::size_t comparisons = 0;
  if (progress_) progress_->RowsCompared(0, rows);
  const bool sorted = RunGuarded([&] {
    list_.SortItems([&](TtWin::LPARAM a, TtWin::LPARAM b) {
      // Often enough for the window to show the work, seldom enough to cost nothing.
      if (progress_ && ++comparisons % 1024 == 0) progress_->RowsCompared(comparisons, rows);
      return script_host_.CompareForSort(sorter, *reinterpret_cast<const Entry*>(a),
                                         *reinterpret_cast<const Entry*>(b));
    });
    current_sorter_ = std::make_shared<Sorter>(sorter);
    current_sorter_column_ = from_column;
    SetStatusText(StatusBarTexts::kSorterPart, SorterStatusText(script_host_.GetName(sorter)));
  });
  if (progress_) progress_->WorkEnded();
  return sorted;
}

void AnalysisTable::Resort() {
  if (current_sorter_ && SortBy(current_sorter_->object(), current_sorter_column_.lock())) return;
  SetStatusText(StatusBarTexts::kSorterPart, SorterStatusText(std::string()));
}

void AnalysisTable::SortByColumn(int column) {
  if (!GetColumnInfo(column)) return;
  RunGuarded(
      [&] { SortBy(script_host_.GetSorter(ColumnAt(column).processor), columns_.at(column)); });
}

int AnalysisTable::GetCurrentSorterColumn() const {
  std::shared_ptr<const ColumnInfo> column = current_sorter_column_.lock();
  if (!current_sorter_ || !column) return -1;
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    if (columns_[index] == column) return static_cast<int>(index);
  }
  return -1;
}

void AnalysisTable::MoveRow(int from, int to) {
  // Read as unsigned, a drop on no row (-1) is past the end like any other index out of range.
  const unsigned count = static_cast<unsigned>(list_.GetItemCount());
  if (static_cast<unsigned>(from) >= count || static_cast<unsigned>(to) >= count || from == to) {
    return;
  }
  TtListViewUpdateGuard updates(list_);
  const TtWin::LPARAM data = list_.GetItemData(from);
  std::vector<std::string> texts;
  for (int column = 0; column < list_.GetColumnCount(); ++column) {
    texts.push_back(list_.GetItemText(from, column));
  }
  list_.InsertItem(to, data);
  for (int column = 0; column < list_.GetColumnCount(); ++column) {
    list_.SetItemText(to, column, texts[column]);
  }
  list_.DeleteItem(from > to ? from + 1 : from);
}

}  // namespace Tarvane
