// The table as a whole: the guard, reset, refresh, rows and cells, and the settings that reach
// the table. Columns, decks and sorting follow in their own files.
#include "table/analysis_table.h"

#include <algorithm>
#include <cmath>

#include "model/archetype/archetype_classifier.h"
#include "model/board_type.h"
#include "model/deck.h"
#include "table/cell_shading.h"
#include "table/cell_text.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

std::string ScriptErrorCaption() {
  return TtLanguage::Text("Script error", "拡張スクリプトのエラー");
}
std::string ScriptErrorText() {
  return TtLanguage::Text("A script had an error.", "拡張スクリプトでエラーがありました。");
}

}  // namespace

AnalysisTable::AnalysisTable(SquirrelVM& script_host, TtListViewStore& list,
                             StatusBarTexts& status_bar)
    : script_host_(script_host), list_(list), status_bar_(status_bar) {}

AnalysisTable::~AnalysisTable() = default;

bool AnalysisTable::RunGuarded(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const TtSquirrel::Exception& error) {
    ShowScriptError(error);
    return false;
  }
}

void AnalysisTable::ShowScriptError(const TtSquirrel::Exception& error) {
  std::string text = ScriptErrorText();
  std::string message = error.GetMessageText();
  if (!message.empty()) {
    text += "\r\n\r\n" + message;
  }
  script_host_.GetMessageReporter().ShowMessage(text, ScriptErrorCaption(), MessageButtons::Ok,
                                                MessageIcon::Error, true);
}

void AnalysisTable::Reset() {
  {
    TtListViewUpdateGuard updates(list_);
    list_.DeleteAllItems();
    list_.DeleteAllColumns();
  }
  DropAllDecks();
  script_host_.GetRows().clear();
  columns_.clear();
  // The old sorter may belong to a deck that is gone; if the first column's sorter cannot take
  // its place below, no sorter is better than one that reaches into a dropped deck.
  current_sorter_.reset();
  // A new table shows every row again.
  row_filter_ = RowFilter();
  SetStatusText(StatusBarTexts::kFilterPart, std::string());
  AddColumn(script_host_.GetFirstColumnProcessor(), nullptr);
  RunGuarded([this] { SortBy(script_host_.GetSorter(script_host_.GetFirstColumnProcessor())); });
  Refresh();
}

void AnalysisTable::Refresh() {
  RunGuarded([this] {
    TtListViewUpdateGuard updates(list_);
    RebuildRows();
    FillAllCells();
    Resort();
    SetStatusText(StatusBarTexts::kDeckCountPart,
                  DeckCountStatusText(script_host_.GetDecks().size()));
  });
  if (progress_) progress_->WorkEnded();
  NotifyChanged();
}

void AnalysisTable::RebuildRows() {
  TtListViewUpdateGuard updates(list_);
  // Items first: they point at the rows that the clear frees.
  list_.DeleteAllItems();
  script_host_.GetRows().clear();

  const int mode = script_host_.GetBoardDisplayMode();
  const bool use_mainboard = mode == Both || mode == MainboardOnly;
  const bool use_sideboard = mode == Both || mode == SideboardOnly;
  const bool use_hybrid = mode == Hybrid;

  // Only the set of names counts; the sort that follows a rebuild orders the rows.
  Board::Counts mainboard_names, sideboard_names, hybrid_names;
  for (const std::shared_ptr<Deck>& deck : script_host_.GetDecks()) {
    if (use_mainboard)
      mainboard_names.insert(deck->mainboard().cards().begin(), deck->mainboard().cards().end());
    if (use_sideboard)
      sideboard_names.insert(deck->sideboard().cards().begin(), deck->sideboard().cards().end());
    if (use_hybrid)
      hybrid_names.insert(deck->hybridboard().cards().begin(), deck->hybridboard().cards().end());
  }

  const RowFilterMatcher filter(row_filter_, script_host_.GetDecks());
  if (mode != SideboardOnly) {
    if (use_hybrid) {
      AppendEntries(hybrid_names, BoardType::Hybrid, filter);
    } else {
      AppendEntries(mainboard_names, BoardType::Mainboard, filter);
    }
    AppendSpecialEntries(BoardType::Mainboard, filter);
  }
  if (use_sideboard) {
    AppendEntries(sideboard_names, BoardType::Sideboard, filter);
    AppendSpecialEntries(BoardType::Sideboard, filter);
  }
}

void AnalysisTable::AppendEntries(const Board::Counts& names, int board_type,
                                  const RowFilterMatcher& filter) {
  CardDatabase& card_database = script_host_.GetCardDatabase();
  for (const auto& name_and_count : names) {
    const Card& card = card_database.fetch(name_and_count.first);
    AppendRow(script_host_.CreateEntry(card, board_type), filter);
  }
}

void AnalysisTable::AppendSpecialEntries(int board_type, const RowFilterMatcher& filter) {
  for (const std::shared_ptr<SpecialEntry>& special_entry : script_host_.GetSpecialEntries()) {
    if (special_entry->board_type() == board_type && special_entry->use()) {
      AppendRow(special_entry, filter);
    }
  }
}

// Rows that the filter hides stay in the rows list, which the scripts see whole.
void AnalysisTable::AppendRow(const std::shared_ptr<Entry>& entry, const RowFilterMatcher& filter) {
  if (filter.Accepts(*entry)) list_.InsertItem(-1, reinterpret_cast<TtWin::LPARAM>(entry.get()));
  script_host_.GetRows().push_back(entry);
}

void AnalysisTable::FillAllCells() {
  TtListViewUpdateGuard updates(list_);
  const std::size_t count = list_.GetColumnCount();
  if (progress_) progress_->ColumnsFilled(0, count);
  for (std::size_t column = 0; column < count; ++column) {
    FillColumn(static_cast<int>(column));
    if (progress_) progress_->ColumnsFilled(column + 1, count);
  }
}

void AnalysisTable::FillColumn(int column) {
  TtListViewUpdateGuard updates(list_);
  ColumnInfo& info = ColumnAt(column);
  const bool if_zero_null_string = script_host_.GetSettings().IfZeroNullString;
  double largest_magnitude = 0;
  for (int item = 0; item < list_.GetItemCount(); ++item) {
    const Entry& entry = EntryAt(item);
    CellValue value = script_host_.ComputeCellValue(info.processor, entry);
    list_.SetItemText(item, column, CellText(value, if_zero_null_string));
    if (!entry.is_normal()) continue;
    if (value.kind() == CellValue::Kind::Integer) {
      largest_magnitude =
          std::max(largest_magnitude, std::fabs(static_cast<double>(value.integer())));
    } else if (value.kind() == CellValue::Kind::Float) {
      largest_magnitude = std::max(largest_magnitude, std::fabs(value.number()));
    }
  }
  info.largest_magnitude = largest_magnitude;
}

Entry& AnalysisTable::EntryAt(int item) const {
  return *reinterpret_cast<Entry*>(list_.GetItemData(item));
}

const ColumnInfo& AnalysisTable::ColumnAt(int column) const {
  return *reinterpret_cast<const ColumnInfo*>(list_.GetColumnData(column));
}

// The records belong to the columns list, which holds them as changeable objects.
ColumnInfo& AnalysisTable::ColumnAt(int column) {
  return *reinterpret_cast<ColumnInfo*>(list_.GetColumnData(column));
}

const Entry* AnalysisTable::GetRowEntry(int item) const {
  if (item < 0 || item >= list_.GetItemCount()) return nullptr;
  return &EntryAt(item);
}

int AnalysisTable::GetCellShade(int item, int column) const {
  if (item < 0 || item >= list_.GetItemCount() || column < 1 || column >= list_.GetColumnCount()) {
    return 0;
  }
  if (!EntryAt(item).is_normal()) return 0;
  const ColumnInfo* info = GetColumnInfo(column);
  return info ? ShadeStep(list_.GetItemText(item, column), info->largest_magnitude) : 0;
}

// A column being added is in the list before its record is attached; a repaint that comes in
// between sees no record and paints the column plain.
const ColumnInfo* AnalysisTable::GetColumnInfo(int column) const {
  if (column < 0 || column >= list_.GetColumnCount()) return nullptr;
  return reinterpret_cast<const ColumnInfo*>(list_.GetColumnData(column));
}

void AnalysisTable::SetBoardMode(int mode) {
  script_host_.SetBoardDisplayMode(mode);
  Refresh();
}

void AnalysisTable::SetRowFilter(const RowFilter& filter) {
  row_filter_ = filter;
  SetStatusText(StatusBarTexts::kFilterPart, RowFilterStatusText(row_filter_));
  Refresh();
}

void AnalysisTable::HideRow(int item) {
  if (item < 0 || item >= list_.GetItemCount()) return;
  list_.DeleteItem(item);
}

void AnalysisTable::SetSpecialEntriesShown(const std::vector<bool>& shown) {
  SquirrelVM::SpecialEntries& special_entries = script_host_.GetSpecialEntries();
  for (size_t i = 0; i < special_entries.size() && i < shown.size(); ++i) {
    special_entries[i]->set_use(shown[i]);
  }
  Refresh();
}

void AnalysisTable::ApplySettings() {
  RunGuarded([this] {
    // Nothing changes until the new processor has made and named itself, so a script mistake
    // leaves the first column as it was.
    TtSquirrel::Object processor =
        script_host_.CreateFirstColumnProcessor(script_host_.GetSettings().FirstColumnIsJapanese);
    std::string name = script_host_.GetName(processor);
    script_host_.SetFirstColumnProcessor(processor);
    if (list_.GetColumnCount() == 0) return;
    list_.SetColumnText(0, name);
    list_.SetColumnToolTip(0, name);
    auto info = std::make_shared<ColumnInfo>(ColumnInfo{processor, nullptr, nullptr, nullptr});
    // The list takes the new record before the old one goes.
    list_.SetColumnData(0, reinterpret_cast<TtWin::LPARAM>(info.get()));
    columns_[0] = info;
  });
}

}  // namespace Tarvane
