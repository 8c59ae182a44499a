// Script misuse tried through tarvane-cli, run in-process over a program folder that holds the
// shipped start-up script, dictionary and deck lists, and an extension script whose processors
// and sorters misbehave in every way we could think of. Each misuse is reported as a script
// error, ends only the action that met it, and leaves the loaded decks and the table as they
// were.
//
// What the engine bounds: a chain of script-to-native-to-script calls is cut at 100 levels with
// "Native stack overflow". What it does not: script-to-script recursion and allocation have no
// limit in the engine; such a runaway script grows the engine's memory (about 130 MB a second
// here) until an allocation fails, and the engine then ends the process. Those are not tried
// here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/tarvane_cli.h"
#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_virtual_machine.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"

using TarvaneTest::ScratchFolder;

namespace {

using Strings = std::vector<std::string>;

// The roles, offered under their keys: processors in the special-column menu, sorters in the
// sort menu.
const char kMisuseScript[] = R"(
class MisuseProcessor {
  name = null; sorter = null; compute = null;
  constructor(key, function_of_entry) { name = key; compute = function_of_entry; }
  function process_function(entry) { return compute(entry); }
}
class MisuseSorter {
  name = null; compare = null;
  constructor(key, function_of_rows) { name = key; compare = function_of_rows; }
  function compare_for_sort(a, b) { return compare(a, b); }
}
class WithText { function _tostring() { return "custom text"; } }
class ThrowingText { function _tostring() { throw "no text"; } }
class NumberText { function _tostring() { return 5; } }
class Thrown { message = "thrown instance"; }
function generator() { yield 1; }
function depth(n) { return n == 0 ? 0 : 1 + depth(n - 1); }
// Every level passes through a native call (the board total calls its predicate).
function nested_total(entry) {
  return ::Organizer.decks[0].mainboard.count_total_of(@(card) ::nested_total(entry) > 0);
}
function long_text() { local s = "x"; for (local i = 0; i < 18; ++i) s += s; return s; }
function replacing(key, replace) {
  return MisuseProcessor(key, function(e) { replace(); return 1; });
}
local infinity = 1e38 * 10;

foreach (key, compute in {
  throw_string = function(e) { throw "boom"; },
  throw_table = function(e) { throw { reason = 1 }; },
  throw_null = function(e) { throw null; },
  throw_instance = function(e) { throw Thrown(); },
  division_by_zero = function(e) { return 1 / 0; },
  missing_slot = function(e) { return e.no_such_slot; },
  wrong_arguments = function(e) { return e.card.is_normal(1, 2, 3); },
  call_a_number = function(e) { return (5)(); },
  native_nesting = function(e) { return ::nested_total(e); },
  text_that_throws = function(e) { return ThrowingText(); },
  value_null = function(e) { return null; },
  value_bool = function(e) { return false; },
  value_integer = function(e) { return -2147483648; },
  value_wide_integer = function(e) { return 9223372036854775807; },
  value_infinity = function(e) { return infinity; },
  value_string = function(e) { return "a,\"b\"\r\nc"; },
  value_long_string = function(e) { return ::long_text(); },
  value_table = function(e) { return { a = 1 }; },
  value_array = function(e) { return [1, 2]; },
  value_closure = function(e) { return function() {}; },
  value_native_closure = function(e) { return ::print; },
  value_class = function(e) { return MisuseProcessor; },
  value_instance_with_text = function(e) { return WithText(); },
  value_instance_with_number_text = function(e) { return NumberText(); },
  value_generator = function(e) { return ::generator(); },
  value_thread = function(e) { return ::newthread(::generator); },
  value_weak_reference = function(e) { return WithText().weakref(); },
  value_blob = function(e) { return ::blob(4); },
  value_deep_recursion = function(e) { return ::depth(20000); },
  value_large_allocation = function(e) { local a = array(1000000, e); return a.len(); },
}) ::Organizer.processors.append(MisuseProcessor(key, compute));

foreach (key, compare in {
  sort_throw = function(a, b) { throw "cannot compare"; },
  sort_random = function(a, b) { return (::rand() % 3) - 1; },
  sort_always_less = function(a, b) { return -1; },
  sort_wide_integer = function(a, b) { return -9223372036854775807; },
  sort_not_a_number = function(a, b) { return infinity - infinity; },
  sort_table = function(a, b) { return {}; },
  sort_native_nesting = function(a, b) { return ::nested_total(a); },
}) ::Organizer.sorters.append(MisuseSorter(key, compare));

// Processors that take away what the program relies on, then return a number.
foreach (key, replace in {
  replace_entry = function() { ::Entry <- null; },
  replace_special_entry = function() { ::SpecialEntry <- 5; },
  replace_card = function() { ::Card <- class {}; },
  replace_board = function() { ::Board <- {}; },
  replace_deck = function() { ::Deck <- null; },
  replace_deck_processor = function() { ::DeckProcessor <- function(deck) { throw "no decks"; }; },
  uncallable_deck_processor = function() { ::DeckProcessor <- null; },
  replace_organizer = function() { ::Organizer <- null; },
  drop_card_database = function() { delete ::Organizer.card_database; },
  drop_decks = function() { ::Organizer.decks.clear(); },
}) ::Organizer.processors.append(::replacing(key, replace));
)";

struct CliRun {
  int status;
  std::string out;  // CP932
  std::string err;  // UTF-8
};

// The fields of one CSV line.
Strings CsvFields(const std::string& line) {
  Strings fields;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      field += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  return fields;
}

// The CSV records of the output (after the status lines), each record's fields; a record ends
// at a CR LF outside quotes.
std::vector<Strings> CsvRecords(const std::string& out) {
  std::vector<Strings> records;
  size_t start = out.find('"');
  while (start != std::string::npos && start < out.size()) {
    size_t end = start;
    bool quoted = false;
    while (end < out.size() && !(!quoted && out.compare(end, 2, "\r\n") == 0)) {
      if (out[end] == '"') quoted = !quoted;
      ++end;
    }
    records.push_back(CsvFields(out.substr(start, end - start)));
    start = end + 2;
  }
  return records;
}

class ScriptMisuseTest : public ::testing::Test {
protected:
  ScriptMisuseTest() {
    const std::filesystem::path bin = std::getenv("TARVANE_BIN_DIR");
    std::filesystem::copy(bin / "tarvane.nut", scratch_.Join("tarvane.nut"));
    std::filesystem::copy(bin / "dictionary", scratch_.Join("dictionary"));
    scratch_.Write("tarvane.ini",
                   "[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=misuse.nut\n");
    scratch_.Write("misuse.nut", kMisuseScript);
    burn_ = (bin / "decks/boros_burn.txt").string();
    jund_ = (bin / "decks/jund.txt").string();
  }

  CliRun Run(const Strings& actions) {
    Strings arguments = {"--program", scratch_.Join("tarvane")};
    arguments.insert(arguments.end(), actions.begin(), actions.end());
    std::ostringstream out, err;
    int status = Tarvane::RunTarvaneCli(arguments, out, err, "unused");
    return {status, out.str(), err.str()};
  }
  // Two decks with their columns, then the action, then the state of the table.
  CliRun RunAfterDecks(const Strings& action) {
    Strings actions = {"--add", burn_, jund_, "--all-decks"};
    actions.insert(actions.end(), action.begin(), action.end());
    actions.insert(actions.end(), {"--status", "--csv"});
    return Run(actions);
  }

  // The script error box of the table, as the tool writes it, naming the detail.
  static bool ReportedAsScriptError(const CliRun& run, const std::string& detail) {
    const std::string box = "Script error: A script had an error.";
    return run.err.starts_with(box) && run.err.find(detail) != std::string::npos;
  }

  ScratchFolder scratch_;
  std::string burn_;
  std::string jund_;
};

}  // namespace

TEST_F(ScriptMisuseTest, AFailingProcessorIsReportedAndChangesNothing) {
  const CliRun before = RunAfterDecks({});
  ASSERT_EQ(before.status, 0) << before.err;
  ASSERT_EQ(before.err, "");
  ASSERT_NE(before.out.find("デッキ数 : 2"), std::string::npos);
  const std::vector<std::pair<std::string, std::string>> failures = {
      {"throw_string", "Exception [boom]"},
      {"throw_table", "Exception [(table"},
      {"throw_null", "Exception ["},
      {"throw_instance", "Exception [(instance"},
      {"division_by_zero", "division by zero"},
      {"missing_slot", "no_such_slot"},
      {"wrong_arguments", "wrong number of parameters"},
      {"call_a_number", "Exception ["},
      {"native_nesting", "Native stack overflow"},
      {"text_that_throws", "no text"},
  };
  for (const auto& [label, detail] : failures) {
    CliRun run = RunAfterDecks({"--column", label});
    EXPECT_EQ(run.status, 4) << label;
    EXPECT_TRUE(ReportedAsScriptError(run, detail)) << label << "\n" << run.err;
    EXPECT_EQ(run.out, before.out) << label;
  }
}

TEST_F(ScriptMisuseTest, AProcessorMayReturnAnyKindOfValue) {
  const std::vector<std::pair<std::string, std::string>> values = {
      {"value_null", ""},
      {"value_bool", "false"},
      {"value_integer", "-2147483648"},
      {"value_wide_integer", "9223372036854775807"},
      {"value_infinity", "inf"},
      {"value_string", "a,\"b\"\r\nc"},
      {"value_table", "(table : "},
      {"value_array", "(array : "},
      {"value_closure", "(function : "},
      {"value_native_closure", "(function : "},
      {"value_class", "(class : "},
      {"value_instance_with_text", "custom text"},
      {"value_instance_with_number_text", "(instance : "},
      {"value_generator", "(generator : "},
      {"value_thread", "(thread : "},
      {"value_weak_reference", "(weakref : "},
      {"value_blob", "(instance : "},
      {"value_deep_recursion", "20000"},
      {"value_large_allocation", "1000000"},
      {"value_long_string", std::string(1 << 18, 'x')},
  };
  for (const auto& [label, text] : values) {
    CliRun run = RunAfterDecks({"--column", label});
    EXPECT_EQ(run.status, 0) << label;
    EXPECT_EQ(run.err, "") << label;
    std::vector<Strings> records = CsvRecords(run.out);
    ASSERT_GT(records.size(), 1u) << label;
    EXPECT_EQ(records[0].back(), label);
    for (size_t row = 1; row < records.size(); ++row) {
      ASSERT_EQ(records[row].size(), 4u) << label;
      EXPECT_TRUE(records[row][3].starts_with(text))
          << label << ": " << records[row][3].substr(0, 80);
    }
  }
}

TEST_F(ScriptMisuseTest, ASorterThatFailsOrAnswersAnythingKeepsEveryRow) {
  const CliRun before = RunAfterDecks({});
  std::vector<Strings> rows_before = CsvRecords(before.out);
  std::sort(rows_before.begin(), rows_before.end());
  for (const std::string label :
       {"sort_throw", "sort_random", "sort_always_less", "sort_wide_integer", "sort_not_a_number",
        "sort_table", "sort_native_nesting"}) {
    CliRun run = RunAfterDecks({"--sort", label, "--refresh"});
    std::vector<Strings> rows = CsvRecords(run.out);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, rows_before) << label;
    const bool fails =
        label == std::string("sort_throw") || label == std::string("sort_native_nesting");
    EXPECT_EQ(run.status, fails ? 4 : 0) << label;
    if (fails) {
      // A failed sort leaves the order and the sorter as they were.
      EXPECT_TRUE(ReportedAsScriptError(
          run, label == std::string("sort_throw") ? "cannot compare" : "Native stack overflow"))
          << run.err;
      EXPECT_EQ(run.out, before.out) << label;
    } else {
      EXPECT_EQ(run.err, "") << label;
      EXPECT_NE(run.out.find(std::string("並び替え : ") + label), std::string::npos) << label;
    }
  }
}

TEST_F(ScriptMisuseTest, ReplacedClassesAreReportedAndTheLoadedDecksStay) {
  for (const std::string label :
       {"replace_entry", "replace_special_entry", "replace_card", "replace_board", "replace_deck",
        "replace_deck_processor", "replace_organizer", "drop_card_database", "drop_decks"}) {
    // The column may work once; every action after it meets the missing class.
    CliRun run =
        Run({"--add", burn_, jund_, "--all-decks", "--column", label, "--refresh", "--sort-column",
             "1", "--add", burn_, "--board", "main", "--status", "--csv"});
    // Non-zero exactly when something was reported.
    EXPECT_EQ(run.status, run.err.empty() ? 0 : 4) << label << "\n" << run.err;
    EXPECT_NE(run.out.find("デッキ数 : "), std::string::npos) << label;
    std::vector<Strings> records = CsvRecords(run.out);
    ASSERT_FALSE(records.empty()) << label;
    // Both decks keep their columns, whatever the script took away.
    EXPECT_GE(records[0].size(), 3u) << label;
    EXPECT_EQ(records[0][1], "ボロス・バーン") << label;
    EXPECT_EQ(records[0][2], "ジャンド") << label;
  }
}

// 新規 and 編集 empty the script's list of decks themselves: a list the script deleted comes
// back, and an ::Organizer the script replaced is a script error; the program goes on.
TEST_F(ScriptMisuseTest, NewAndEditGoOnWhenTheScriptTookTheListOfDecksAway) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
::Organizer.processors.append(::replacing("delete_decks", function() {
  if ("decks" in ::Organizer) delete ::Organizer.decks;
}));
)");
  for (const std::string command : {"--new", "--edit"}) {
    // The column goes before the command, so that no later refresh takes the list away again.
    Strings actions = {
        "--add", burn_, "--all-decks", "--column", "delete_decks", "--delete-columns", command};
    if (command == "--edit") actions.push_back(burn_);
    actions.insert(actions.end(), {"--add", jund_, "--status"});
    CliRun run = Run(actions);
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    EXPECT_NE(run.out.find(command == "--new" ? "デッキ数 : 1" : "デッキ数 : 2"), std::string::npos)
        << command << "\n"
        << run.out;

    actions[4] = "replace_organizer";
    run = Run(actions);
    EXPECT_EQ(run.status, 4) << command;
    EXPECT_TRUE(ReportedAsScriptError(run, "indexing null")) << command << "\n" << run.err;
    EXPECT_EQ(run.err.find("Unexpected error"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("デッキ数 : "), std::string::npos) << command;
  }
}

// suspend() would leave the program's engine waiting for a resume that never comes, and every
// later call refused: it is a script error wherever the program called the script, and threads
// the scripts make may still use it.
TEST_F(ScriptMisuseTest, SuspendIsAScriptErrorOutsideTheScriptsOwnThreads) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
::Organizer.processors.append(MisuseProcessor("suspend_in_hook", function(e) { ::suspend(5); return 1; }));
::Organizer.processors.append(MisuseProcessor("suspend_in_thread", function(e) {
  local thread = ::newthread(function() { ::suspend(3); return 4; });
  return thread.call();
}));
)");
  CliRun run = RunAfterDecks({"--column", "suspend_in_hook", "--add", burn_});
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(ReportedAsScriptError(run, "suspend() can only be used in a thread")) << run.err;
  EXPECT_NE(run.out.find("デッキ数 : 3"), std::string::npos) << "decks still load\n" << run.err;

  run = RunAfterDecks({"--column", "suspend_in_thread"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<Strings> records = CsvRecords(run.out);
  ASSERT_GT(records.size(), 1u);
  EXPECT_EQ(records[1].back(), "3");

  scratch_.Write("misuse.nut", "::suspend(1);");
  run = Run({"--yes", "--add", burn_, "--status"});
  EXPECT_NE(run.err.find("suspend() can only be used in a thread"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("デッキ数 : 1"), std::string::npos) << run.err;
}

// A script's sub-menu that holds itself, or sub-menus nested hundreds deep, are reported at
// start-up; the other menu and the table work.
TEST_F(ScriptMisuseTest, SubMenusWithoutEndAreAScriptErrorAtStartUp) {
  for (const std::string menu : {"local loop = SubMenu(\"loop\", []); loop.items.append(loop);",
                                 "local loop = SubMenu(\"bottom\", []); for (local i = 0; i < 600; "
                                 "++i) loop = SubMenu(\"level\", [loop]);"}) {
    scratch_.Write("misuse.nut",
                   std::string(kMisuseScript) + menu + "::Organizer.sorters.append(loop);");
    CliRun run = Run({"--add", burn_, "--all-decks", "--column", "value_integer", "--status"});
    EXPECT_TRUE(ReportedAsScriptError(run, "SubMenu nested deeper than 32 levels")) << run.err;
    EXPECT_NE(run.out.find("デッキ数 : 1"), std::string::npos) << run.err;
  }
}

// Calling a value that cannot be called gives the engine no error text of its own; the report
// says what the value was.
TEST_F(ScriptMisuseTest, AnUncallableDeckProcessorIsReportedWithoutAnEarlierUnrelatedError) {
  CliRun run = Run({"--add", burn_, "--all-decks", "--column", "uncallable_deck_processor", "--add",
                    jund_, "--status"});
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(
      ReportedAsScriptError(run, "function : sq_call : the value called is Null, not a function"))
      << run.err;
  EXPECT_NE(run.out.find("デッキ数 : 1"), std::string::npos);
}

TEST_F(ScriptMisuseTest, AProcessFunctionThatIsNoFunctionIsReportedAsSuch) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
class NumberAsFunction { name = "number_as_function"; sorter = null; process_function = 5; }
::Organizer.processors.append(NumberAsFunction());
)");
  CliRun run = RunAfterDecks({"--column", "number_as_function"});
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(ReportedAsScriptError(run, "the value called is Integer, not a function")) << run.err;
}

// What a report or a cell shows reads as what it is: one 0x before an address, a NaN and a value
// that rounds to zero without a sign, a type expected named once, and the program's built-in
// functions under their names.
TEST_F(ScriptMisuseTest, ValueTextsAndReportsReadAsWhatTheyAre) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
::Organizer.processors.append(MisuseProcessor("value_nan", @(e) infinity - infinity));
::Organizer.processors.append(MisuseProcessor("value_negative_zero", @(e) -0.001));
::Organizer.processors.append(MisuseProcessor("wrong_type", @(e) ::Organizer.decks[0].mainboard.count_total_of(5)));
)");
  for (const auto& [label, text] : std::vector<std::pair<std::string, std::string>>{
           {"value_nan", "nan"}, {"value_negative_zero", "0.00"}, {"value_table", "(table : 0x"}}) {
    CliRun run = RunAfterDecks({"--column", label});
    std::vector<Strings> records = CsvRecords(run.out);
    ASSERT_GT(records.size(), 1u) << label;
    EXPECT_TRUE(records[1].back().starts_with(text)) << label << ": " << records[1].back();
    EXPECT_EQ(records[1].back().find("0x0x"), std::string::npos) << records[1].back();
  }
  CliRun run = RunAfterDecks({"--column", "wrong_type"});
  EXPECT_TRUE(ReportedAsScriptError(run, "expected: 'function'")) << run.err;
  EXPECT_EQ(run.err.find("function|function"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("[count_total_of()] built-in Board("), std::string::npos) << run.err;
}

// A special row whose own answer for a processor without a value throws: the column that asks
// for it is reported and goes away again.
TEST_F(ScriptMisuseTest, ASpecialRowThatFailsIsReportedAndItsColumnGoes) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
class FailingRow extends ::SpecialEntry {
  constructor() { base.constructor(::Card.Type.MainTotal, "failing", "failing", 0); use = true; }
  function case_of_cannot_process(processor) { throw "no value for this row"; }
}
::Organizer.special_entries.append(FailingRow());
)");
  const CliRun before = RunAfterDecks({});
  CliRun run = RunAfterDecks({"--column", "value_null"});
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(ReportedAsScriptError(run, "no value for this row")) << run.err;
  EXPECT_EQ(run.out, before.out);
}

// Special entries are read once at start-up, where a broken one ends the program as the
// start-up hooks do: with the unexpected-error box, and the script's reason in the error log.
TEST_F(ScriptMisuseTest, ABrokenSpecialEntryEndsTheStartWithItsReasonInTheErrorLog) {
  const std::vector<std::pair<std::string, std::string>> broken = {
      {"::Organizer.special_entries.append({});", "sq_getinstanceup"},
      {"local e = ::SpecialEntry(::Card.Type.MainTotal, \"a\", \"b\", 0); e.use = \"yes\";"
       " ::Organizer.special_entries.append(e);",
       "sq_getbool"},
  };
  for (const auto& [script, reason] : broken) {
    scratch_.Write("misuse.nut", script);
    CliRun run = Run({"--status"});
    EXPECT_EQ(run.status, 1) << script;
    EXPECT_NE(ScratchFolder::Read(scratch_.Join("tarvane.ini")).find(reason), std::string::npos)
        << script;
  }
}

// Scripts that rebind the model's classes, keep what the native side handed them, or hide their
// errors; files the engine compiled; nesting too deep for the compiler.

// Answers what the model gives a script, whatever the script rebound.
const char kProbeScript[] = R"(
class Probe {
  name = "probe"; sorter = null;
  function process_function(entry) {
    local forest = ::Organizer.card_database.fetch("Forest");
    return forest.name + " " + forest.is_normal() + " " +
           ::Organizer.decks[0].mainboard.count_all_total();
  }
}
::Organizer.processors.append(Probe());
)";

TEST_F(ScriptMisuseTest, RebindingTheModelsClassesChangesWhatScriptsSeeNotWhatTheProgramMakes) {
  for (const std::string rebinding :
       {"::Card <- ::Board;", "::Card <- ::Deck;", "::Board <- ::Deck;", "::Board <- ::Card;",
        "::Deck <- ::Card;", "::Entry <- ::Card;", "::CardDatabase <- ::Board;"}) {
    // Rebound at once, before the program makes anything, and a card fetched right away.
    scratch_.Write("misuse.nut",
                   std::string(kProbeScript) + rebinding +
                       "\n::forest <- ::Organizer.card_database.fetch(\"Forest\");\n");
    CliRun run = Run({"--add", burn_, "--column", "probe", "--status", "--csv"});
    // An action that reported an error makes the exit status say so.
    ASSERT_EQ(run.status, run.err.empty() ? 0 : 4) << rebinding << "\n" << run.err;
    std::vector<Strings> records = CsvRecords(run.out);
    ASSERT_GT(records.size(), 1u) << rebinding;
    // The probe column, where the start-up script's own columns may fail on the rebound name.
    if (records[0].back() == "probe") {
      EXPECT_TRUE(records[1].back().starts_with("Forest true ")) << rebinding << records[1].back();
    } else {
      EXPECT_TRUE(ReportedAsScriptError(run, "")) << rebinding << "\n" << run.err;
    }
  }
}

// A class put in place of ::Board is never handed a board; a script that takes over the real
// constructor keeps only a token, which is no use once the deck has gone.
TEST_F(ScriptMisuseTest, WhatAScriptKeepsOfANativeObjectDiesWithTheObject) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
::handed <- null;
class StandIn { static Type = ::Board.Type; constructor(p) { ::handed <- p; } }
::RealBoard <- ::Board;
::Board <- StandIn;
::native_board_constructor <- ::RealBoard.constructor;
::kept_tokens <- [];
::RealBoard.constructor <- function(token) {
  ::kept_tokens.append(token);
  ::native_board_constructor.call(this, token);
}
class Inspect {
  name = "inspect"; sorter = null;
  function process_function(entry) {
    return (::handed == null ? "not handed" : "handed") + " " +
           (::Organizer.decks[0].mainboard instanceof ::RealBoard);
  }
}
class Rebuild {
  name = "rebuild"; sorter = null;
  function process_function(entry) {
    local board = ::RealBoard.instance();
    ::native_board_constructor.call(board, ::kept_tokens[0]);
    return board.count_all_total();
  }
}
::Organizer.processors.extend([Inspect(), Rebuild()]);
)");
  CliRun run = Run({"--add", burn_, "--column", "inspect", "--column", "rebuild", "--csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<Strings> records = CsvRecords(run.out);
  ASSERT_GT(records.size(), 1u);
  ASSERT_EQ(records[0].size(), 3u);
  EXPECT_EQ(records[1][1], "not handed true");
  // While the deck is loaded, the kept token is as good as the board's own.
  EXPECT_EQ(records[1][2], "60");
  // Once the deck is gone, so is the token.
  run = Run({"--add", burn_, "--new", "--add", jund_, "--column", "rebuild", "--csv"});
  EXPECT_TRUE(ReportedAsScriptError(run, "not a live object of this class")) << run.err;
}

// A board kept after its deck was dropped is an error, also when the next deck is made where
// the dropped one was.
TEST_F(ScriptMisuseTest, ABoardKeptPastItsDeckIsAnError) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + R"(
::first_board <- null;
::RealDeckProcessor <- ::DeckProcessor;
::DeckProcessor <- function(deck) {
  if (::first_board == null) ::first_board = deck.mainboard;
  return ::RealDeckProcessor(deck);
}
class KeptBoard {
  name = "kept board"; sorter = null;
  function process_function(entry) { return ::first_board.count_all_total(); }
}
::Organizer.processors.append(KeptBoard());
)");
  CliRun run = Run({"--add", burn_, "--column", "kept board", "--csv"});
  std::vector<Strings> records = CsvRecords(run.out);
  ASSERT_GT(records.size(), 1u);
  EXPECT_EQ(records[0].back(), "kept board");
  EXPECT_EQ(run.err, "");
  // Here the second deck loaded after the reset takes the address of the dropped one.
  const std::string humans =
      (std::filesystem::path(std::getenv("TARVANE_BIN_DIR")) / "decks/humans.txt").string();
  for (const std::string dropping : {"--new", "--edit"}) {
    Strings actions = {"--add", burn_, dropping};
    if (dropping == "--new") actions.push_back("--add");
    actions.insert(actions.end(), {humans, jund_, "--column", "kept board", "--csv"});
    run = Run(actions);
    EXPECT_EQ(run.status, 4);
    EXPECT_TRUE(ReportedAsScriptError(run, "the deck of this board is no longer loaded"))
        << dropping << "\n"
        << run.err;
    EXPECT_EQ(run.out.find("kept board"), std::string::npos) << dropping;
  }
}

const char kHiddenErrorsScript[] = R"(
function failing_predicate(card) { local reason = "inner"; throw "predicate failed"; }
class HandledPredicate {
  name = "handled predicate"; sorter = null;
  function process_function(entry) {
    try { ::Organizer.decks[0].mainboard.count_total_of(::failing_predicate); } catch (error) {}
    return 1;
  }
}
class HandledCompileError {
  name = "handled compile error"; sorter = null;
  function process_function(entry) {
    try { loadfile(::Organizer.executing_directory_path + "/broken.nut", true); } catch (error) {}
    return 1 / 0;
  }
}
class FailingPredicate {
  name = "failing predicate"; sorter = null;
  function process_function(entry) {
    return ::Organizer.decks[0].mainboard.count_total_of(::failing_predicate);
  }
}
class DeepCompile {
  name = "deep compile"; sorter = null;
  function process_function(entry) {
    local text = "return ";
    for (local i = 0; i < 20000; ++i) text += "(";
    return compilestring(text)();
  }
}
::Organizer.processors.extend(
    [HandledPredicate(), HandledCompileError(), FailingPredicate(), DeepCompile()]);
)";

// An error a script caught is not reported for a later failure; an error raised under a native
// function is reported with the frame that raised it.
TEST_F(ScriptMisuseTest, ReportsShowTheErrorThatEndedTheActionWhereItWasRaised) {
  scratch_.Write("misuse.nut", std::string(kMisuseScript) + kHiddenErrorsScript);
  scratch_.Write("broken.nut", "local = ;");
  CliRun run = Run({"--add", burn_, "--all-decks", "--column", "handled predicate", "--column",
                    "uncallable_deck_processor", "--add", jund_, "--status"});
  EXPECT_TRUE(
      ReportedAsScriptError(run, "function : sq_call : the value called is Null, not a function"))
      << run.err;
  EXPECT_EQ(run.err.find("predicate failed"), std::string::npos) << run.err;

  run = Run({"--add", burn_, "--column", "handled compile error"});
  EXPECT_TRUE(ReportedAsScriptError(run, "Exception [division by zero]")) << run.err;
  EXPECT_EQ(run.err.find("Compile error"), std::string::npos) << run.err;

  run = Run({"--add", burn_, "--column", "failing predicate"});
  EXPECT_TRUE(ReportedAsScriptError(run,
                                    "Exception [predicate failed]\n\nCall Stack\n"
                                    "[failing_predicate()] "))
      << run.err;
  EXPECT_NE(run.err.find("[reason] \"inner\""), std::string::npos) << run.err;

  run = Run({"--add", burn_, "--column", "deep compile", "--status"});
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(ReportedAsScriptError(run, "the text is nested too deeply")) << run.err;
}

// An extension script may be a file that the engine's writeclosuretofile compiled.
TEST_F(ScriptMisuseTest, ACompiledExtensionScriptRunsLikeItsSource) {
  const std::string compiled = scratch_.Join("compiled.cnut");
  {
    TtSquirrel::VirtualMachine compiler(1024);
    compiler.RegisterStandardLibraries();
    compiler.NewRootSlot("source", [&] {
      compiler.GetNativeAPI().PushString(
          "class Compiled { name = \"compiled\"; sorter = null;\n"
          "  function process_function(entry) { return 7; } }\n"
          "::Organizer.processors.append(Compiled());\n");
    });
    compiler.RunBuffer(
        "writeclosuretofile(\"" + compiled + "\", compilestring(::source));", "writer",
        [&] { compiler.GetNativeAPI().PushRootTable(); }, false);
  }
  scratch_.Write("tarvane.ini",
                 "[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=compiled.cnut\n");
  CliRun run = Run({"--add", burn_, "--column", "compiled", "--csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::vector<Strings> records = CsvRecords(run.out);
  ASSERT_GT(records.size(), 1u);
  EXPECT_EQ(records[0].back(), "compiled");
  EXPECT_EQ(records[1].back(), "7");
}

// The start-up shows the compile error as for any other, and the program was not harmed.
TEST_F(ScriptMisuseTest, AnExtensionScriptNestedTooDeeplyIsACompileError) {
  const int depth = 20000;
  scratch_.Write("misuse.nut",
                 "::x <- " + std::string(depth, '(') + "1" + std::string(depth, ')') + ";\n");
  CliRun run = Run({"--status"});
  EXPECT_EQ(run.status, 1);  // the user answered No to starting without it
  EXPECT_NE(
      run.err.find("Compile error\n" + scratch_.Join("misuse.nut") + " : line = (1) : column = ("),
      std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find(") : the text is nested too deeply"), std::string::npos) << run.err;
  run = Run({"--yes", "--status"});
  EXPECT_EQ(run.status, 4) << "the start went on after an error";
  EXPECT_NE(run.out.find("デッキ数 : 0"), std::string::npos);
}
