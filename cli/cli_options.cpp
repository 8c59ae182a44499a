#include "cli/cli_options.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "chart/chart_files.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_string.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

using TtLanguage::Say;

// How an option takes its values. A required value is taken whatever it looks like (a special
// entry may be named "-- Sideboard --"); lists and optional values end at the next "--" word.
enum class Values { None, One, Two, List, Optional };

// What the values are, which decides how they are read.
enum class ValueKind { Nothing, Paths, Numbers, Label, BoardMode, SpecialTick, OptionalPath };

struct OptionRule {
  CliAction::Kind kind;
  Values values;
  ValueKind value_kind;
};

const std::map<std::string, OptionRule>& ActionRules() {
  using Kind = CliAction::Kind;
  static const std::map<std::string, OptionRule> rules = {
      {"--add", {Kind::AddDeckFiles, Values::List, ValueKind::Paths}},
      {"--edit", {Kind::ReplaceDeckFiles, Values::List, ValueKind::Paths}},
      {"--new", {Kind::Reset, Values::None, ValueKind::Nothing}},
      {"--board", {Kind::BoardMode, Values::One, ValueKind::BoardMode}},
      {"--refresh", {Kind::Refresh, Values::None, ValueKind::Nothing}},
      {"--all-decks", {Kind::AllDecks, Values::None, ValueKind::Nothing}},
      {"--decks", {Kind::SelectDecks, Values::List, ValueKind::Numbers}},
      {"--column", {Kind::SpecialColumn, Values::One, ValueKind::Label}},
      {"--sort", {Kind::SortMenu, Values::One, ValueKind::Label}},
      {"--sort-column", {Kind::SortColumn, Values::One, ValueKind::Numbers}},
      {"--delete-column", {Kind::DeleteColumn, Values::One, ValueKind::Numbers}},
      {"--delete-columns", {Kind::DeleteAllColumns, Values::None, ValueKind::Nothing}},
      {"--special", {Kind::SpecialEntry, Values::One, ValueKind::SpecialTick}},
      {"--hide", {Kind::HideRow, Values::One, ValueKind::Numbers}},
      {"--move", {Kind::MoveRow, Values::Two, ValueKind::Numbers}},
      {"--csv", {Kind::Csv, Values::Optional, ValueKind::OptionalPath}},
      {"--tsv", {Kind::Tsv, Values::Optional, ValueKind::OptionalPath}},
      {"--status", {Kind::Status, Values::None, ValueKind::Nothing}},
      {"--menus", {Kind::Menus, Values::None, ValueKind::Nothing}},
      {"--average-deck", {Kind::AverageDeck, Values::One, ValueKind::Paths}},
      {"--archetypes", {Kind::Archetypes, Values::None, ValueKind::Nothing}},
  };
  return rules;
}

bool IsOptionWord(const std::string& argument) { return argument.starts_with("--"); }

std::string ValueMissing() { return Say(": a value is missing", ": 値がありません"); }

std::string NoChartBefore() {
  return Say(": no --chart before it", ": その前に --chart がありません");
}

std::string ToProgramText(const std::string& utf8, const std::string& option) {
  std::string cp932;
  if (!TtString::TryUtf8ToCp932(utf8, cp932)) {
    throw CliUsageError(option + ": \"" + utf8 +
                        Say("\" has characters the program cannot show",
                            "\" にはプログラムで表せない文字があります"));
  }
  return cp932;
}

std::string ToProgramPath(const std::string& system_path, const std::string& option) {
  try {
    return TtString::FromSystemPath(system_path);
  } catch (const TtFileAccessException& error) {
    // The described path marks the characters that have no exact spelling.
    throw CliUsageError(option + Say(": the file name \"", ": ファイル名 \"") + system_path +
                        Say("\" cannot be spelt exactly in the program's code page (Shift-JIS): ",
                            "\" はプログラムの文字コード (Shift-JIS) でそのまま書けません: ") +
                        TtString::Cp932ToUtf8(error.GetPath()));
  }
}

// A batch of files to convert goes on past a name the code page cannot spell: that file is
// reported and skipped, the others are converted.
void AddImportFile(const std::string& system_path, CliOptions& options) {
  try {
    options.import_files.push_back(TtString::FromSystemPath(system_path));
  } catch (const TtFileAccessException& error) {
    options.unspellable_import_files.push_back(error.GetPath());
  }
}

int ToNumber(const std::string& text, const std::string& option) {
  int number = 0;
  if (!TtUtility::StringToInteger(text, number)) {
    throw CliUsageError(option + ": \"" + text +
                        Say("\" is not a number", "\" は数ではありません"));
  }
  return number;
}

int ToBoardMode(const std::string& text, const std::string& option) {
  static const std::map<std::string, int> modes = {
      {"both", 0}, {"main", 1}, {"side", 2}, {"hybrid", 3}};
  auto found = modes.find(text);
  if (found == modes.end()) {
    throw CliUsageError(option + ": \"" + text +
                        Say("\" is not one of both, main, side, hybrid",
                            "\" は both, main, side, hybrid のどれでもありません"));
  }
  return found->second;
}

// NAME=on or NAME=off; the name may itself hold "=".
void ReadSpecialTick(const std::string& text, CliAction& action) {
  const size_t equals = text.rfind('=');
  const std::string tick = equals == std::string::npos ? "" : text.substr(equals + 1);
  if (tick != "on" && tick != "off") {
    throw CliUsageError(
        action.option + ": \"" + text +
        Say("\" is not NAME=on or NAME=off", "\" は NAME=on でも NAME=off でもありません"));
  }
  action.on = tick == "on";
  action.written = text.substr(0, equals);
  action.texts.push_back(ToProgramText(action.written, action.option));
}

void ReadValue(const std::string& value, ValueKind kind, CliAction& action) {
  switch (kind) {
    case ValueKind::Paths:
    case ValueKind::OptionalPath:
      action.texts.push_back(ToProgramPath(value, action.option));
      return;
    case ValueKind::Numbers:
      action.numbers.push_back(ToNumber(value, action.option));
      return;
    case ValueKind::Label:
      action.written = value;
      action.texts.push_back(ToProgramText(value, action.option));
      return;
    case ValueKind::BoardMode:
      action.numbers.push_back(ToBoardMode(value, action.option));
      return;
    case ValueKind::SpecialTick:
      ReadSpecialTick(value, action);
      return;
    case ValueKind::Nothing:
      return;
  }
}

// Reads the action's values from arguments[next...]; returns the index after them.
size_t ReadAction(const std::vector<std::string>& arguments, size_t next, const OptionRule& rule,
                  CliAction& action) {
  auto require = [&](size_t index) -> const std::string& {
    if (index >= arguments.size()) {
      throw CliUsageError(action.option + ValueMissing());
    }
    return arguments[index];
  };
  switch (rule.values) {
    case Values::None:
      return next;
    case Values::One:
      ReadValue(require(next), rule.value_kind, action);
      return next + 1;
    case Values::Two:
      ReadValue(require(next), rule.value_kind, action);
      ReadValue(require(next + 1), rule.value_kind, action);
      return next + 2;
    case Values::List:
      while (next < arguments.size() && !IsOptionWord(arguments[next])) {
        ReadValue(arguments[next++], rule.value_kind, action);
      }
      return next;
    case Values::Optional:
      if (next < arguments.size() && !IsOptionWord(arguments[next])) {
        ReadValue(arguments[next++], rule.value_kind, action);
      }
      return next;
  }
  return next;
}

// The chart that --png and --svg write: set by --chart, changed by the chart options after it.
struct ChartSettings {
  ChartRequest request;
  int width = kDefaultChartWidth;
  int height = kDefaultChartHeight;
};

double ToPercent(const std::string& text, const std::string& option) {
  double percent = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%lf%c", &percent, &rest) != 1 ||
      !(percent >= 0 && percent <= 100)) {
    throw CliUsageError(
        option + ": \"" + text +
        Say("\" is not a percentage from 0 to 100", "\" は 0 から 100 の割合ではありません"));
  }
  return percent;
}

void ReadChartSize(const std::string& text, ChartSettings& chart) {
  int width = 0, height = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &rest) != 2 ||
      !IsChartSizeAllowed(width, height)) {
    const std::string low = std::to_string(kMinimumChartSide);
    const std::string high = std::to_string(kMaximumChartSide);
    throw CliUsageError(
        "--size: \"" + text +
        Say("\" is not WIDTHxHEIGHT with sides from " + low + " to " + high,
            "\" は辺が " + low + " から " + high + " の WIDTHxHEIGHT ではありません"));
  }
  chart.width = width;
  chart.height = height;
}

// Whether the word at arguments[index - 1] comes right after "--average-deck FILE".
bool FollowsAverageDeck(const std::vector<std::string>& arguments, size_t index) {
  return index >= 3 && arguments[index - 3] == "--average-deck";
}

// Reads a chart option at arguments[index - 1]; returns the index after its value, or nothing
// when the word is no chart option.
std::optional<size_t> ReadChartOption(const std::vector<std::string>& arguments, size_t index,
                                      std::optional<ChartSettings>& chart) {
  const std::string& option = arguments[index - 1];
  static const char* const words[] = {"--chart",     "--card", "--archetype",
                                      "--threshold", "--size", "--by-type"};
  if (std::find(std::begin(words), std::end(words), option) == std::end(words)) return std::nullopt;
  if (option == "--archetype" && !chart) {
    throw CliUsageError("--archetype" +
                        Say(": neither --chart nor --average-deck FILE right before it",
                            ": 直前に --chart も --average-deck FILE もありません"));
  }
  if (option != "--chart" && !chart) throw CliUsageError(option + NoChartBefore());
  if (option == "--by-type") {
    chart->request.split_by_type = true;
    return index;
  }
  if (index >= arguments.size()) throw CliUsageError(option + ValueMissing());
  const std::string& value = arguments[index];
  if (option == "--chart") {
    std::optional<ChartKind> kind = ChartKindOf(value);
    if (!kind)
      throw CliUsageError("--chart: \"" + value +
                          Say("\" is not one of metagame, adoption, curve",
                              "\" は metagame, adoption, curve のどれでもありません"));
    chart = ChartSettings{};
    chart->request.kind = *kind;
  } else if (option == "--card") {
    chart->request.card = ToProgramText(value, option);
  } else if (option == "--archetype") {
    chart->request.archetype = ToProgramText(value, option);
  } else if (option == "--threshold") {
    chart->request.other_threshold_percent = ToPercent(value, option);
  } else {
    ReadChartSize(value, *chart);
  }
  return index + 1;
}

CliAction ChartFileAction(const std::vector<std::string>& arguments, size_t index,
                          const std::optional<ChartSettings>& chart) {
  const std::string& option = arguments[index - 1];
  if (!chart) throw CliUsageError(option + NoChartBefore());
  if (index >= arguments.size()) throw CliUsageError(option + ValueMissing());
  CliAction action{option == "--png" ? CliAction::Kind::ChartPng : CliAction::Kind::ChartSvg,
                   option,
                   {ToProgramPath(arguments[index], option)},
                   {},
                   {},
                   false,
                   {},
                   chart->request,
                   chart->width,
                   chart->height};
  return action;
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& arguments) {
  CliOptions options;
  std::optional<ChartSettings> chart;
  size_t index = 0;
  while (index < arguments.size()) {
    const std::string& argument = arguments[index++];
    if (argument == "--archetype" && FollowsAverageDeck(arguments, index)) {
      // Narrows the --average-deck FILE right before it to the decks of one archetype; anywhere
      // else --archetype is the archetype of the chart being set up.
      if (index >= arguments.size()) throw CliUsageError("--archetype" + ValueMissing());
      options.actions.back().archetype = ToProgramText(arguments[index++], "--archetype");
    } else if (std::optional<size_t> next = ReadChartOption(arguments, index, chart)) {
      index = *next;
    } else if (argument == "--png" || argument == "--svg") {
      options.actions.push_back(ChartFileAction(arguments, index++, chart));
    } else if (argument == "--help") {
      options.help = true;
    } else if (argument == "--utf8") {
      options.utf8 = true;
    } else if (argument == "--yes") {
      options.yes = true;
    } else if (argument == "--program") {
      if (index >= arguments.size()) throw CliUsageError("--program" + ValueMissing());
      options.program = ToProgramPath(arguments[index++], "--program");
    } else if (argument == "--import") {
      while (index < arguments.size() && !IsOptionWord(arguments[index])) {
        AddImportFile(arguments[index++], options);
      }
      if (options.import_files.empty() && options.unspellable_import_files.empty()) {
        throw CliUsageError("--import" + ValueMissing());
      }
    } else if (argument == "--archetype-rules") {
      if (index >= arguments.size()) throw CliUsageError("--archetype-rules" + ValueMissing());
      options.archetype_rules = ToProgramPath(arguments[index++], "--archetype-rules");
    } else if (argument == "--to") {
      if (index >= arguments.size()) throw CliUsageError("--to" + ValueMissing());
      options.import_folder = ToProgramPath(arguments[index++], "--to");
    } else if (auto rule = ActionRules().find(argument); rule != ActionRules().end()) {
      CliAction action{rule->second.kind, argument, {}, {}, {}, false, {}, {}, 0, 0};
      index = ReadAction(arguments, index, rule->second, action);
      options.actions.push_back(std::move(action));
    } else if (IsOptionWord(argument)) {
      throw CliUsageError(Say("unknown option ", "知らないオプション ") + argument);
    } else {
      throw CliUsageError("\"" + argument +
                          Say("\" belongs to no option", "\" はどのオプションの値でもありません"));
    }
  }
  if ((options.import_files.empty() && options.unspellable_import_files.empty()) !=
      !options.import_folder) {
    throw CliUsageError(
        Say("--import and --to go together", "--import と --to は一緒に指定します"));
  }
  if (options.import_folder && !options.actions.empty()) {
    throw CliUsageError(
        Say("--import runs alone, without actions", "--import は他の動作と一緒には使えません"));
  }
  return options;
}

std::string CliHelpText() {
  return R"(Usage: tarvane-cli [GLOBAL OPTIONS] ACTION...

Starts as the program does (settings, dictionary, start-up script, the special-column and sort
menus, an empty table), then runs the actions in the order given, each as the main window's
command would.

Actions:
  --add FILE...            add deck list files (the paths up to the next option)
  --edit FILE...           make the loaded decks exactly these files
  --new                    reset the table and drop every deck
  --board both|main|side|hybrid
                           the boards the rows come from
  --refresh                rebuild the rows and cells, sort again
  --all-decks              one column per loaded deck
  --decks N...             columns for decks N... (1-based, load order)
  --column LABEL           the special-column menu item with that label
  --sort LABEL             the sort menu item with that label
                           (inside sub-menus, labels are joined by "/")
  --sort-column I          sort by the sorter of column I (0-based)
  --delete-column I        delete column I (not 0)
  --delete-columns         delete every column but the first
  --special NAME=on|off    tick or untick a special entry, then refresh
  --hide I                 hide list row I (0-based) until the next refresh
  --move FROM TO           move row FROM to just before row TO
  --csv [FILE]             the table as CSV into FILE, or to standard output
  --tsv [FILE]             the table as tab-separated text, the same way
  --status                 the two status bar texts, one line each
  --menus                  the special-column menu, the sort menu and the special entries
  --average-deck FILE      write the average deck of the decks shown as columns (of every
                           loaded deck when no deck column is shown) as a deck list file
  --average-deck FILE --archetype NAME
                           the same of the loaded decks of that archetype
  --archetypes             every loaded deck in load order as PATH<TAB>ARCHETYPE<TAB>HOW,
                           HOW being header, rule, conflict, fallback or unknown (name when
                           no rule folder is set, script when a script decided)

Charts (no display needed):
  --chart metagame|adoption|curve
                           the chart that the next --png and --svg write, with the options
                           after it until the next --chart:
    --threshold PERCENT    metagame: archetypes under this share are gathered as その他 (2)
    --card NAME            adoption: the card, as the deck lists name it or in Japanese
    --archetype NAME       adoption, curve: only the decks of this archetype
    --by-type              curve: one stacked part per card type
    --size WIDTHxHEIGHT    the picture's size in pixels (1200x800)
  --png FILE               write the chart, as the table is at this point, as a PNG picture
  --svg FILE               the same as an SVG picture

Deck lists from other programs (instead of the actions):
  --import FILE... --to DIR
                           convert each file (a list copied from a web page, a digital
                           client's export, a tagged site export, .dck, .dek, .cod, .o8d,
                           Japanese card names, UTF-8 or UTF-16) into a deck list file
                           DIR/NAME.txt in the program's format (CP932), replacing a file of
                           that name; an event file (JSON) gives one list per deck,
                           DIR/001_player.txt and so on. DIR is made when missing. The report
                           of each file goes to standard output. Exit status 3 when a file
                           could not be read, converted or written (the others are converted).

Global options:
  --program PATH           act as the program at PATH (its .ini, .nut and dictionary folder);
                           default: tarvane beside tarvane-cli
  --utf8                   write the table text and listings on standard output in UTF-8
                           instead of the program's CP932 bytes (files are always CP932)
  --archetype-rules FOLDER the archetype rule folder for this run (instead of the settings'
                           ArchetypeRules); what it loaded is said on standard error
  --yes                    answer Yes to the question after an extension script error
  --help                   this text

Labels and names are given in UTF-8. Messages the program would show in a box go to standard
error in UTF-8 as "caption: text". Exit status: 0 when every action ran, 1 when the start-up or
an error ended the program, 2 for a command line that cannot be run (found before any action
runs: an unknown option, a bad value, a --column or --sort label the menus do not have, a file
name the program cannot spell), 4 when the actions ran but one of them, or a script at the
start, showed an error (a deck file that could not be loaded, an export that could not be
written, a script error) or standard output could not be written.

File names are given as the system spells them (UTF-8) and must have an exact spelling in the
program's code page (Shift-JIS); a name with a character it lacks, or spells as another
character (U+301C WAVE DASH comes back as U+FF5E), is refused rather than taken to mean
another file.
)";
}

}  // namespace Tarvane
