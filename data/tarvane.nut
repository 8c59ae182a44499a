// Tarvane start-up script.
//
// It defines what every column shows and how rows are ordered: the deck processor that makes a
// deck's column, the first column, the computed rows (totals per card type), the processors of
// the special-column menu and the sort rules of the sort menu. An extension script runs after
// this one and may add to these lists or replace any of the definitions.
//
// This file is kept in UTF-8 and converted to CP932 when the program is built. In CP932 the
// second byte of a few characters (ソ, 表, 能 and others) is the byte of a backslash, which the
// script reader takes as the start of an escape; such a character is therefore written with a
// backslash after it inside a string ("ソ\ーサリー"), so that the reader keeps the character whole.

// ---------------------------------------------------------------------------------------------
// Menus

// A nested sub-menu of the special-column or sort menu.
class SubMenu {
  name = null;
  items = null;
  constructor(menu_name, menu_items) {
    name = menu_name;
    items = menu_items;
  }
}

// ---------------------------------------------------------------------------------------------
// Helpers shared by the processors and sorters

// 0 for the main deck and the summed board, 1 for the sideboard: sideboard rows come last.
function board_group(entry) {
  return entry.board_type == ::Board.Type.Sideboard ? 1 : 0;
}

function is_special_row(entry) {
  return entry instanceof ::SpecialEntry;
}

// The card order: type (total rows sit among the types), then converted mana cost, then name.
// Cards the dictionary lacks (41000) or whose type it does not know (0) stand after the known
// cards and before the summary totals, so they are not lost below the last total.
function card_order_type(card) {
  local type = card.type;
  return (type == 41000 || type == 0) ? ::Card.Type.PlaneswalkerTotal + 500 : type;
}

function compare_card_order(a, b) {
  local group = board_group(a) <=> board_group(b);
  if (group != 0) return group;
  local by_type = card_order_type(a.card) <=> card_order_type(b.card);
  if (by_type != 0) return by_type;
  local by_cost = a.card.converted_mana_cost <=> b.card.converted_mana_cost;
  if (by_cost != 0) return by_cost;
  return a.card.name <=> b.card.name;
}

// Where a row stands in its board group when rows are ordered by anything but the card order:
// the sideboard separator heads the group, the cards follow, the other computed rows come last.
function row_rank(entry) {
  if (!is_special_row(entry)) return 1;
  return entry.card.type == ::Card.Type.SideboardStart ? 0 : 2;
}

// Arrays element by element (<=> would compare where they are stored); the shorter first when
// one begins the other.
function compare_arrays(a, b) {
  local length = a.len() < b.len() ? a.len() : b.len();
  for (local index = 0; index < length; ++index) {
    local by_element = (typeof a[index] == "array" && typeof b[index] == "array")
        ? compare_arrays(a[index], b[index]) : a[index] <=> b[index];
    if (by_element != 0) return by_element;
  }
  return a.len() <=> b.len();
}

// Orders by a key, keeping the board groups apart and the computed rows in their places. An
// array key compares element by element, so several keys can be given at once.
function compare_by_key(a, b, key_of) {
  local group = board_group(a) <=> board_group(b);
  if (group != 0) return group;
  local rank = row_rank(a) <=> row_rank(b);
  if (rank != 0) return rank;
  if (is_special_row(a)) return compare_card_order(a, b);
  local key_a = key_of(a);
  local key_b = key_of(b);
  local by_key = (typeof key_a == "array" && typeof key_b == "array")
      ? compare_arrays(key_a, key_b) : key_a <=> key_b;
  return by_key != 0 ? by_key : compare_card_order(a, b);
}

// The type codes that a total row counts, by its own type code.
::TotalCountTypes <- {};
::TotalCountTypes[::Card.Type.LandTotal] <- [::Card.Type.Land];
::TotalCountTypes[::Card.Type.CreatureTotal] <- [::Card.Type.Creature];
::TotalCountTypes[::Card.Type.InstantTotal] <- [::Card.Type.Instant];
::TotalCountTypes[::Card.Type.SorceryTotal] <- [::Card.Type.Sorcery];
::TotalCountTypes[::Card.Type.EnchantmentTotal] <- [::Card.Type.Enchantment];
::TotalCountTypes[::Card.Type.ArtifactTotal] <- [::Card.Type.Artifact];
::TotalCountTypes[::Card.Type.PlaneswalkerTotal] <- [::Card.Type.Planeswalker];

// The value of a total row on one board; null for rows that are not totals (the separator).
function board_total(board, total_type) {
  if (total_type in ::TotalCountTypes) return board.count_type_total(::TotalCountTypes[total_type][0]);
  switch (total_type) {
    case ::Card.Type.InstantSorceryTotal: return board.count_instant_sorcery_total();
    case ::Card.Type.SpellTotal: return board.count_spell_total();
    case ::Card.Type.MainTotal: return board.count_all_total();
  }
  return null;
}

// What the totals need to know of a card, by card name: [type, is_instant_sorcery(),
// is_spell()]. Each card is fetched once for every deck that plays it, since the card database
// does not change a card that it holds.
::CardTotalKinds <- {};

function card_total_kind(card_name) {
  local kinds = ::CardTotalKinds;
  if (card_name in kinds) return kinds[card_name];
  local card = ::Organizer.card_database.fetch(card_name);
  local kind = [card.type, card.is_instant_sorcery(), card.is_spell()];
  kinds[card_name] <- kind;
  return kind;
}

// Every total row's value on one board, as board_total gives them, with each card of the board
// looked at once for all the totals instead of once per total.
function board_totals(board) {
  local totals = {};
  local totals_of_type = {};  // card type -> the total types that count it
  foreach (total_type, counted_types in ::TotalCountTypes) {
    totals[total_type] <- 0;
    local card_type = counted_types[0];
    if (!(card_type in totals_of_type)) totals_of_type[card_type] <- [];
    totals_of_type[card_type].append(total_type);
  }
  local instant_sorcery = 0;
  local spells = 0;
  local all = 0;
  foreach (card_name, count in board.table) {
    local kind = ::card_total_kind(card_name);
    if (kind[0] in totals_of_type) {
      foreach (total_type in totals_of_type[kind[0]]) totals[total_type] += count;
    }
    if (kind[1]) instant_sorcery += count;
    if (kind[2]) spells += count;
    all += count;
  }
  totals[::Card.Type.InstantSorceryTotal] <- instant_sorcery;
  totals[::Card.Type.SpellTotal] <- spells;
  totals[::Card.Type.MainTotal] <- all;
  return totals;
}

// The count a deck shows for a row: the card's copies, or the total for a computed row.
function deck_value(deck, entry) {
  local board = deck.get_board_type_of(entry.board_type);
  if (is_special_row(entry)) return board_total(board, entry.card.type);
  local table = board.table;
  local name = entry.card.name;
  return name in table ? table[name] : 0;
}

// The shipped deck_value and board_total, which deck columns compute faster themselves as long
// as no extension script has put its own in their place.
::ShippedDeckValue <- ::deck_value;
::ShippedBoardTotal <- ::board_total;

// ---------------------------------------------------------------------------------------------
// Deck columns

// The column of one deck: named after the deck's NAME header, else its file name.
class DeckProcessor {
  deck = null;
  name = null;
  sorter = null;
  // The deck's board tables by board type, and its total rows' values by board type and total
  // type, counted when first asked: a deck does not change once loaded. No tables when an
  // extension script has its own deck_value, which every cell then calls.
  tables = null;
  totals = null;
  constructor(the_deck) {
    deck = the_deck;
    name = ("NAME" in deck.headers && deck.headers.NAME != "") ? deck.headers.NAME : deck.file_name;
    sorter = DeckCountSorter(this);
    local shipped = ::deck_value == ::ShippedDeckValue;
    tables = shipped ? [deck.mainboard.table, deck.sideboard.table, deck.hybridboard.table] : [];
    totals = [null, null, null];
  }
  // What deck_value(deck, entry) gives, with the lookups of boards and totals done once per deck.
  function process_function(entry) {
    local board_type = entry.board_type;
    local by_type = tables;
    if (!(board_type in by_type)) return ::deck_value(deck, entry);
    if (entry instanceof ::SpecialEntry) return total_of(board_type, entry.card.type);
    local table = by_type[board_type];
    local card_name = entry.card.name;
    return card_name in table ? table[card_name] : 0;
  }
  // What board_total gives for the deck's board of that type.
  function total_of(board_type, total_type) {
    if (totals[board_type] == null) {
      totals[board_type] = ::board_total == ::ShippedBoardTotal
                               ? ::board_totals(deck.get_board_type_of(board_type)) : {};
    }
    local board_totals = totals[board_type];
    if (!(total_type in board_totals)) {
      board_totals[total_type] <- ::board_total(deck.get_board_type_of(board_type), total_type);
    }
    return board_totals[total_type];
  }
}

// Sorts by the copies in one deck, most first; computed rows keep the card order.
class DeckCountSorter {
  name = null;
  processor = null;
  constructor(deck_processor) {
    processor = deck_processor;
    name = deck_processor.name + " の枚数順";
  }
  function compare_for_sort(a, b) {
    local deck_processor = processor;
    return ::compare_by_key(a, b, function(entry) { return -deck_processor.process_function(entry); });
  }
}

// ---------------------------------------------------------------------------------------------
// Statistics over all loaded decks

// A value made from the loaded decks, kept until the deck list changes. Loading a deck appends
// it to ::Organizer.decks and every other change of the list puts a new array there, so the
// array and its length tell whether the kept value still holds.
class DeckListCache {
  make = null;
  decks = null;
  deck_count = -1;
  value = null;
  // make(decks) computes the value from an array of Deck instances.
  constructor(make_from_decks) {
    make = make_from_decks;
  }
  function get() {
    local current = ::Organizer.decks;
    if (decks != current || deck_count != current.len()) {
      value = make(current);
      decks = current;
      deck_count = current.len();
    }
    return value;
  }
}

// The statistics of one board type over the given decks, in one pass over their board tables:
// card name -> [decks playing, total copies, most copies in one deck]. Only cards with a
// positive count are played.
function count_cards(decks, board_type) {
  local cards = {};
  foreach (deck in decks) {
    foreach (card_name, count in deck.get_board_type_of(board_type).table) {
      if (count <= 0) continue;
      if (card_name in cards) {
        local stats = cards[card_name];
        ++stats[0];
        stats[1] += count;
        if (count > stats[2]) stats[2] = count;
      } else {
        cards[card_name] <- [1, count, count];
      }
    }
  }
  return cards;
}

// Every statistics column and sorter reads the same counts: each board type is counted once,
// when a row of it first asks, and kept until the deck list changes.
class DeckStatistics {
  counted = null;
  constructor() {
    counted = DeckListCache(function(decks) { return {decks = decks, boards = {}}; });
  }
  // card name -> [decks playing, total copies, most copies] for a Board.Type value.
  function board(board_type) {
    local current = counted.get();
    local boards = current.boards;
    if (!(board_type in boards)) boards[board_type] <- ::count_cards(current.decks, board_type);
    return boards[board_type];
  }
  // [decks playing, total copies, most copies] of a card row on its board.
  function of(entry) {
    local cards = board(entry.board_type);
    local card_name = entry.card.name;
    return card_name in cards ? cards[card_name] : [0, 0, 0];
  }
  // The number of decks the statistics count.
  function deck_count() {
    return counted.get().decks.len();
  }
}
::Statistics <- DeckStatistics();

// A special column over all decks; `value_of` maps a card row to its value.
class StatisticsProcessor {
  name = null;
  sorter = null;
  value_of = null;
  constructor(column_name, row_value) {
    name = column_name;
    value_of = row_value;
    sorter = StatisticsSorter(column_name + "順", row_value);
  }
  function process_function(entry) {
    if (::is_special_row(entry)) return null;
    return value_of(::Statistics.of(entry));
  }
}

// Sorts by a statistic, largest first, then in card order.
class StatisticsSorter {
  name = null;
  value_of = null;
  constructor(sorter_name, row_value) {
    name = sorter_name;
    value_of = row_value;
  }
  function compare_for_sort(a, b) {
    local value = value_of;
    return ::compare_by_key(a, b, function(entry) { return -value(::Statistics.of(entry)); });
  }
}

function decks_playing(stats) { return stats[0]; }
function total_copies(stats) { return stats[1]; }
function most_copies(stats) { return stats[2]; }
function share_of_decks(stats) {
  local count = ::Statistics.deck_count();
  return count == 0 ? 0.0 : 100.0 * stats[0] / count;
}
function average_copies(stats) {
  return stats[0] == 0 ? 0.0 : stats[1].tofloat() / stats[0];
}

// ---------------------------------------------------------------------------------------------
// Statistics by archetype

// A deck's archetype as the program labelled it: by the archetype rule folder of the settings,
// else its ARCHETYPE header, else its NAME header, else its file name (deck.archetype_how() tells
// which). Set ::Organizer.decide_archetype to decide it yourself.
function archetype_of(deck) {
  return deck.archetype();
}

// The loaded decks grouped by archetype, largest archetype first (then by name), each
// archetype's boards counted as ::Statistics counts all decks: once per board type, when a row
// first asks, kept until the deck list changes. Each deck belongs to one archetype, so counting
// every archetype is one pass over the decks.
class ArchetypeStatistics {
  counted = null;
  constructor() {
    counted = DeckListCache(function(decks) {
      local by_name = {};
      local archetypes = [];
      foreach (deck in decks) {
        local name = ::archetype_of(deck);
        if (!(name in by_name)) {
          by_name[name] <- {name = name, decks = [], boards = {}};
          archetypes.append(by_name[name]);
        }
        by_name[name].decks.append(deck);
      }
      archetypes.sort(function(a, b) {
        local by_size = b.decks.len() <=> a.decks.len();
        return by_size != 0 ? by_size : a.name <=> b.name;
      });
      return {by_name = by_name, archetypes = archetypes};
    });
  }
  // Every archetype of the loaded decks, largest first: tables with `name` and `decks`.
  function all() {
    return counted.get().archetypes;
  }
  // [decks playing, total copies, most copies] of a card row among one archetype's decks.
  function of(archetype_name, entry) {
    local by_name = counted.get().by_name;
    if (!(archetype_name in by_name)) return [0, 0, 0];
    local archetype = by_name[archetype_name];
    local board_type = entry.board_type;
    if (!(board_type in archetype.boards)) {
      archetype.boards[board_type] <- ::count_cards(archetype.decks, board_type);
    }
    local cards = archetype.boards[board_type];
    local card_name = entry.card.name;
    return card_name in cards ? cards[card_name] : [0, 0, 0];
  }
  // The number of loaded decks of the archetype.
  function deck_count(archetype_name) {
    local by_name = counted.get().by_name;
    return archetype_name in by_name ? by_name[archetype_name].decks.len() : 0;
  }
}
::Archetypes <- ArchetypeStatistics();

// The column of one archetype; `value_of(stats, deck_count)` maps a card row's statistics among
// the archetype's decks to its value. Headed with the archetype's name and deck count.
class ArchetypeProcessor {
  name = null;
  sorter = null;
  archetype = null;
  value_of = null;
  constructor(archetype_name, deck_count, label, row_value) {
    archetype = archetype_name;
    value_of = row_value;
    name = archetype_name + " (" + deck_count + ")";
    sorter = ArchetypeSorter(name + " " + label + "順", archetype_name, row_value);
  }
  // Blank where no deck of the archetype plays the card, so that its few cards stand out.
  function process_function(entry) {
    if (::is_special_row(entry)) return null;
    local stats = ::Archetypes.of(archetype, entry);
    return stats[0] == 0 ? null : value_of(stats, ::Archetypes.deck_count(archetype));
  }
}

// Sorts by an archetype's statistic, largest first, then in card order.
class ArchetypeSorter {
  name = null;
  archetype = null;
  value_of = null;
  constructor(sorter_name, archetype_name, row_value) {
    name = sorter_name;
    archetype = archetype_name;
    value_of = row_value;
  }
  function compare_for_sort(a, b) {
    local value = value_of;
    local name = archetype;
    return ::compare_by_key(a, b, function(entry) {
      return -value(::Archetypes.of(name, entry), ::Archetypes.deck_count(name));
    });
  }
}

// A menu item that adds one column per archetype of the loaded decks, largest first.
class ArchetypeColumns {
  name = null;
  value_of = null;
  constructor(label, row_value) {
    name = label;
    value_of = row_value;
  }
  function create_columns() {
    local columns = [];
    foreach (archetype in ::Archetypes.all()) {
      columns.append(ArchetypeProcessor(archetype.name, archetype.decks.len(), name, value_of));
    }
    return columns;
  }
}

function archetype_share(stats, deck_count) {
  return deck_count == 0 ? 0.0 : 100.0 * stats[0] / deck_count;
}
function archetype_average(stats, deck_count) {
  return average_copies(stats);
}

// ---------------------------------------------------------------------------------------------
// The difference of two decks

// Row by row, the first deck column's value minus the second's: blank where they are equal.
// Made by 差分カラムを追加 with the two decks' processors.
class DifferenceProcessor {
  name = null;
  sorter = null;
  first = null;
  second = null;
  constructor(first_processor, second_processor) {
    first = first_processor;
    second = second_processor;
    name = first.name + " － " + second.name;
    sorter = DifferenceSorter(this);
  }
  function process_function(entry) {
    local difference = ::number_or_zero(first.process_function(entry)) -
                       ::number_or_zero(second.process_function(entry));
    return difference == 0 ? null : difference;
  }
}

function number_or_zero(value) {
  local type = typeof value;
  return (type == "integer" || type == "float") ? value : 0;
}

// Sorts by the difference, largest first; computed rows keep the card order.
class DifferenceSorter {
  name = null;
  processor = null;
  constructor(difference_processor) {
    processor = difference_processor;
    name = difference_processor.name + " の差分順";
  }
  function compare_for_sort(a, b) {
    local difference = processor;
    return ::compare_by_key(a, b, function(entry) {
      return -::number_or_zero(difference.process_function(entry));
    });
  }
}

// ---------------------------------------------------------------------------------------------
// Sorters of the sort menu

class CardOrderSorter {
  name = "カードタイプ順";
  function compare_for_sort(a, b) { return ::compare_card_order(a, b); }
}

class EnglishNameSorter {
  name = "英語名順";
  function compare_for_sort(a, b) {
    return ::compare_by_key(a, b, function(entry) { return entry.card.name; });
  }
}

class JapaneseNameSorter {
  name = "日本語名順";
  function compare_for_sort(a, b) {
    return ::compare_by_key(a, b, function(entry) { return entry.card.name_japanese; });
  }
}

// ---------------------------------------------------------------------------------------------
// The first column

class CardNameProcessor {
  name = null;
  sorter = null;
  japanese = true;
  constructor(is_japanese) {
    japanese = is_japanese;
    name = is_japanese ? "カード名" : "Card Name";
    sorter = CardOrderSorter();
  }
  function process_function(entry) {
    return japanese ? entry.card.name_japanese : entry.card.name;
  }
}

::Organizer.create_first_column_processor <- function(is_japanese) {
  return CardNameProcessor(is_japanese);
};

// ---------------------------------------------------------------------------------------------
// Computed rows: totals per card type for the main deck and for the sideboard

function add_totals(board_type, board_label, shown_types) {
  local totals = [
    [::Card.Type.LandTotal, "Lands", "土地"],
    [::Card.Type.CreatureTotal, "Creatures", "クリーチャー"],
    [::Card.Type.InstantTotal, "Instants", "インスタント"],
    [::Card.Type.SorceryTotal, "Sorceries", "ソ\ーサリー"],
    [::Card.Type.InstantSorceryTotal, "Instants and Sorceries", "インスタント・ソ\ーサリー"],
    [::Card.Type.EnchantmentTotal, "Enchantments", "エンチャント"],
    [::Card.Type.ArtifactTotal, "Artifacts", "アーティファクト"],
    [::Card.Type.PlaneswalkerTotal, "Planeswalkers", "プレインズウォーカー"],
    [::Card.Type.SpellTotal, "Spells", "呪文"],
    [::Card.Type.MainTotal, "All Cards", "全カード"]
  ];
  foreach (total in totals) {
    local entry = ::SpecialEntry(total[0], board_label[0] + " " + total[1] + " Total",
                                 board_label[1] + total[2] + "の合計", board_type);
    entry.use = shown_types.find(total[0]) != null;
    ::Organizer.special_entries.append(entry);
  }
}

add_totals(::Board.Type.Mainboard, ["Main", "メイン："],
           [::Card.Type.LandTotal, ::Card.Type.CreatureTotal, ::Card.Type.SpellTotal,
            ::Card.Type.MainTotal]);

// The separator row that heads the sideboard rows.
local separator = ::SpecialEntry(::Card.Type.SideboardStart, "-- Sideboard --",
                                 "-- サイドボード --", ::Board.Type.Sideboard);
separator.use = true;
::Organizer.special_entries.append(separator);

add_totals(::Board.Type.Sideboard, ["Side", "サイド："], [::Card.Type.MainTotal]);

// ---------------------------------------------------------------------------------------------
// The special-column menu and the sort menu

::Organizer.processors.extend([
  StatisticsProcessor("採用デッキ数", decks_playing),
  StatisticsProcessor("採用率(%)", share_of_decks),
  null,
  StatisticsProcessor("総枚数", total_copies),
  StatisticsProcessor("平均枚数", average_copies),
  StatisticsProcessor("最大枚数", most_copies),
  null,
  SubMenu("アーキタイプ別", [
    ArchetypeColumns("採用率", archetype_share),
    ArchetypeColumns("平均枚数", archetype_average)
  ])
]);

::Organizer.sorters.extend([
  CardOrderSorter(),
  SubMenu("名前順", [EnglishNameSorter(), JapaneseNameSorter()]),
  null,
  SubMenu("集計順", [
    StatisticsSorter("採用デッキ数順", decks_playing),
    StatisticsSorter("総枚数順", total_copies)
  ])
]);
