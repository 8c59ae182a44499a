#include "cli/cli_session.h"

#include <functional>
#include <optional>

#include "chart/chart_files.h"
#include "model/deck.h"
#include "table/average_deck.h"
#include "table/table_export.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

using TtLanguage::Say;
using TtLanguage::Text;

struct MenuLeaf {
  TtMenu menu;
  int position;
};

// The leaf whose labels, from the top menu down and joined by "/", are the path; the first in
// menu order when several are. Matching whole paths lets a label hold "/" itself.
std::optional<MenuLeaf> FindMenuLeaf(const TtMenu& menu, const std::string& path,
                                     const std::string& prefix = "") {
  for (int position = 0; position < menu.GetItemCount(); ++position) {
    if (menu.IsSeparator(position)) continue;
    const std::string label = prefix + menu.GetItemText(position);
    if (menu.HasSubMenu(position)) {
      if (auto found = FindMenuLeaf(menu.GetSubMenu(position), path, label + "/")) return found;
    } else if (label == path) {
      return MenuLeaf{menu, position};
    }
  }
  return std::nullopt;
}

void ListMenu(const TtMenu& menu, const std::string& indent, std::string& listing) {
  for (int position = 0; position < menu.GetItemCount(); ++position) {
    if (menu.IsSeparator(position)) {
      listing += indent + "----\n";
    } else if (menu.HasSubMenu(position)) {
      listing += indent + menu.GetItemText(position) + "/\n";
      ListMenu(menu.GetSubMenu(position), indent + "  ", listing);
    } else {
      listing += indent + menu.GetItemText(position) + "\n";
    }
  }
}

std::string SpecialColumnMenuName() { return Say("special-column menu", "特殊カラムのメニュー"); }
std::string SortMenuName() { return Say("sort menu", "並び替えのメニュー"); }

// The leaf that the action's label names, else a CliUsageError naming the menu.
MenuLeaf LabelledLeaf(const TtMenu& menu, const std::string& menu_name, const CliAction& action) {
  std::optional<MenuLeaf> leaf = FindMenuLeaf(menu, action.texts[0]);
  if (!leaf) {
    throw CliUsageError(action.option + Say(": the ", ": ") + menu_name +
                        Say(" has no item \"", "に項目がありません \"") + action.written + "\"");
  }
  return *leaf;
}

std::string BoardText(int board_type) {
  return board_type == 0 ? Text("main deck", "メインボード") : Text("sideboard", "サイドボード");
}

}  // namespace

CliSession::CliSession(CliConsole& console)
    : console_(console),
      script_host_(console),
      special_column_items_(ScriptMenuList::Processors, special_column_menu_),
      sort_items_(ScriptMenuList::Sorters, sort_menu_),
      table_(script_host_, list_, console) {
  list_.SetSingleSelection(true);
  // As the main window does when it is created: the special-column menu, then the sort menu,
  // then an empty table.
  table_.RunGuarded([this] {
    script_host_.FillScriptMenu(ScriptMenuList::Processors, special_column_items_, nullptr);
  });
  table_.RunGuarded(
      [this] { script_host_.FillScriptMenu(ScriptMenuList::Sorters, sort_items_, nullptr); });
  table_.Reset();
}

void CliSession::Run(const CliAction& action) {
  using Kind = CliAction::Kind;
  switch (action.kind) {
    case Kind::AddDeckFiles:
      table_.AddDeckFiles(action.texts);
      return;
    case Kind::ReplaceDeckFiles:
      table_.ReplaceDeckFiles(action.texts);
      return;
    case Kind::Reset:
      table_.Reset();
      return;
    case Kind::BoardMode:
      table_.SetBoardMode(action.numbers[0]);
      return;
    case Kind::Refresh:
      table_.Refresh();
      return;
    case Kind::AllDecks:
      table_.AddAllDeckColumns();
      return;
    case Kind::SelectDecks:
      SelectDecks(action);
      return;
    case Kind::SpecialColumn:
      AddSpecialColumn(action);
      return;
    case Kind::SortMenu:
      SortByMenuItem(action);
      return;
    case Kind::SortColumn:
      table_.SortByColumn(ExistingColumn(action, 0));
      return;
    case Kind::DeleteColumn:
      table_.DeleteColumn(ExistingColumn(action, 1));
      return;
    case Kind::DeleteAllColumns:
      table_.DeleteAllColumns();
      return;
    case Kind::SpecialEntry:
      SetSpecialEntry(action);
      return;
    case Kind::HideRow:
      table_.HideRow(ExistingRow(action));
      return;
    case Kind::MoveRow:
      // As a drop: indices that name no row are ignored by the move itself.
      table_.MoveRow(action.numbers[0], action.numbers[1]);
      return;
    case Kind::Csv:
      WriteTable(action, ",");
      return;
    case Kind::Tsv:
      WriteTable(action, "\t");
      return;
    case Kind::Status:
      console_.WriteOutput(console_.GetStatusText(StatusBarTexts::kDeckCountPart) + "\n" +
                           console_.GetStatusText(StatusBarTexts::kSorterPart) + "\n");
      return;
    case Kind::Menus:
      console_.WriteOutput(MenusListing());
      return;
    case Kind::AverageDeck:
      if (action.archetype.empty()) {
        WriteAverageDeckFile(table_, action.texts[0], console_);
      } else {
        WriteArchetypeAverageDeckFile(table_, action.archetype, action.texts[0], console_);
      }
      return;
    case Kind::Archetypes:
      console_.WriteOutput(ArchetypesListing());
      return;
    case Kind::ChartPng:
    case Kind::ChartSvg:
      WriteChartFile(MakeChart(table_, action.chart),
                     action.kind == Kind::ChartPng ? ChartFileFormat::Png : ChartFileFormat::Svg,
                     action.chart_width, action.chart_height, action.texts[0], console_);
      return;
  }
}

void CliSession::SelectDecks(const CliAction& action) {
  const int deck_count = static_cast<int>(script_host_.GetDecks().size());
  std::vector<int> positions;
  for (int number : action.numbers) {
    if (number < 1 || number > deck_count) {
      throw CliUsageError(action.option + Say(": there is no deck ", ": デッキがありません ") +
                          std::to_string(number) + " (" + std::to_string(deck_count) +
                          Say(" loaded)", " 個読み込み済み)"));
    }
    positions.push_back(number - 1);
  }
  table_.AddDeckColumns(positions);
}

void CliSession::CheckMenuLabels(const std::vector<CliAction>& actions) const {
  for (const CliAction& action : actions) {
    if (action.kind == CliAction::Kind::SpecialColumn) {
      LabelledLeaf(special_column_menu_, SpecialColumnMenuName(), action);
    } else if (action.kind == CliAction::Kind::SortMenu) {
      LabelledLeaf(sort_menu_, SortMenuName(), action);
    }
  }
}

void CliSession::AddSpecialColumn(const CliAction& action) {
  MenuLeaf leaf = LabelledLeaf(special_column_menu_, SpecialColumnMenuName(), action);
  table_.AddSpecialColumn(*ScriptItemMenu::ProcessorAt(leaf.menu, leaf.position));
}

void CliSession::SortByMenuItem(const CliAction& action) {
  MenuLeaf leaf = LabelledLeaf(sort_menu_, SortMenuName(), action);
  table_.SortBy(ScriptItemMenu::SorterAt(leaf.menu, leaf.position)->object());
}

// The special entry dialog's OK with one tick changed: the entry is found by the name the dialog
// shows, English or Japanese.
void CliSession::SetSpecialEntry(const CliAction& action) {
  const SquirrelVM::SpecialEntries& special_entries = script_host_.GetSpecialEntries();
  std::vector<bool> shown;
  std::optional<size_t> chosen;
  for (size_t i = 0; i < special_entries.size(); ++i) {
    const Card& card = special_entries[i]->card();
    shown.push_back(special_entries[i]->use());
    if (!chosen && (card.name == action.texts[0] || card.name_japanese == action.texts[0])) {
      chosen = i;
    }
  }
  if (!chosen) {
    throw CliUsageError(action.option +
                        Say(": there is no special entry \"", ": 特殊項目がありません \"") +
                        action.written + "\"");
  }
  shown[*chosen] = action.on;
  table_.SetSpecialEntriesShown(shown);
}

void CliSession::WriteTable(const CliAction& action, const std::string& separator) {
  if (action.texts.empty()) {
    console_.WriteOutput(BuildTableText(list_, separator));
  } else {
    WriteTableFile(action.texts[0], BuildTableText(list_, separator), console_);
  }
}

int CliSession::ExistingColumn(const CliAction& action, int first_allowed) const {
  const int column = action.numbers[0];
  if (column < first_allowed || column >= list_.GetColumnCount()) {
    throw CliUsageError(
        action.option + Say(": there is no column ", ": カラムがありません ") +
        std::to_string(column) +
        (first_allowed > 0 ? Say(" that can be deleted", " (削除できるもの)") : "") + " (" +
        std::to_string(list_.GetColumnCount()) + Say(" columns)", " カラム)"));
  }
  return column;
}

int CliSession::ExistingRow(const CliAction& action) const {
  const int row = action.numbers[0];
  if (row < 0 || row >= list_.GetItemCount()) {
    throw CliUsageError(action.option + Say(": there is no row ", ": 行がありません ") +
                        std::to_string(row) + " (" + std::to_string(list_.GetItemCount()) +
                        Say(" rows)", " 行)"));
  }
  return row;
}

void CliSession::SetArchetypeRules(const std::string& folder) {
  const std::vector<std::string> report = table_.SetArchetypeRules(folder);
  const bool failed = !folder.empty() && !table_.HasArchetypeRules();
  for (const std::string& line : report) {
    console_.ShowMessage(line, Text("Archetype rules", "アーキタイプの規則"), MessageButtons::Ok,
                         failed ? MessageIcon::Error : MessageIcon::Information, false);
  }
}

std::string CliSession::ArchetypesListing() {
  std::string listing;
  for (const auto& deck : script_host_.GetDecks()) {
    ArchetypeLabel label = DeckArchetypeLabel(*deck);
    listing += deck->path() + "\t" + label.name + "\t" + ArchetypeHowWord(label.how) + "\n";
  }
  return listing;
}

std::string CliSession::MenusListing() {
  std::string listing = Text("Add special column\n", "特殊カラムの追加\n");
  ListMenu(special_column_menu_, "  ", listing);
  listing += Text("Sort\n", "並び替え\n");
  ListMenu(sort_menu_, "  ", listing);
  listing += Text("Special entries\n", "特殊項目\n");
  for (const std::shared_ptr<SpecialEntry>& special_entry : script_host_.GetSpecialEntries()) {
    const Card& card = special_entry->card();
    listing += std::string("  [") + (special_entry->use() ? "x" : " ") + "] " + card.name + " / " +
               card.name_japanese + " (" + BoardText(special_entry->board_type()) + ")\n";
  }
  return listing;
}

}  // namespace Tarvane
