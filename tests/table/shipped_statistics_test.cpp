// The shipped start-up script's statistics, counted in one pass over the decks, against the
// per-row computation that asks every deck for every row; and its deck columns against
// deck_value. Both on the sample decks and on a generated metagame, in every board mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "table/chart_numbers.h"
#include "tests/support/scratch_folder.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

std::string SourceFile(const std::string& relative_path) {
  std::ifstream file(std::string(TARVANE_SOURCE_DIR) + "/" + relative_path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The statistics as they were computed before they were counted in one pass: every deck asked
// for every row through deck_value, remembered per row. Columns and a sorter over them.
const char kPerRowStatistics[] = R"(
class PerRowStatistics {
  decks = null;
  deck_count = -1;
  cache = null;
  function of(entry) {
    local current = ::Organizer.decks;
    if (decks != current || deck_count != current.len()) {
      decks = current;
      deck_count = current.len();
      cache = {};
    }
    local key = entry.board_type + ":" + entry.card.name;
    if (key in cache) return cache[key];
    local playing = 0;
    local total = 0;
    local most = 0;
    foreach (deck in current) {
      local count = ::deck_value(deck, entry);
      if (count == null || count <= 0) continue;
      ++playing;
      total += count;
      if (count > most) most = count;
    }
    local result = [playing, total, most];
    cache[key] <- result;
    return result;
  }
}
::PerRow <- PerRowStatistics();
class PerRowProcessor {
  name = "per row"; sorter = null; value_of = null;
  constructor(row_value) { value_of = row_value; sorter = PerRowSorter(row_value); }
  function process_function(entry) {
    if (::is_special_row(entry)) return null;
    return value_of(::PerRow.of(entry));
  }
}
class PerRowSorter {
  name = "per row"; value_of = null;
  constructor(row_value) { value_of = row_value; }
  function compare_for_sort(a, b) {
    local value = value_of;
    return ::compare_by_key(a, b, function(entry) { return -value(::PerRow.of(entry)); });
  }
}
::PerRowColumns <- [
  PerRowProcessor(decks_playing),
  PerRowProcessor(function(stats) {
    local count = ::Organizer.decks.len();
    return count == 0 ? 0.0 : 100.0 * stats[0] / count;
  }),
  PerRowProcessor(total_copies), PerRowProcessor(average_copies), PerRowProcessor(most_copies)
];
class DeckValueProcessor {
  name = "deck_value"; sorter = null; deck = null;
  constructor(the_deck) { deck = the_deck; }
  function process_function(entry) { return ::deck_value(deck, entry); }
}
// How many times a board is counted.
::Passes <- 0;
local count_cards_once = ::count_cards;
::count_cards <- function(decks, board_type) {
  ++::Passes;
  return count_cards_once(decks, board_type);
}
)";

const char* const kStatisticsLabels[] = {"採用デッキ数", "採用率(%)", "総枚数", "平均枚数",
                                         "最大枚数"};

// The leaves of a script menu by label; inside sub-menus, the labels joined by "/".
class LeafCollector : public Tarvane::ScriptMenu {
public:
  using Leaves = std::map<std::string, TtSquirrel::Object>;
  LeafCollector() : LeafCollector(std::make_shared<Leaves>(), "") {}
  LeafCollector(std::shared_ptr<Leaves> all, const std::string& prefix)
      : all_(std::move(all)), leaves(*all_), prefix_(prefix) {}
  void AppendSeparator() override {}
  ScriptMenu& AppendSubMenu(const std::string& label) override {
    sub_menus_.push_back(std::make_unique<LeafCollector>(all_, prefix_ + label + "/"));
    return *sub_menus_.back();
  }
  void AppendItem(const std::string& label, const TtSquirrel::Object& leaf) override {
    leaves[prefix_ + label] = leaf;
  }

private:
  std::shared_ptr<Leaves> all_;

public:
  Leaves& leaves;

private:
  std::string prefix_;
  std::vector<std::unique_ptr<LeafCollector>> sub_menus_;
};

// The table over the shipped start-up script and sample dictionary, with the per-row
// statistics beside it.
class ShippedStatisticsTest : public TableTest {
protected:
  void SetUp() override {
    for (const auto& file : std::filesystem::directory_iterator(std::string(TARVANE_SOURCE_DIR) +
                                                                "/data/dictionary")) {
      folder.Write("dictionary/" + file.path().filename().string(),
                   SourceFile("data/dictionary/" + file.path().filename().string()));
    }
    std::filesystem::remove(folder.Join("dictionary/cards.dat"));
    std::string script;
    ASSERT_TRUE(
        TtString::TryUtf8ToCp932(SourceFile("data/tarvane.nut") + kPerRowStatistics, script));
    folder.Write("tarvane.nut", script);
    Start();
    vm->FillScriptMenu(Tarvane::ScriptMenuList::Processors, processors, nullptr);
    vm->FillScriptMenu(Tarvane::ScriptMenuList::Sorters, sorters, nullptr);
  }
  void TearDown() override {
    processors.leaves.clear();
    sorters.leaves.clear();
  }

  std::vector<std::string> SampleDecks() const {
    std::vector<std::string> paths;
    for (const auto& file :
         std::filesystem::directory_iterator(std::string(TARVANE_SOURCE_DIR) + "/data/decks")) {
      paths.push_back(file.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  // Columns 1 to 5 the shipped statistics, 6 to 10 the same per row.
  void AddStatisticsColumns() {
    for (const char* label : kStatisticsLabels)
      table->AddSpecialColumn(processors.leaves.at(label));
    for (int i = 0; i < 5; ++i) {
      table->AddSpecialColumn(Value("::PerRowColumns[" + std::to_string(i) + "]"));
    }
  }

  // Every statistic of every row, in every board mode, is the same both ways; so is the order
  // that the sort by decks playing gives.
  void ExpectSameAsPerRow() {
    ASSERT_EQ(list.GetColumnCount(), 11);
    for (int mode :
         {Tarvane::Both, Tarvane::MainboardOnly, Tarvane::SideboardOnly, Tarvane::Hybrid}) {
      table->SetBoardMode(mode);
      for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(Column(column), Column(column + 5)) << "mode " << mode << ", column " << column;
      }
      table->SortBy(sorters.leaves.at("集計順/採用デッキ数順"));
      std::vector<std::string> one_pass_order = Column(0);
      table->SortBy(Value("::PerRowColumns[0].sorter"));
      EXPECT_EQ(one_pass_order, Column(0)) << "mode " << mode;
    }
    EXPECT_TRUE(reporter.messages.empty());
  }

  // The adoption chart's decks playing a card (those with one copy or more) are the table's
  // 採用デッキ数 on every card row, in every board mode.
  void ExpectAdoptionAsInTheTable() {
    table->AddSpecialColumn(processors.leaves.at("採用デッキ数"));
    const int decks = static_cast<int>(vm->GetDecks().size());
    int rows_checked = 0;
    for (int mode :
         {Tarvane::Both, Tarvane::MainboardOnly, Tarvane::SideboardOnly, Tarvane::Hybrid}) {
      table->SetBoardMode(mode);
      const int column = list.GetColumnCount() - 1;
      for (int item = 0; item < list.GetItemCount(); ++item) {
        const Tarvane::Entry* row = table->GetRowEntry(item);
        if (row->is_special()) continue;
        const Tarvane::CardAdoption adoption =
            Tarvane::CardAdoptionOf(vm->GetDecks(), row->card().name);
        const int playing = decks - adoption.by_board[row->board_type()][0];
        // A row that no deck plays (its counts are zero or below) leaves the cell empty.
        const std::string shown = list.GetItemText(item, column);
        EXPECT_EQ(std::to_string(playing), shown.empty() ? "0" : shown) << row->card().name;
        ++rows_checked;
      }
    }
    EXPECT_GT(rows_checked, 100);
  }

  // The metagame chart's archetypes and counts, with nothing gathered, are the script's
  // archetype listing, in the same order.
  void ExpectMetagameAsInTheListing() {
    Run("::Listing <- ::Archetypes.all().map(@(a) a.name + \"=\" + a.decks.len())"
        ".reduce(@(a, b) a + \",\" + b);");
    std::string shares;
    for (const Tarvane::ArchetypeShare& share : Tarvane::ArchetypeShares(vm->GetDecks(), 0)) {
      shares += (shares.empty() ? "" : ",") + share.archetype + "=" + std::to_string(share.decks);
    }
    EXPECT_FALSE(shares.empty());
    EXPECT_EQ(shares, Value("::Listing").ToString());
  }

  long long Passes() { return Value("::Passes").ToInteger(); }

  LeafCollector processors;
  LeafCollector sorters;
};

TEST_F(ShippedStatisticsTest, SampleDecksCountTheSameInOnePass) {
  table->AddDeckFiles(SampleDecks());
  ASSERT_EQ(vm->GetDecks().size(), 10u);
  AddStatisticsColumns();
  ExpectSameAsPerRow();
  ExpectAdoptionAsInTheTable();
  // Some archetypes more than once, so that the order by count matters.
  table->AddDeckFiles({SampleDecks()[3], SampleDecks()[3], SampleDecks()[7]});
  ExpectMetagameAsInTheListing();
}

// Skewed draws from a small pool, with cards the dictionary lacks, zero and negative counts,
// a card on both boards whose summed count is zero, and decks without a sideboard.
TEST_F(ShippedStatisticsTest, AGeneratedMetagameCountsTheSameInOnePass) {
  std::mt19937 random(17);
  std::vector<double> weights;
  for (int i = 0; i < 60; ++i) weights.push_back(1.0 / (i + 1));
  std::discrete_distribution<int> pool(weights.begin(), weights.end());
  auto card = [](int i) { return "Generated " + std::to_string(i); };
  std::vector<std::string> paths;
  for (int deck = 0; deck < 150; ++deck) {
    // Archetypes of uneven sizes, some of them equal, so that order by count and name matter.
    std::string text =
        "#ARCHETYPE Archetype " + std::to_string(deck % 7 == 0 ? 9 : deck % 4) + "\n";
    for (int line = 0; line < 12; ++line) {
      text += std::to_string(static_cast<int>(random() % 6) - 1) + " " + card(pool(random)) + "\n";
    }
    text += "4 Lightning Bolt\n";
    if (deck % 5 != 0) {
      text += "\n-4 Lightning Bolt\n";
      for (int line = 0; line < 5; ++line) text += "2 " + card(pool(random) + 20) + "\n";
    }
    paths.push_back(folder.Write("meta/deck" + std::to_string(deck) + ".txt", text));
  }
  table->AddDeckFiles(paths);
  ASSERT_EQ(vm->GetDecks().size(), 150u);
  AddStatisticsColumns();
  ExpectSameAsPerRow();
  ExpectAdoptionAsInTheTable();
  ExpectMetagameAsInTheListing();
}

// Each board is counted once for all the columns and sorts, and again only when the deck list
// has changed.
TEST_F(ShippedStatisticsTest, BoardsAreCountedOncePerDeckList) {
  table->AddDeckFiles(SampleDecks());
  AddStatisticsColumns();
  table->SortBy(sorters.leaves.at("集計順/総枚数順"));
  table->Refresh();
  EXPECT_EQ(Passes(), 2);  // the main decks and the sideboards
  table->SetBoardMode(Tarvane::Hybrid);
  EXPECT_EQ(Passes(), 3);
  table->SetBoardMode(Tarvane::Both);
  EXPECT_EQ(Passes(), 3);
  table->AddDeckFiles({SampleDecks()[0]});
  EXPECT_EQ(Passes(), 5);
  table->ReplaceDeckFiles({SampleDecks()[1]});
  EXPECT_GE(Passes(), 7);
  EXPECT_EQ(Value("::Statistics.deck_count()").ToInteger(), 1);
}

// What later scripts build on: per board, card name -> [decks playing, total copies, most
// copies], the number of decks, and the same count over any list of decks.
TEST_F(ShippedStatisticsTest, TheStoreForScripts) {
  std::string burn =
      folder.Write("burn.txt", "4 Lightning Bolt\n20 Mountain\n\n2 Lightning Bolt\n");
  std::string prowess = folder.Write("prowess.txt", "2 Lightning Bolt\n18 Mountain\n");
  table->AddDeckFiles({burn, prowess});
  auto text = [&](const std::string& expression) {
    Run("::Result <- " + expression + ";");
    Run("::Result <- ::Result.map(@(x) x.tostring()).reduce(@(a, b) a + \",\" + b);");
    return Value("::Result").ToString();
  };
  EXPECT_EQ(text("::Statistics.board(::Board.Type.Mainboard)[\"Lightning Bolt\"]"), "2,6,4");
  EXPECT_EQ(text("::Statistics.board(::Board.Type.Sideboard)[\"Lightning Bolt\"]"), "1,2,2");
  EXPECT_EQ(text("::Statistics.board(::Board.Type.Hybrid)[\"Lightning Bolt\"]"), "2,8,6");
  EXPECT_EQ(Value("::Statistics.deck_count()").ToInteger(), 2);
  EXPECT_EQ(text("::count_cards(::Organizer.decks.slice(1), ::Board.Type.Mainboard)[\"Mountain\"]"),
            "1,18,18");
  EXPECT_EQ(
      Value("(\"Mountain\" in ::Statistics.board(::Board.Type.Sideboard)) ? 1 : 0").ToInteger(), 0);
}

// Every deck column shows what deck_value gives, the totals of every shown or hidden total row
// included, in every board mode.
TEST_F(ShippedStatisticsTest, DeckColumnsShowWhatDeckValueGives) {
  table->AddDeckFiles(SampleDecks());
  table->SetSpecialEntriesShown(std::vector<bool>(vm->GetSpecialEntries().size(), true));
  const Tarvane::SquirrelVM::Decks decks = vm->GetDecks();
  for (const auto& deck : decks) {
    table->AddColumn(deck->processor(), deck);
    Run("::Made <- DeckValueProcessor(::Organizer.decks[" +
        std::to_string(list.GetColumnCount() / 2 - 1) + "]);");
    table->AddSpecialColumn(Value("::Made"));
  }
  for (int mode : {Tarvane::Both, Tarvane::Hybrid}) {
    table->SetBoardMode(mode);
    for (int column = 1; column < list.GetColumnCount(); column += 2) {
      EXPECT_EQ(Column(column), Column(column + 1)) << "mode " << mode << ", column " << column;
    }
  }
  EXPECT_TRUE(reporter.messages.empty());
}

// A deck_value or board_total of a later script is what deck columns show, as before.
TEST_F(ShippedStatisticsTest, DeckColumnsCallAScriptsOwnDeckValueAndBoardTotal) {
  Run("local shipped = ::board_total;"
      "::board_total <- function(board, type) {"
      "  return type == ::Card.Type.LandTotal ? 99 : shipped(board, type);"
      "};");
  table->AddDeckFiles({SampleDecks()[0]});
  Run("::deck_value <- function(deck, entry) { return 7; };");
  table->AddDeckFiles({SampleDecks()[1]});
  table->AddAllDeckColumns();
  std::vector<std::string> names = Column(0);
  auto lands = std::find(names.begin(), names.end(), "メイン：土地の合計") - names.begin();
  auto all = std::find(names.begin(), names.end(), "メイン：全カードの合計") - names.begin();
  ASSERT_LT(all, static_cast<long>(names.size()));
  EXPECT_EQ(Column(1)[lands], "99");
  EXPECT_EQ(Column(1)[all], "60");
  EXPECT_EQ(Column(2), std::vector<std::string>(names.size(), "7"));
  EXPECT_TRUE(reporter.messages.empty());
}

// Archetype columns against the per-deck table: the decks of a generated metagame as columns,
// grouped by the archetype each deck was written with, give every archetype column's cells.
class ArchetypeColumnsTest : public ShippedStatisticsTest {
protected:
  struct Generated {
    std::string archetype;
    std::string headers;
  };

  // Three archetypes of 40, 25 and 15 decks named by ARCHETYPE (over a NAME) or by NAME alone,
  // and three decks without either, each its own archetype by its file name.
  std::vector<Generated> GenerateAndLoad() {
    std::mt19937 random(19);
    std::vector<double> weights;
    for (int i = 0; i < 40; ++i) weights.push_back(1.0 / (i + 1));
    std::discrete_distribution<int> pool(weights.begin(), weights.end());
    std::vector<Generated> decks;
    std::vector<std::string> paths;
    for (int deck = 0; deck < 83; ++deck) {
      Generated generated;
      if (deck >= 80) {
        generated.archetype = "deck" + std::to_string(deck) + ".txt";
      } else {
        generated.archetype = deck % 16 < 8 ? "ジャンド" : deck % 16 < 13 ? "バーン" : "トロン";
        generated.headers = deck % 2 ? "#ARCHETYPE " + generated.archetype + "\n#NAME Player list\n"
                                     : "#NAME " + generated.archetype + "\n";
      }
      const int offset = generated.archetype == "バーン" ? 10 : 0;
      std::string text = generated.headers;
      for (int line = 0; line < 10; ++line) {
        text += std::to_string(1 + random() % 4) + " Generated " +
                std::to_string(pool(random) + offset) + "\n";
      }
      text += "\n2 Generated " + std::to_string(pool(random)) + "\n";
      paths.push_back(folder.Write("meta/deck" + std::to_string(deck) + ".txt", text));
      decks.push_back(generated);
    }
    table->AddDeckFiles(paths);
    EXPECT_EQ(vm->GetDecks().size(), decks.size());
    return decks;
  }

  static double Number(const std::string& text) { return text.empty() ? 0 : std::stod(text); }
  static std::string TwoDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
  }
};

TEST_F(ArchetypeColumnsTest, OneColumnPerArchetypeLargestFirstAsThePerDeckTableGives) {
  std::vector<Generated> decks = GenerateAndLoad();
  table->AddAllDeckColumns();
  const int deck_columns = static_cast<int>(decks.size());
  table->AddSpecialColumn(processors.leaves.at("アーキタイプ別/採用率"));
  table->AddSpecialColumn(processors.leaves.at("アーキタイプ別/平均枚数"));
  const std::vector<std::string> archetypes = {"ジャンド",   "バーン",     "トロン",
                                               "deck80.txt", "deck81.txt", "deck82.txt"};
  const std::vector<int> sizes = {40, 25, 15, 1, 1, 1};
  ASSERT_EQ(list.GetColumnCount(), 1 + deck_columns + 2 * 6);
  for (int mode : {Tarvane::Both, Tarvane::Hybrid}) {
    table->SetBoardMode(mode);
    for (size_t a = 0; a < archetypes.size(); ++a) {
      const int share_column = 1 + deck_columns + static_cast<int>(a);
      const int average_column = share_column + 6;
      const std::string header = archetypes[a] + " (" + std::to_string(sizes[a]) + ")";
      EXPECT_EQ(list.GetColumnText(share_column), header + " 採用率");
      EXPECT_EQ(list.GetColumnText(average_column), header + " 平均枚数")
          << "the two statistics read apart";
      for (int row = 0; row < list.GetItemCount(); ++row) {
        int playing = 0;
        double copies = 0;
        for (int deck = 0; deck < deck_columns; ++deck) {
          double count = Number(list.GetItemText(row, 1 + deck));
          if (decks[deck].archetype != archetypes[a] || count <= 0) continue;
          ++playing;
          copies += count;
        }
        const bool special = !table->GetRowEntry(row)->is_normal();
        EXPECT_EQ(list.GetItemText(row, share_column),
                  special || playing == 0 ? "" : TwoDecimals(100.0 * playing / sizes[a]))
            << header << ", row " << row << ", mode " << mode;
        EXPECT_EQ(list.GetItemText(row, average_column),
                  special || playing == 0 ? "" : TwoDecimals(copies / playing))
            << header << ", row " << row << ", mode " << mode;
      }
    }
  }
  EXPECT_TRUE(reporter.messages.empty());
}

// Sorting by an archetype column orders the card rows of each board by its value, largest
// first, with the computed rows in their places, as the statistics columns sort.
TEST_F(ArchetypeColumnsTest, TheColumnsSortLikeTheStatisticsColumns) {
  GenerateAndLoad();
  table->SetSpecialEntriesShown(std::vector<bool>(vm->GetSpecialEntries().size(), true));
  table->AddSpecialColumn(processors.leaves.at("アーキタイプ別/採用率"));
  table->SortByColumn(2);
  EXPECT_EQ(status_bar.texts[1], "並び替え : バーン (25) 採用率順");
  std::vector<std::string> names = Column(0);
  const int separator =
      static_cast<int>(std::find(names.begin(), names.end(), "-- サイドボード --") - names.begin());
  ASSERT_LT(separator, list.GetItemCount());
  for (int row = 1; row < list.GetItemCount(); ++row) {
    const bool special = !table->GetRowEntry(row)->is_normal();
    const bool previous_special = !table->GetRowEntry(row - 1)->is_normal();
    if (special || previous_special) continue;
    EXPECT_GE(Number(list.GetItemText(row - 1, 2)), Number(list.GetItemText(row, 2)))
        << "row " << row;
  }
  // The main deck's computed rows follow its cards, and the separator heads the sideboard.
  EXPECT_FALSE(table->GetRowEntry(separator - 1)->is_normal());
  EXPECT_TRUE(table->GetRowEntry(separator + 1)->is_normal());
}

// A processor without create_columns adds its one column, as before; a create_columns that
// returns no array is a script error that adds nothing; one that returns none adds none.
TEST_F(ShippedStatisticsTest, AMenuItemAddsTheColumnsItsCreateColumnsReturns) {
  Run("class Two { name = \"two\";"
      "  function create_columns() {"
      "    return [StatisticsProcessor(\"a\", decks_playing), StatisticsProcessor(\"b\", "
      "total_copies)];"
      "  } }"
      "class NoArray { name = \"no array\"; function create_columns() { return 5; } }"
      "class NoColumns { name = \"none\"; function create_columns() { return []; } }"
      "class Plain { name = \"plain\"; sorter = null; create_columns = null;"
      "  function process_function(entry) { return 1; } }");
  table->AddDeckFiles({SampleDecks()[0]});
  EXPECT_TRUE(table->AddSpecialColumn(Value("Two()")));
  EXPECT_TRUE(table->AddSpecialColumn(Value("NoColumns()")));
  EXPECT_TRUE(table->AddSpecialColumn(Value("Plain()")));
  EXPECT_EQ(Headers(), (std::vector<std::string>{"カード名", "a", "b", "plain"}));
  EXPECT_FALSE(table->AddSpecialColumn(Value("NoArray()")));
  EXPECT_EQ(list.GetColumnCount(), 4);
  ASSERT_EQ(reporter.messages.size(), 1u);
  ExpectColumnsAligned();
}

// The difference of two deck columns, row by row: blank where equal, total rows included;
// it sorts by the difference, and editing the deck list keeps it while both files stay.
TEST_F(ShippedStatisticsTest, TheDifferenceColumnOfTwoDecks) {
  std::string burn =
      folder.Write("burn.txt", "#NAME Burn\n4 Lightning Bolt\n20 Mountain\n\n2 Lightning Bolt\n");
  std::string prowess = folder.Write("prowess.txt", "2 Lightning Bolt\n18 Mountain\n4 Island\n");
  table->AddDeckFiles({burn, prowess});
  table->AddAllDeckColumns();
  EXPECT_FALSE(table->AddDifferenceColumn(0, 1)) << "the first column is no deck column";
  EXPECT_FALSE(table->AddDifferenceColumn(1, 2)) << "there is no third deck";
  ASSERT_TRUE(table->AddDifferenceColumn(1, 1));
  EXPECT_EQ(list.GetColumnText(3), "差分 Burn － prowess.txt");
  for (int row = 0; row < list.GetItemCount(); ++row) {
    auto number = [&](int column) {
      const std::string text = list.GetItemText(row, column);
      return text.empty() ? 0 : std::stoi(text);
    };
    const int difference = number(1) - number(2);
    EXPECT_EQ(list.GetItemText(row, 3), difference == 0 ? "" : std::to_string(difference))
        << "row " << row;
  }
  table->SortByColumn(3);
  EXPECT_EQ(Column(0)[0], "山");  // +2
  EXPECT_EQ(Column(3)[0], "2");
  EXPECT_EQ(Column(0)[2], "島");  // -4, the last card row of the main deck
  EXPECT_EQ(Column(3)[2], "-4");

  table->ReplaceDeckFiles({prowess, burn});
  EXPECT_EQ(Headers(), (std::vector<std::string>{"カード名", "Burn", "prowess.txt",
                                                 "差分 Burn － prowess.txt"}));
  table->ReplaceDeckFiles({burn});
  EXPECT_EQ(Headers(), (std::vector<std::string>{"カード名", "Burn"}));
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace TarvaneTest

namespace TarvaneTest {
namespace {

// A rule folder changes the archetypes of the decks already loaded: new archetype columns follow
// the rules, and a column made before counts its archetype among the relabelled decks.
TEST_F(ShippedStatisticsTest, ArchetypeColumnsFollowTheRuleFolder) {
  table->AddDeckFiles(SampleDecks());
  table->AddSpecialColumn(processors.leaves.at("アーキタイプ別/採用率"));
  const int before = list.GetColumnCount();
  EXPECT_EQ(before, 1 + 10);
  table->SetArchetypeRules(std::string(std::getenv("TARVANE_TEST_DATA")) + "/archetypes/Modern");
  table->AddSpecialColumn(processors.leaves.at("アーキタイプ別/採用率"));
  std::vector<std::string> headers = Headers();
  std::vector<std::string> added(headers.begin() + before, headers.end());
  EXPECT_EQ(added,
            (std::vector<std::string>{"Unknown (6) 採用率", "Azorius GenericControl (1) 採用率",
                                      "Boros Burn (1) 採用率", "Grixis GenericControl (1) 採用率",
                                      "Jund Aggro (1) 採用率"}));
  // The old columns name archetypes that no deck has now: blank.
  for (int column = 1; column < before; ++column) {
    for (const std::string& text : Column(column)) EXPECT_EQ(text, "") << headers[column];
  }
}

}  // namespace
}  // namespace TarvaneTest
