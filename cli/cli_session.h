#pragma once
// The program without its window: the data side, the two script menus and the table over a list
// store, brought up in the order the main window uses, and the tool's actions on them.
#include <memory>
#include <string>

#include "cli/cli_console.h"
#include "cli/cli_options.h"
#include "script/squirrel_vm.h"
#include "table/analysis_table.h"
#include "table/script_item_menu.h"
#include "ttl/core/tt_list_view_store.h"
#include "ttl/core/tt_menu.h"

namespace Tarvane {

class CliSession {
public:
  // The data-side start-up, then the special-column and sort menus, then Reset. Throws what the
  // start-up throws.
  explicit CliSession(CliConsole& console);

  // Runs one action as the main window's command would. A label, name or index the table does
  // not have is a CliUsageError.
  void Run(const CliAction& action);

  // Every --column and --sort label of the actions names a menu item, else a CliUsageError for
  // the first that does not; the menus are fixed after the start-up, so this holds for the run.
  void CheckMenuLabels(const std::vector<CliAction>& actions) const;

  AnalysisTable& GetTable() { return table_; }
  // Reads the archetype rule folder (empty: none) and says on standard error what it loaded.
  void SetArchetypeRules(const std::string& folder);

private:
  void SelectDecks(const CliAction& action);
  void AddSpecialColumn(const CliAction& action);
  void SortByMenuItem(const CliAction& action);
  void SetSpecialEntry(const CliAction& action);
  void WriteTable(const CliAction& action, const std::string& separator);
  // An index of an existing column or row, else a CliUsageError.
  int ExistingColumn(const CliAction& action, int first_allowed) const;
  int ExistingRow(const CliAction& action) const;
  std::string MenusListing();
  std::string ArchetypesListing();

  CliConsole& console_;
  // The script host first: it must outlive every script value that the menus and table hold.
  SquirrelVM script_host_;
  TtListViewStore list_;
  TtSubMenuCommand special_column_menu_;
  TtSubMenuCommand sort_menu_;
  ScriptItemMenu special_column_items_;
  ScriptItemMenu sort_items_;
  AnalysisTable table_;
};

}  // namespace Tarvane
