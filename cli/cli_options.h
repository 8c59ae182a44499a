#pragma once
// The command line of tarvane-cli: global options and the actions, in the order given.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "table/chart_request.h"

namespace Tarvane {

// A command line the tool cannot run: an unknown option, a missing or bad value, or a label,
// name or index that the table does not have. The text says which (UTF-8).
class CliUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct CliAction {
  enum class Kind {
    AddDeckFiles,      // --add FILE...
    ReplaceDeckFiles,  // --edit FILE...
    Reset,             // --new
    BoardMode,         // --board both|main|side|hybrid
    Refresh,           // --refresh
    AllDecks,          // --all-decks
    SelectDecks,       // --decks N...
    SpecialColumn,     // --column LABEL
    SortMenu,          // --sort LABEL
    SortColumn,        // --sort-column I
    DeleteColumn,      // --delete-column I
    DeleteAllColumns,  // --delete-columns
    SpecialEntry,      // --special NAME=on|off
    HideRow,           // --hide I
    MoveRow,           // --move FROM TO
    Csv,               // --csv [FILE]
    Tsv,               // --tsv [FILE]
    Status,            // --status
    Menus,             // --menus
    AverageDeck,       // --average-deck FILE [--archetype NAME]
    Archetypes,        // --archetypes
    ChartPng,          // --png FILE, after --chart KIND
    ChartSvg,          // --svg FILE, after --chart KIND
  };

  Kind kind;
  // The option as written, for messages.
  std::string option;
  // Paths and labels in the program's code page (CP932); a file for --csv and --tsv, if any.
  std::vector<std::string> texts;
  std::vector<int> numbers;
  // --average-deck with --archetype: the archetype's name (CP932); empty for the usual decks.
  std::string archetype;
  // --special: the new tick.
  bool on = false;
  // The text as the user wrote it (UTF-8), for messages.
  std::string written;
  // --png and --svg: the chart of the last --chart and its settings, and the picture's size.
  ChartRequest chart;
  int chart_width = 0;
  int chart_height = 0;
};

struct CliOptions {
  // --program PATH, in the program's code page.
  std::optional<std::string> program;
  bool utf8 = false;
  bool yes = false;
  bool help = false;
  // --archetype-rules FOLDER: the rule folder for this run instead of the settings' (CP932).
  std::optional<std::string> archetype_rules;
  std::vector<CliAction> actions;
  // --import FILE... --to DIR: deck lists converted instead of a session (CP932 paths).
  std::vector<std::string> import_files;
  // --import paths that the code page cannot spell, in CP932 with those characters marked.
  std::vector<std::string> unspellable_import_files;
  std::optional<std::string> import_folder;
};

// Reads the arguments (without the program name). Throws CliUsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& arguments);

// The text of --help, in English (CP932, as the program's literals are).
std::string CliHelpText();
// The same in Japanese, in CP932.
std::string CliHelpTextJapanese();

}  // namespace Tarvane
