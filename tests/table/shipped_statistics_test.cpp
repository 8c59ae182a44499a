// The shipped start-up script's statistics, counted in one pass over the decks, against the
// per-row computation that asks every deck for every row; and its deck columns against
// deck_value. Both on the sample decks and on a generated metagame, in every board mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "tests/ttl/scratch_folder.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTableTest {
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

class LeafCollector : public Tarvane::ScriptMenu {
public:
  void AppendSeparator() override {}
  ScriptMenu& AppendSubMenu(const std::string&) override { return *this; }
  void AppendItem(const std::string& label, const TtSquirrel::Object& leaf) override {
    leaves[label] = leaf;
  }
  std::map<std::string, TtSquirrel::Object> leaves;
};

// The table over the shipped start-up script and sample dictionary, with the per-row
// statistics beside it.
class ShippedStatisticsTest : public TableTest {
protected:
  void SetUp() override {
    for (const auto& file :
         std::filesystem::directory_iterator(std::string(TARVANE_SOURCE_DIR) + "/data/dictionary")) {
      folder.Write("dictionary/" + file.path().filename().string(),
                   SourceFile("data/dictionary/" + file.path().filename().string()));
    }
    std::filesystem::remove(folder.Join("dictionary/cards.dat"));
    std::string script;
    ASSERT_TRUE(TtString::TryUtf8ToCp932(SourceFile("data/tarvane.nut") + kPerRowStatistics, script));
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
    for (const char* label : kStatisticsLabels) table->AddSpecialColumn(processors.leaves.at(label));
    for (int i = 0; i < 5; ++i) {
      table->AddSpecialColumn(Value("::PerRowColumns[" + std::to_string(i) + "]"));
    }
  }

  // Every statistic of every row, in every board mode, is the same both ways; so is the order
  // that the sort by decks playing gives.
  void ExpectSameAsPerRow() {
    ASSERT_EQ(list.GetColumnCount(), 11);
    for (int mode : {Tarvane::Both, Tarvane::MainboardOnly, Tarvane::SideboardOnly,
                     Tarvane::Hybrid}) {
      table->SetBoardMode(mode);
      for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(Column(column), Column(column + 5)) << "mode " << mode << ", column " << column;
      }
      table->SortBy(sorters.leaves.at("採用デッキ数順"));
      std::vector<std::string> one_pass_order = Column(0);
      table->SortBy(Value("::PerRowColumns[0].sorter"));
      EXPECT_EQ(one_pass_order, Column(0)) << "mode " << mode;
    }
    EXPECT_TRUE(reporter.messages.empty());
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
    std::string text;
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
}

// Each board is counted once for all the columns and sorts, and again only when the deck list
// has changed.
TEST_F(ShippedStatisticsTest, BoardsAreCountedOncePerDeckList) {
  table->AddDeckFiles(SampleDecks());
  AddStatisticsColumns();
  table->SortBy(sorters.leaves.at("総枚数順"));
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
  std::string burn = folder.Write("burn.txt", "4 Lightning Bolt\n20 Mountain\n\n2 Lightning Bolt\n");
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
  EXPECT_EQ(Value("(\"Mountain\" in ::Statistics.board(::Board.Type.Sideboard)) ? 1 : 0").ToInteger(), 0);
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

}  // namespace
}  // namespace TarvaneTableTest
