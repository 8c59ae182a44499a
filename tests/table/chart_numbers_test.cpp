// The numbers of the charts: archetype shares and their gathering, copies per board, the mana
// curve, and which decks each chart is made from.
#include "table/chart_numbers.h"

#include "model/board_type.h"

#include "table/chart_request.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using namespace Tarvane;

class ChartNumbersTest : public TableTest {
protected:
  // A deck of the archetype; the number keeps the file names apart.
  std::string ArchetypeDeck(const std::string& archetype, int number,
                            const std::string& cards = "4 Island\n") {
    return folder.Write("meta/" + std::to_string(number) + ".txt",
                        "#ARCHETYPE " + archetype + "\n" + cards);
  }
  // Decks of the archetypes, as many of each as its count.
  void LoadArchetypes(const std::vector<std::pair<std::string, int>>& counts) {
    std::vector<std::string> paths;
    for (const auto& [archetype, count] : counts) {
      for (int i = 0; i < count; ++i)
        paths.push_back(ArchetypeDeck(archetype, static_cast<int>(paths.size())));
    }
    table->AddDeckFiles(paths);
  }
  std::vector<std::string> Names(const std::vector<ArchetypeShare>& shares) {
    std::vector<std::string> names;
    for (const ArchetypeShare& share : shares)
      names.push_back(share.archetype + "=" + std::to_string(share.decks));
    return names;
  }
};

TEST_F(ChartNumbersTest, ArchetypesLargestFirstWithSmallOnesGathered) {
  LoadArchetypes({{"Delta", 1}, {"Alpha", 5}, {"Charlie", 1}, {"Bravo", 3}});
  const ChartDecks& decks = vm->GetDecks();
  EXPECT_EQ(Names(ArchetypeShares(decks, 0)),
            (std::vector<std::string>{"Alpha=5", "Bravo=3", "Charlie=1", "Delta=1"}));
  std::vector<ArchetypeShare> shares = ArchetypeShares(decks, 15);
  EXPECT_EQ(Names(shares), (std::vector<std::string>{"Alpha=5", "Bravo=3", "その他=2"}));
  EXPECT_TRUE(shares.back().gathered);
  double total = 0;
  for (const ArchetypeShare& share : shares) total += share.percent;
  EXPECT_DOUBLE_EQ(total, 100);
  EXPECT_DOUBLE_EQ(shares[1].percent, 30);
  // The threshold compares shares, not counts: exactly at it stays named.
  EXPECT_EQ(Names(ArchetypeShares(decks, 10)).size(), 4u);
  EXPECT_EQ(ArchetypeNames(decks),
            (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
  EXPECT_TRUE(ArchetypeShares({}, 5).empty());
}

TEST_F(ChartNumbersTest, ALoneSmallArchetypeKeepsItsName) {
  LoadArchetypes({{"Alpha", 5}, {"Bravo", 4}, {"Charlie", 1}});
  std::vector<ArchetypeShare> shares = ArchetypeShares(vm->GetDecks(), 15);
  EXPECT_EQ(Names(shares), (std::vector<std::string>{"Alpha=5", "Bravo=4", "Charlie=1"}));
  EXPECT_FALSE(shares.back().gathered);
}

// Every deck lands in exactly one bucket per board: five or more copies are "4 or more", a
// negative count plays none, and the sum of both boards decides the hybrid bucket.
TEST_F(ChartNumbersTest, AdoptionCountsEachDeckOncePerBoard) {
  table->AddDeckFiles(
      {folder.burn, folder.blue, folder.Write("five.txt", "5 Lightning Bolt\n"),
       folder.Write("negative.txt", "-1 Lightning Bolt\n4 Island\n\n1 Lightning Bolt\n")});
  CardAdoption adoption = CardAdoptionOf(vm->GetDecks(), "Lightning Bolt");
  EXPECT_EQ(adoption.decks, 4);
  EXPECT_EQ(adoption.by_board[BoardType::Mainboard], (CopyCounts{2, 0, 0, 0, 2}));
  EXPECT_EQ(adoption.by_board[BoardType::Sideboard], (CopyCounts{2, 1, 1, 0, 0}));
  EXPECT_EQ(adoption.by_board[BoardType::Hybrid], (CopyCounts{2, 0, 0, 0, 2}));
  EXPECT_EQ(CardAdoptionOf(vm->GetDecks(), "No Such Card").by_board[0],
            (CopyCounts{4, 0, 0, 0, 0}));
}

TEST_F(ChartNumbersTest, ManaCurveAveragesMainDeckSpellsByCostAndType) {
  folder.WriteDictionary(TestDictionary() +
                         "Colossus\t巨像\t15\t15\tArtifact Creature\tCreature\t15/15\n");
  Start();
  table->AddDeckFiles({folder.burn, folder.blue,
                       folder.Write("big.txt", "1 Colossus\n2 Smash\n\n4 Counterspell\n")});
  ManaCurve curve = ManaCurveOf(vm->GetDecks(), vm->GetCardDatabase());
  EXPECT_EQ(curve.decks, 3);
  const auto creature = curve.by_type[static_cast<int>(CurveType::Creature)];
  const auto instant = curve.by_type[static_cast<int>(CurveType::Instant)];
  EXPECT_DOUBLE_EQ(creature[1], 4.0 / 3);  // Goblin Guide
  EXPECT_DOUBLE_EQ(creature[7], 1.0 / 3);  // cost 15 goes to 7 or more
  EXPECT_DOUBLE_EQ(instant[1], 4.0 / 3);   // Lightning Bolt
  EXPECT_DOUBLE_EQ(instant[2], 4.0 / 3);   // Counterspell of the main deck only
  EXPECT_EQ(curve.unknown_copies, 2);      // Smash: no cost known, not counted as free
  const CostAverages total = curve.Total();
  EXPECT_DOUBLE_EQ(total[0], 0);  // the lands are left out
  EXPECT_DOUBLE_EQ(total[1] + total[2] + total[7], 13.0 / 3);
  EXPECT_EQ(ManaCurveOf({}, vm->GetCardDatabase()).Total(), CostAverages{});
}

// The mana curve is of the deck columns, or of an archetype among all decks; the adoption
// shows the boards the table shows.
TEST_F(ChartNumbersTest, ChartsTakeTheirDecksFromTheTable) {
  const std::string burn = ArchetypeDeck("Burn", 1, "4 Lightning Bolt\n\n2 Lightning Bolt\n");
  const std::string control = ArchetypeDeck("Control", 2, "4 Counterspell\n");
  table->AddDeckFiles({burn, control, ArchetypeDeck("Burn", 3, "4 Goblin Guide\n")});
  table->AddDeckColumns({1});
  ChartRequest curve;
  curve.kind = ChartKind::ManaCurve;
  ChartData chart = MakeChart(*table, curve);
  ASSERT_EQ(chart.series.size(), 1u);
  EXPECT_EQ(chart.series[0].values[2], 4);  // the one column: Counterspell
  curve.archetype = "Burn";
  chart = MakeChart(*table, curve);
  EXPECT_EQ(chart.series[0].values[1], 4);  // two Burn decks with four one-drops each
  EXPECT_EQ(chart.series[0].values[2], 0);

  ChartRequest adoption;
  adoption.kind = ChartKind::Adoption;
  adoption.card = "Lightning Bolt";
  chart = MakeChart(*table, adoption);
  ASSERT_EQ(chart.series.size(), 2u);
  EXPECT_EQ(chart.series[0].values, (std::vector<double>{2, 0, 0, 0, 1}));
  EXPECT_EQ(chart.series[1].values, (std::vector<double>{2, 0, 1, 0, 0}));
  adoption.card = "稲妻";  // the Japanese name finds the same card
  EXPECT_EQ(MakeChart(*table, adoption).series[0].values, chart.series[0].values);
  table->SetBoardMode(Hybrid);
  chart = MakeChart(*table, adoption);
  ASSERT_EQ(chart.series.size(), 1u);
  EXPECT_EQ(chart.series[0].values, (std::vector<double>{2, 0, 0, 0, 1}));
  adoption.card.clear();
  EXPECT_TRUE(MakeChart(*table, adoption).IsEmpty());

  ChartRequest metagame;
  metagame.other_threshold_percent = 50;
  chart = MakeChart(*table, metagame);
  EXPECT_EQ(chart.categories, (std::vector<std::string>{"Burn", "Control"}));
  EXPECT_EQ(chart.bar_labels[0], "2 (66.7%)");
}

TEST_F(ChartNumbersTest, ChartKindsByTheirWords) {
  EXPECT_EQ(ChartKindOf("metagame"), ChartKind::Metagame);
  EXPECT_EQ(ChartKindOf("adoption"), ChartKind::Adoption);
  EXPECT_EQ(ChartKindOf("curve"), ChartKind::ManaCurve);
  EXPECT_EQ(ChartKindOf("pie"), std::nullopt);
}

}  // namespace
}  // namespace TarvaneTest
