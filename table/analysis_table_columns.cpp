// Columns of the analysis table: adding one for a processor, deleting, and the deck columns.
#include <map>

#include "model/deck.h"
#include "table/analysis_table.h"

namespace Tarvane {

namespace {

// The whole column name; for a deck column also its file and its header lines, in key order.
std::string ColumnToolTip(const std::string& name, const Deck* deck) {
  std::string text = name;
  if (!deck) return text;
  text += "\r\n" + deck->path();
  std::map<std::string, std::string> headers(deck->headers().begin(), deck->headers().end());
  for (const auto& [key, value] : headers) text += "\r\n#" + key + " " + value;
  return text;
}

}  // namespace

bool AnalysisTable::AddColumn(const TtSquirrel::Object& processor,
                              const std::shared_ptr<Deck>& deck) {
  const int column = list_.InsertColumn(list_.GetColumnCount(), std::string(), 0);
  bool added = RunGuarded([&] {
    list_.SetColumnText(column, script_host_.GetName(processor));
    list_.SetColumnToolTip(column, ColumnToolTip(list_.GetColumnText(column), deck.get()));
    auto info = std::make_shared<ColumnInfo>(ColumnInfo{processor, deck});
    columns_.push_back(info);
    list_.SetColumnData(column, reinterpret_cast<TtWin::LPARAM>(info.get()));
    list_.SetColumnWidth(column, script_host_.GetSettings().DefaultColumnWidth);
    FillColumn(column);
  });
  if (!added) {
    RemoveFailedColumn(column);
  }
  return added;
}

// A column whose set-up failed would be a column without its record, or with half its cells:
// it goes again, so list column i and element i of the columns list stay the same column.
void AnalysisTable::RemoveFailedColumn(int column) {
  if (static_cast<int>(columns_.size()) > column) {
    columns_.erase(columns_.begin() + column);
  }
  list_.DeleteColumn(column);
}

void AnalysisTable::DeleteColumn(int column) {
  // The store checks the index before anything changes.
  list_.GetColumnData(column);
  ForgetSorterOfColumn(column);
  columns_.erase(columns_.begin() + column);
  list_.DeleteColumn(column);
}

void AnalysisTable::ForgetSorterOfColumn(int column) {
  if (!current_sorter_) return;
  bool same = false;
  bool tested = RunGuarded([&] {
    same = script_host_.GetSorter(ColumnAt(column).processor) == current_sorter_->object();
  });
  // When a script mistake hides the column's sorter, it may still be the current one; the
  // column goes all the same, and so does the sorter rather than outlive its column.
  if (same || !tested) {
    current_sorter_.reset();
  }
}

void AnalysisTable::DeleteAllColumns() {
  TtListViewUpdateGuard updates(list_);
  while (list_.GetColumnCount() >= 2) {
    DeleteColumn(1);
  }
}

void AnalysisTable::AddAllDeckColumns() {
  TtListViewUpdateGuard updates(list_);
  // A copy, so that the loop does not depend on the list it reads staying as it is.
  const SquirrelVM::Decks decks = script_host_.GetDecks();
  for (const std::shared_ptr<Deck>& deck : decks) {
    AddColumn(deck->processor(), deck);
  }
}

void AnalysisTable::AddDeckColumns(const std::vector<int>& deck_positions) {
  TtListViewUpdateGuard updates(list_);
  const SquirrelVM::Decks decks = script_host_.GetDecks();
  for (int position : deck_positions) {
    if (position < 0 || position >= static_cast<int>(decks.size())) continue;
    AddColumn(decks[position]->processor(), decks[position]);
  }
}

bool AnalysisTable::AddSpecialColumn(const TtSquirrel::Object& processor) {
  return AddColumn(processor, nullptr);
}

}  // namespace Tarvane
