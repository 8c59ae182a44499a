#pragma once
// Shared pieces of the table and tool tests: a program folder with a start-up script written for
// these tests and two deck list files, a recorder of status texts, and a fixture with the table
// over a list store.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/deck.h"
#include "script/squirrel_vm.h"
#include "table/analysis_table.h"
#include "table/status_bar_texts.h"
#include "tests/support/program_folder.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/script_runner.h"
#include "ttl/core/tt_list_view_store.h"
#include "ttl/core/tt_string.h"

namespace TarvaneTest {

class RecordingStatusBar : public Tarvane::StatusBarTexts {
public:
  void SetStatusText(int part, const std::string& text) override { texts[part] = text; }
  std::string texts[4];
};

// Rows sort by board (sideboard rows last), card rows before special rows, then English name.
// The sort menu offers sorters whose comparisons return floats, strings, null or fail; the
// special-column menu offers processors that yield 0, 0.0, 1.5, a string, null, or fail.
inline std::string TestStartupScript() {
  return R"(
class SubMenu {
  name = null; items = null;
  constructor(menu_name, menu_items) { name = menu_name; items = menu_items; }
}
function group(e) { return e.board_type == ::Board.Type.Sideboard ? 1 : 0; }
function special(e) { return e instanceof ::SpecialEntry; }
function by_name(a, b) {
  local g = group(a) <=> group(b); if (g != 0) return g;
  local s = special(a).tointeger() <=> special(b).tointeger(); if (s != 0) return s;
  return a.card.name <=> b.card.name;
}
class NameSorter { name = "名前順"; function compare_for_sort(a, b) { return ::by_name(a, b); } }
class ReverseSorter { name = "逆順"; function compare_for_sort(a, b) { return ::by_name(b, a); } }
class FloatSorter { name = "小数"; function compare_for_sort(a, b) { return ::by_name(b, a) * 0.25; } }
class StringSorter { name = "文字列"; function compare_for_sort(a, b) { return "-1"; } }
class NullSorter { name = "null"; function compare_for_sort(a, b) { return null; } }
class BrokenSorter { name = "壊れた"; function compare_for_sort(a, b) { throw "比較できません"; } }
class NamelessSorter { function compare_for_sort(a, b) { return ::by_name(b, a); } }

class NameProcessor {
  name = null; sorter = null; japanese = true;
  constructor(is_japanese) {
    japanese = is_japanese; name = is_japanese ? "カード名" : "Card Name"; sorter = NameSorter();
  }
  function process_function(entry) { return japanese ? entry.card.name_japanese : entry.card.name; }
}
::Organizer.create_first_column_processor <- function(is_japanese) {
  return NameProcessor(is_japanese);
}

class DeckSorter {
  name = null; deck = null;
  constructor(the_deck) { deck = the_deck; name = the_deck.file_name + " の枚数順"; }
  function compare_for_sort(a, b) {
    local g = ::group(a) <=> ::group(b); if (g != 0) return g;
    local count = function(e) { return deck.get_board_type_of(e.board_type).get_count_of(e.card); };
    local by_count = count(b) <=> count(a);
    return by_count != 0 ? by_count : ::by_name(a, b);
  }
}
class DeckProcessor {
  deck = null; name = null; sorter = null;
  constructor(the_deck) { deck = the_deck; name = the_deck.file_name; sorter = DeckSorter(the_deck); }
  function process_function(entry) {
    local board = deck.get_board_type_of(entry.board_type);
    if (::special(entry)) return board.count_all_total();
    return board.get_count_of(entry.card);
  }
}

class ValueProcessor {
  name = null; sorter = null; value = null;
  constructor(column_name, column_value) { name = column_name; value = column_value; sorter = ReverseSorter(); }
  function process_function(entry) { return value; }
}
class FailingProcessor {
  name = "失敗"; sorter = null;
  function process_function(entry) { throw "計算できません"; }
}
class NamelessProcessor { sorter = null; function process_function(entry) { return 1; } }
class SorterlessProcessor { name = "並び替えなし"; function process_function(entry) { return 1; } }
class NamelessSorterProcessor {
  name = "名前のない並び替え"; sorter = null;
  constructor() { sorter = NamelessSorter(); }
  function process_function(entry) { return 2; }
}

local function special_entry(type, name, name_japanese, board, use) {
  local entry = ::SpecialEntry(type, name, name_japanese, board);
  entry.use = use;
  ::Organizer.special_entries.append(entry);
}
special_entry(::Card.Type.MainTotal, "Main Total", "メイン合計", ::Board.Type.Mainboard, true);
special_entry(::Card.Type.LandTotal, "Main Lands", "メイン土地", ::Board.Type.Mainboard, false);
special_entry(::Card.Type.MainTotal, "Side Total", "サイド合計", ::Board.Type.Sideboard, true);

::Organizer.processors.extend([
  ValueProcessor("ゼロ", 0), ValueProcessor("小数ゼロ", 0.0), ValueProcessor("小数", 1.5),
  ValueProcessor("文字列", "a,b\t\"c\""), ValueProcessor("空", null), ValueProcessor("真", true),
  ValueProcessor("負", -12), ValueProcessor("大", 1e30), null,
  SubMenu("壊れた", [FailingProcessor(), SorterlessProcessor(), NamelessSorterProcessor()])
]);
::Organizer.sorters.extend([
  NameSorter(), ReverseSorter(), null,
  SubMenu("特殊", [FloatSorter(), StringSorter(), NullSorter(), BrokenSorter()])
]);
)";
}

// Lightning Bolt is on both boards of burn; Mountain is on burn's main deck and blue's
// sideboard; Smash is in no dictionary.
inline std::string BurnDeck() {
  return "4 Lightning Bolt\n4 Goblin Guide\n8 Mountain\n\n2 Lightning Bolt\n3 Smash\n";
}
inline std::string BlueDeck() { return "4 Counterspell\n10 Island\n\n2 Mountain\n"; }

// The program folder with the test dictionary, the script above and the two decks.
class TableProgramFolder : public ProgramFolder {
public:
  TableProgramFolder() {
    WriteDictionary(TestDictionary());
    WriteStartupScript(TestStartupScript());
    burn = Write("decks/burn.txt", BurnDeck());
    blue = Write("decks/blue.txt", BlueDeck());
  }

  std::string burn;
  std::string blue;
};

// The table brought up as the main window brings it up: data side, then Reset.
class TableTest : public ::testing::Test {
protected:
  void SetUp() override { Start(); }
  ~TableTest() override {
    table.reset();
    vm.reset();
  }

  void Start(const std::string& extra_script = "") {
    if (!extra_script.empty()) folder.Write("tarvane.nut", TestStartupScript() + extra_script);
    table.reset();
    vm.reset();
    vm = std::make_unique<Tarvane::SquirrelVM>(reporter);
    table = std::make_unique<Tarvane::AnalysisTable>(*vm, list, status_bar);
    table->Reset();
  }

  // The texts of one column, top to bottom.
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int item = 0; item < list.GetItemCount(); ++item) {
      texts.push_back(list.GetItemText(item, column));
    }
    return texts;
  }
  std::vector<std::string> Headers() const {
    std::vector<std::string> texts;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      texts.push_back(list.GetColumnText(column));
    }
    return texts;
  }
  void Run(const std::string& statements) { RunScript(*vm, statements); }
  TtSquirrel::Object Value(const std::string& expression) { return ScriptValue(*vm, expression); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const auto& message : reporter.messages) captions.push_back(message.caption);
    return captions;
  }
  // Checks that list column i and element i of the columns list are the same column.
  void ExpectColumnsAligned() const {
    ASSERT_EQ(static_cast<size_t>(list.GetColumnCount()), table->GetColumns().size());
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      EXPECT_EQ(list.GetColumnData(column),
                reinterpret_cast<TtWin::LPARAM>(table->GetColumns()[column].get()));
    }
  }

  TableProgramFolder folder;
  RecordingReporter reporter;
  RecordingStatusBar status_bar;
  TtListViewStore list;
  std::unique_ptr<Tarvane::SquirrelVM> vm;
  std::unique_ptr<Tarvane::AnalysisTable> table;
};

}  // namespace TarvaneTest
