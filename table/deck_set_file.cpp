#include "table/deck_set_file.h"

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>

#include "model/deck.h"
#include "table/analysis_table.h"
#include "table/script_item_menu.h"
#include "table/table_export.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

const char kFormatLine[] = "tarvane-deck-set=1";
const char kReadErrorCaption[] = "ファイルオープンエラー";
const char kReadErrorText[] = "デッキセットを開けませんでした。\r\nファイル名 ： ";
const char kFormatErrorText[] = "デッキセットのファイルではありません。\r\nファイル名 ： ";

std::string FolderOf(const std::string& file_path) {
  return TtPath::GetDirectoryName(TtPath::GetFullPath(file_path));
}

// Relative to the set's folder when such a path exists, so the set moves with its decks.
std::string StoredPath(const std::string& deck_path, const std::string& folder) {
  std::string relative;
  if (TtPath::RelativePathTo(folder, true, deck_path, false, relative)) {
    if (relative.rfind("./", 0) == 0) relative.erase(0, 2);
    return relative;
  }
  return deck_path;
}

std::string LoadedPath(const std::string& stored, const std::string& folder) {
  if (!TtPath::IsRelative(stored)) return TtPath::Canonicalize(stored);
  return TtPath::Canonicalize(folder + "/" + stored);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  TtFile::Handle file = TtFile::OpenRegularFileForReading(path);
  char buffer[65536];
  std::size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, read);
  return !std::ferror(file.get());
}

void ParseColumn(const std::string& value, DeckSet& set) {
  int deck = 0;
  if (value.rfind("deck:", 0) == 0 && TtUtility::StringToInteger(value.substr(5), deck) &&
      deck >= 1) {
    set.columns.push_back({DeckSet::Column::Kind::Deck, deck - 1, std::string()});
  } else if (value.rfind("special:", 0) == 0) {
    set.columns.push_back({DeckSet::Column::Kind::Special, 0, value.substr(8)});
  }
}

void ParseSort(const std::string& value, DeckSet& set) {
  int column = 0;
  if (value.rfind("column:", 0) == 0 && TtUtility::StringToInteger(value.substr(7), column) &&
      column >= 0) {
    set.sort_column = column;
  } else if (value.rfind("menu:", 0) == 0) {
    set.sorter_name = value.substr(5);
  }
}

// Every leaf of a script menu and its nested sub-menus, in menu order, until `found` says stop.
void ForEachLeaf(const TtMenu& menu, const std::function<bool(const TtMenu&, int)>& found) {
  for (int position = 0; position < menu.GetItemCount(); ++position) {
    if (menu.HasSubMenu(position)) {
      ForEachLeaf(menu.GetSubMenu(position), found);
    } else if (found(menu, position)) {
      return;
    }
  }
}

}  // namespace

std::string DeckSetText(const DeckSet& set, const std::string& file_path) {
  const std::string folder = FolderOf(file_path);
  std::string text = std::string(kFormatLine) + "\r\n";
  text += "board=" + std::to_string(set.board_mode) + "\r\n";
  if (set.sort_column >= 0) {
    text += "sort=column:" + std::to_string(set.sort_column) + "\r\n";
  } else if (!set.sorter_name.empty()) {
    text += "sort=menu:" + set.sorter_name + "\r\n";
  }
  for (const std::string& path : set.deck_paths)
    text += "deck=" + StoredPath(path, folder) + "\r\n";
  for (const DeckSet::Column& column : set.columns) {
    if (column.kind == DeckSet::Column::Kind::Deck) {
      text += "column=deck:" + std::to_string(column.deck + 1) + "\r\n";
    } else {
      text += "column=special:" + column.name + "\r\n";
    }
  }
  return text;
}

std::optional<DeckSet> ParseDeckSet(const std::string& text, const std::string& file_path) {
  std::vector<std::string> lines = Lines(text);
  if (lines.empty() || lines.front() != kFormatLine) return std::nullopt;
  const std::string folder = FolderOf(file_path);
  DeckSet set;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "deck" && !value.empty()) {
      set.deck_paths.push_back(LoadedPath(value, folder));
    } else if (key == "column") {
      ParseColumn(value, set);
    } else if (key == "board") {
      int mode = 0;
      if (TtUtility::StringToInteger(value, mode) && mode >= 0 && mode <= 3) set.board_mode = mode;
    } else if (key == "sort") {
      ParseSort(value, set);
    }
  }
  return set;
}

std::optional<DeckSet> ReadDeckSetFile(const std::string& path, MessageReporter& reporter) {
  std::string text;
  try {
    if (!ReadWholeFile(path, text)) throw TtFileAccessException(path, errno);
  } catch (const TtFileAccessException& error) {
    reporter.ShowMessage(kReadErrorText + path + "\r\n原因 ： " + error.GetReason(),
                         kReadErrorCaption, MessageButtons::Ok, MessageIcon::Error, true);
    return std::nullopt;
  }
  std::optional<DeckSet> set = ParseDeckSet(text, path);
  if (!set) {
    reporter.ShowMessage(kFormatErrorText + path, kReadErrorCaption, MessageButtons::Ok,
                         MessageIcon::Error, true);
  }
  return set;
}

bool WriteDeckSetFile(const std::string& path, const DeckSet& set, MessageReporter& reporter) {
  return WriteTableFile(path, DeckSetText(set, path), reporter);
}

DeckSet CaptureDeckSet(AnalysisTable& table) {
  SquirrelVM& script_host = table.GetScriptHost();
  DeckSet set;
  const SquirrelVM::Decks& decks = script_host.GetDecks();
  for (const std::shared_ptr<Deck>& deck : decks)
    set.deck_paths.push_back(TtPath::GetFullPath(deck->path()));
  const AnalysisTable::Columns& columns = table.GetColumns();
  for (std::size_t index = 1; index < columns.size(); ++index) {
    const ColumnInfo& column = *columns[index];
    if (column.first_deck) continue;
    if (column.deck) {
      for (std::size_t position = 0; position < decks.size(); ++position) {
        if (decks[position] == column.deck) {
          set.columns.push_back(
              {DeckSet::Column::Kind::Deck, static_cast<int>(position), std::string()});
          break;
        }
      }
    } else {
      set.columns.push_back({DeckSet::Column::Kind::Special, 0,
                             table.GetList().GetColumnText(static_cast<int>(index))});
    }
  }
  set.board_mode = script_host.GetBoardDisplayMode();
  set.sort_column = table.GetCurrentSorterColumn();
  if (set.sort_column < 0 && table.GetCurrentSorter()) {
    set.sorter_name = script_host.GetName(table.GetCurrentSorter()->object());
  }
  return set;
}

int OpenDeckSet(AnalysisTable& table, const DeckSet& set, const TtMenu& special_column_menu,
                const TtMenu& sort_menu) {
  SquirrelVM& script_host = table.GetScriptHost();
  table.Reset();
  script_host.SetBoardDisplayMode(set.board_mode);
  table.AddDeckFiles(set.deck_paths);
  // A file that could not be read is missing from the decks, so saved positions are found
  // again by path.
  std::vector<std::shared_ptr<Deck>> saved_decks(set.deck_paths.size());
  std::vector<bool> taken(script_host.GetDecks().size());
  for (std::size_t saved = 0; saved < set.deck_paths.size(); ++saved) {
    for (std::size_t loaded = 0; loaded < taken.size(); ++loaded) {
      if (!taken[loaded] &&
          TtPath::GetFullPath(script_host.GetDecks()[loaded]->path()) == set.deck_paths[saved]) {
        taken[loaded] = true;
        saved_decks[saved] = script_host.GetDecks()[loaded];
        break;
      }
    }
  }
  int missing = 0;
  for (const DeckSet::Column& column : set.columns) {
    bool added = false;
    if (column.kind == DeckSet::Column::Kind::Deck) {
      if (column.deck >= 0 && column.deck < static_cast<int>(saved_decks.size()) &&
          saved_decks[column.deck]) {
        added = table.AddColumn(saved_decks[column.deck]->processor(), saved_decks[column.deck]);
      }
    } else {
      ForEachLeaf(special_column_menu, [&](const TtMenu& menu, int position) {
        std::shared_ptr<TtSquirrel::Object> processor = ScriptItemMenu::ProcessorAt(menu, position);
        if (!processor || script_host.GetName(*processor) != column.name) return false;
        added = table.AddColumn(*processor, nullptr);
        return true;
      });
    }
    if (!added) ++missing;
  }
  if (set.sort_column >= 0 && set.sort_column < static_cast<int>(table.GetColumns().size())) {
    table.SortByColumn(set.sort_column);
  } else if (set.sort_column >= 0) {
    ++missing;
  } else if (!set.sorter_name.empty()) {
    bool sorted = false;
    ForEachLeaf(sort_menu, [&](const TtMenu& menu, int position) {
      std::shared_ptr<Sorter> sorter = ScriptItemMenu::SorterAt(menu, position);
      if (!sorter || script_host.GetName(sorter->object()) != set.sorter_name) return false;
      table.SortBy(sorter->object());
      sorted = true;
      return true;
    });
    if (!sorted) ++missing;
  }
  return missing;
}

}  // namespace Tarvane
