#pragma once
// The start-up script that the table, tool and window tests run, in two parts: the script
// classes (sorters and processors of every kind a test needs, also the broken ones) and, in each
// test helper, the menus and special rows it registers from them.
#include <string>

namespace TarvaneTest {

// Rows sort by board (sideboard rows last), card rows before special rows, then English name.
// Sorters may compare by floats, strings, null or fail; ValueProcessor yields the value it is
// given; a deck column sorts by ::deck_column_sorter, by count unless the script changes it.
// special_entry(type, name, name_japanese, board, use) adds a special row (a local function: the
// menus follow in the same script text).
inline std::string TestScriptClasses() {
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
function deck_column_sorter(deck) { return DeckSorter(deck); }
class DeckProcessor {
  deck = null; name = null; sorter = null;
  constructor(the_deck) {
    deck = the_deck; name = the_deck.file_name; sorter = ::deck_column_sorter(the_deck);
  }
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
)";
}

}  // namespace TarvaneTest
