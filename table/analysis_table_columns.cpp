// Columns of the analysis table: adding one for a processor, deleting, and the deck columns.
#include <algorithm>
#include <map>
#include <optional>

#include "model/archetype/archetype_classifier.h"
#include "model/deck.h"
#include "table/analysis_table.h"

namespace Tarvane {

// The whole column name; for a deck column also its file, its archetype and its header lines,
// in key order.
std::string AnalysisTable::ColumnToolTip(const std::string& name, const Deck* deck) {
  std::string text = name;
  if (!deck) return text;
  const ArchetypeLabel label = ArchetypeLabelOf(*deck);
  text += "\r\n" + deck->path();
  text += "\r\nアーキタイプ: " + label.name + " (" + ArchetypeHowText(label.how) + ")";
  std::map<std::string, std::string> headers(deck->headers().begin(), deck->headers().end());
  for (const auto& [key, value] : headers) text += "\r\n#" + key + " " + value;
  return text;
}

bool AnalysisTable::AddColumn(const TtSquirrel::Object& processor,
                              const std::shared_ptr<Deck>& deck) {
  return AddColumn(ColumnInfo{processor, deck, nullptr, nullptr});
}

bool AnalysisTable::AddColumn(const ColumnInfo& column_info) {
  // The record is attached before the script is asked anything, so that the column is whole
  // for every later step; the largest value stays 0 (nothing shaded) until the cells are filled.
  auto info = std::make_shared<ColumnInfo>(column_info);
  info->largest_magnitude = 0;
  const int column = list_.InsertColumn(list_.GetColumnCount(), std::string(), 0);
  columns_.push_back(info);
  list_.SetColumnData(column, reinterpret_cast<TtWin::LPARAM>(info.get()));
  bool added = RunGuarded([&] {
    list_.SetColumnText(column, script_host_.GetName(column_info.processor));
    list_.SetColumnToolTip(column,
                           ColumnToolTip(list_.GetColumnText(column), column_info.deck.get()));
    list_.SetColumnWidth(column, script_host_.GetSettings().DefaultColumnWidth);
    FillColumn(column);
  });
  if (!added) {
    RemoveFailedColumn(column);
  }
  NotifyChanged();
  return added;
}

// A column whose set-up failed would be a column without its record, or with half its cells:
// it goes again, so list column i and element i of the columns list stay the same column.
void AnalysisTable::RemoveFailedColumn(int column) {
  // The list lets go of the record before the record goes.
  list_.DeleteColumn(column);
  if (static_cast<int>(columns_.size()) > column) {
    columns_.erase(columns_.begin() + column);
  }
}

void AnalysisTable::DeleteColumn(int column) {
  // The store checks the index before anything changes.
  list_.GetColumnData(column);
  ForgetSorterOfColumn(column);
  // The list lets go of the record before the record goes, so that no repaint reads it freed.
  list_.DeleteColumn(column);
  columns_.erase(columns_.begin() + column);
  NotifyChanged();
}

void AnalysisTable::ForgetSorterOfColumn(int column) {
  if (!current_sorter_) return;
  // A sort by this column is forgotten without asking the script again; any other sorter only
  // when the column's processor names it, and a script mistake there keeps it.
  bool same = current_sorter_column_.lock() == columns_.at(column);
  if (!same) {
    RunGuarded([&] {
      same = script_host_.GetSorter(ColumnAt(column).processor) == current_sorter_->object();
    });
  }
  if (same) {
    current_sorter_.reset();
    current_sorter_column_.reset();
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

std::vector<std::shared_ptr<Deck>> AnalysisTable::GetDecksShownAsColumns() const {
  std::vector<std::shared_ptr<Deck>> decks;
  for (const std::shared_ptr<ColumnInfo>& column : columns_) {
    if (column->deck && std::find(decks.begin(), decks.end(), column->deck) == decks.end()) {
      decks.push_back(column->deck);
    }
  }
  return decks;
}

bool AnalysisTable::AddSpecialColumn(const TtSquirrel::Object& processor) {
  std::optional<std::vector<TtSquirrel::Object>> processors;
  if (!RunGuarded([&] { processors = script_host_.CreateColumns(processor); })) return false;
  if (!processors) return AddColumn(processor, nullptr);
  TtListViewUpdateGuard updates(list_);
  for (const TtSquirrel::Object& column_processor : *processors) {
    // One script error box is enough: the remaining columns would most likely fail alike.
    if (!AddColumn(column_processor, nullptr)) return false;
  }
  return true;
}

bool AnalysisTable::AddDifferenceColumn(int deck_column, int deck_position) {
  const ColumnInfo* first = GetColumnInfo(deck_column);
  const SquirrelVM::Decks& decks = script_host_.GetDecks();
  if (!first || !first->deck || deck_position < 0 ||
      deck_position >= static_cast<int>(decks.size())) {
    return false;
  }
  ColumnInfo difference{TtSquirrel::Object(), nullptr, first->deck, decks[deck_position]};
  if (!RunGuarded([&] {
        difference.processor = script_host_.CreateDifferenceProcessor(
            difference.first_deck->processor(), difference.second_deck->processor());
      })) {
    return false;
  }
  return AddColumn(difference);
}

}  // namespace Tarvane
