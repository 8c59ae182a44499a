#pragma once
// The analysis table: the rows (entries of the viewed boards, then the shown special entries)
// and the columns (processors) that the main window shows, and every operation that builds or
// changes them. The model lists live in the script host and the column records here; the list
// store holds one item per visible row and one column per table column, with plain references to
// their Entry and ColumnInfo as item and header data. Every operation changes both together, and
// none needs a window: the main window's list is a view of the same store, and its commands call
// these operations one to one.
//
// Script errors inside the guarded operations are shown in the script error box (through the
// script host's message reporter) and end only the action that raised them. Any other exception
// passes through to the caller.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/board.h"
#include "script/squirrel_vm.h"
#include "table/column_info.h"
#include "table/row_filter.h"
#include "table/sorter.h"
#include "table/status_bar_texts.h"
#include "table/work_progress.h"
#include "ttl/core/tt_list_view_store.h"

namespace Tarvane {

class ArchetypeClassifier;
class Deck;

class AnalysisTable {
public:
  // The table's column records, in list column order.
  using Columns = std::vector<std::shared_ptr<ColumnInfo>>;

  AnalysisTable(SquirrelVM& script_host, TtListViewStore& list, StatusBarTexts& status_bar);
  ~AnalysisTable();
  AnalysisTable(const AnalysisTable&) = delete;
  AnalysisTable& operator=(const AnalysisTable&) = delete;

  SquirrelVM& GetScriptHost() { return script_host_; }
  // Who hears how far long work has got; none by default.
  void SetWorkProgress(WorkProgress* progress) { progress_ = progress; }
  // Who hears that the decks, rows or columns have changed (after every refresh, and after
  // columns were added or deleted), for views of the table beside the list such as the charts;
  // none by default.
  void SetChangeListener(std::function<void()> listener) { change_listener_ = std::move(listener); }
  TtListViewStore& GetList() { return list_; }
  const TtListViewStore& GetList() const { return list_; }

  // Runs the action; a script error inside it is shown in the script error box and ends the
  // action there. Returns whether the action ran to its end.
  bool RunGuarded(const std::function<void()>& action);

  // The whole table.
  // Empties the table and the decks, adds the first column and sorts by its sorter, refreshes.
  void Reset();
  // Guarded: rebuilds the rows, fills every cell, sorts again, shows the deck count.
  void Refresh();
  // Rebuilds the rows list and the list items from the viewed boards and the shown special
  // entries. No cell text is set.
  void RebuildRows();
  void FillAllCells();
  void FillColumn(int column);

  // Columns.
  // Appends a column for the processor (and the deck of a deck column). Its set-up is guarded;
  // when it fails, the column is removed again. Returns whether the column was added.
  bool AddColumn(const TtSquirrel::Object& processor, const std::shared_ptr<Deck>& deck);
  // The same for a column record made by the caller (its processor and decks set).
  bool AddColumn(const ColumnInfo& column_info);
  // Removes the column (not 0). When its processor's sorter is the current sorter, the table
  // forgets the current sorter; the status bar keeps its text until the next sort.
  void DeleteColumn(int column);
  // Removes every column but the first.
  void DeleteAllColumns();
  // One column per loaded deck, in load order (全てのデッキをカラムに追加).
  void AddAllDeckColumns();
  // The deck selection dialog's OK: one column per selected deck, in the order given. Positions
  // are 0-based in load order; a position that names no loaded deck is passed over.
  void AddDeckColumns(const std::vector<int>& deck_positions);
  // A choice in the special-column menu: a column with that processor and no deck; for a leaf
  // with create_columns, a column for each processor that it returns. Guarded; stops at the first
  // column that fails. Returns whether every column was added.
  bool AddSpecialColumn(const TtSquirrel::Object& processor);
  // 差分カラムを追加: a column of the deck column's values minus those of the deck at the
  // position (0-based, load order). Nothing happens for a column that is no deck column or a
  // position that names no deck. Returns whether the column was added.
  bool AddDifferenceColumn(int deck_column, int deck_position);
  const Columns& GetColumns() const { return columns_; }
  // The decks of the deck columns, each once, in column order.
  std::vector<std::shared_ptr<Deck>> GetDecksShownAsColumns() const;
  // The record of a list column; null when the index names no column.
  const ColumnInfo* GetColumnInfo(int column) const;

  // Decks.
  // Loads each file as a deck and appends it; a file that cannot be read or is no deck list is
  // reported and skipped. Then refreshes. The same file may be loaded more than once.
  void AddDeckFiles(const std::vector<std::string>& paths);
  // The edit command: the decks become exactly these files, and the columns of the old decks
  // whose files are still listed come back in their old order with the special columns.
  void ReplaceDeckFiles(const std::vector<std::string>& paths);

  // Archetypes.
  // Reads the rule folder (empty: no rules, so that each deck's headers or file name name its
  // archetype), labels every loaded deck anew and refreshes. Returns what the reading has to
  // tell: a sentence per problem, then how many rules were loaded; nothing without a folder.
  std::vector<std::string> SetArchetypeRules(const std::string& folder);
  const std::string& GetArchetypeRuleFolder() const { return archetype_rule_folder_; }
  // Whether the folder gave rules that label the decks now.
  bool HasArchetypeRules() const { return classifier_ != nullptr; }
  // The archetype whose decks an archetype column counts; nullopt for another column or an
  // index that names none.
  std::optional<std::string> GetColumnArchetype(int column);

  // Rows and settings.
  // Stores the board display mode (0 to 3) and refreshes; the window moves its radio check.
  void SetBoardMode(int mode);
  // 一時的に非表示: removes the list item only; the next refresh shows the row again. An index
  // that names no item (-1 for no selection) does nothing.
  void HideRow(int item);
  // Shows only the card rows that pass the filter (an empty filter shows all), from now on and
  // after every refresh, and tells the filter in the status bar. Refreshes.
  void SetRowFilter(const RowFilter& filter);
  const RowFilter& GetRowFilter() const { return row_filter_; }
  // The entry of a list item; null when the index names no item.
  const Entry* GetRowEntry(int item) const;
  // How strongly the cell is shaded (ShadeStep, table/cell_shading.h): numeric cells of card
  // rows in every column but the first; 0 for any other cell or an index that names none.
  int GetCellShade(int item, int column) const;
  // The special entry dialog's OK: the shown flags in list order (flags beyond the list are
  // ignored, entries beyond the flags keep theirs), then a refresh.
  void SetSpecialEntriesShown(const std::vector<bool>& shown);
  // After the settings sheet has closed: a new first-column processor from the current
  // FirstColumnIsJapanese, and column 0's header and record for it. Guarded; a script error
  // keeps the old processor. No refresh follows.
  void ApplySettings();

  // Sorting.
  // Guarded: sorts the list's items with the sorter, makes it the current sorter and shows its
  // name. A failing comparison leaves the rows' order, the current sorter and the status text
  // as they were, and the result is false.
  // `from_column` is the column whose processor gave the sorter, if one did.
  bool SortBy(TtSquirrel::Object sorter,
              const std::shared_ptr<const ColumnInfo>& from_column = nullptr);
  // Sorts again with the current sorter, or shows that there is none. When the sort fails the
  // status shows no sorter, since the rows are in no sorter's order; the current sorter stays
  // for the next refresh.
  void Resort();
  // Guarded: sorts by the sorter of the column's processor (a header click, このカラムの並び替え).
  void SortByColumn(int column);
  // Moves list item `from` to just before item `to` (the drop target), texts and data with it.
  // Indices that name no item (a drop on no row arrives as -1) or equal indices do nothing.
  void MoveRow(int from, int to);
  // The current sorter; null until the first sort, and after its column has been deleted.
  const std::shared_ptr<Sorter>& GetCurrentSorter() const { return current_sorter_; }
  // The index of the column whose processor gave the current sorter; -1 for none.
  int GetCurrentSorterColumn() const;

private:
  void ShowScriptError(const TtSquirrel::Exception& error);
  // Every row joins the rows list; only a row that the filter accepts gets a list item.
  void AppendRow(const std::shared_ptr<Entry>& entry, const RowFilterMatcher& filter);
  void AppendEntries(const Board::Counts& names, int board_type, const RowFilterMatcher& filter);
  void AppendSpecialEntries(int board_type, const RowFilterMatcher& filter);
  Entry& EntryAt(int item) const;
  const ColumnInfo& ColumnAt(int column) const;
  ColumnInfo& ColumnAt(int column);
  void RemoveFailedColumn(int column);
  // Takes the deck list out of the script host and its script-side mirror.
  void DropAllDecks();
  // Loads one deck file as one guarded action, reporting file errors.
  void AddDeckFile(const std::string& path);
  void RecreateOldColumns(const Columns& old_columns);
  // The first new deck read from the same file as the old deck, or null.
  std::shared_ptr<Deck> NewDeckOf(const std::shared_ptr<Deck>& old_deck) const;
  // Forgets the current sorter when it is the sorter of the column's processor.
  void ForgetSorterOfColumn(int column);
  // Labels the loaded decks that have none yet, or every deck: by the rules, then by the
  // scripts' decide_archetype. A script error there is shown once and ends the scripts' say for
  // the rest of the decks; the rules' labels stay.
  void LabelDecks(bool every_deck);
  static std::string ColumnToolTip(const std::string& name, const Deck* deck);
  // After a relabelling: the deck columns' tooltips name the new archetypes.
  void UpdateDeckColumnToolTips();
  void SetStatusText(int part, const std::string& text) { status_bar_.SetStatusText(part, text); }
  void NotifyChanged() const {
    if (change_listener_) change_listener_();
  }

  SquirrelVM& script_host_;
  TtListViewStore& list_;
  StatusBarTexts& status_bar_;
  // Destroyed with the table, before the script host closes: the records hold script values.
  Columns columns_;
  std::shared_ptr<Sorter> current_sorter_;
  RowFilter row_filter_;
  WorkProgress* progress_ = nullptr;
  std::function<void()> change_listener_;
  // The column whose processor gave the current sorter; none for a sorter of the sort menu.
  std::weak_ptr<const ColumnInfo> current_sorter_column_;
  std::string archetype_rule_folder_;
  // Null without a rule folder.
  std::unique_ptr<ArchetypeClassifier> classifier_;
};

}  // namespace Tarvane
