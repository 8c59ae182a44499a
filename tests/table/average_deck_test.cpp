// The average deck: checked against the average worked out here on a generated metagame, from
// the decks shown as columns or every deck, and written as a file that loads as a deck again.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <tuple>

#include "table/average_deck.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Cards = Tarvane::AverageDeck::Cards;
using Board = std::map<std::string, int>;

struct GeneratedDeck {
  Board mainboard;
  Board sideboard;
  std::string headers;
};

std::string DeckText(const GeneratedDeck& deck) {
  std::string text = deck.headers;
  for (const auto& [name, count] : deck.mainboard)
    text += std::to_string(count) + " " + name + "\n";
  if (!deck.sideboard.empty()) text += "\n";
  for (const auto& [name, count] : deck.sideboard)
    text += std::to_string(count) + " " + name + "\n";
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class AverageDeckTest : public TableTest {
protected:
  // Skewed draws from a pool of generated names and the dictionary's cards, main decks of 58 to
  // 62 cards and sideboards of 15 (or none), so that shares tie and the median decides the size.
  std::vector<GeneratedDeck> Generate(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::string> pool = {"Mountain", "Island", "Lightning Bolt", "Goblin Guide",
                                     "Counterspell"};
    for (int i = 0; i < 40; ++i) pool.push_back("Card " + std::to_string(i));
    std::vector<double> weights;
    for (size_t i = 0; i < pool.size(); ++i) weights.push_back(1.0 / (i + 1));
    std::discrete_distribution<size_t> pick(weights.begin(), weights.end());
    std::vector<GeneratedDeck> decks(count);
    for (GeneratedDeck& deck : decks) {
      int size = 58 + static_cast<int>(random() % 5);
      for (int cards = 0; cards < size;) {
        int copies = std::min(1 + static_cast<int>(random() % 4), size - cards);
        deck.mainboard[pool[pick(random)]] += copies;
        cards += copies;
      }
      if (random() % 4 != 0) {
        for (int cards = 0; cards < 15; ++cards) ++deck.sideboard[pool[pick(random)]];
      }
      deck.headers = random() % 2 ? "#ARCHETYPE Burn\n" : "#NAME Tempo\n";
    }
    return decks;
  }

  void Load(const std::vector<GeneratedDeck>& decks) {
    std::vector<std::string> paths;
    for (size_t i = 0; i < decks.size(); ++i) {
      paths.push_back(folder.Write("meta/deck" + std::to_string(i) + ".txt", DeckText(decks[i])));
    }
    table->AddDeckFiles(paths);
    ASSERT_EQ(vm->GetDecks().size(), decks.size());
  }

  // The average as the user would work it out by hand from the boards.
  Cards Expected(const std::vector<const Board*>& boards) {
    std::map<std::string, std::pair<int, int>> playing;  // name -> decks, copies
    std::vector<int> sizes;
    for (const Board* board : boards) {
      int size = 0;
      for (const auto& [name, count] : *board) {
        size += count;
        ++playing[name].first;
        playing[name].second += count;
      }
      sizes.push_back(size);
    }
    std::sort(sizes.begin(), sizes.end());
    int room = sizes.empty() ? 0 : sizes[(sizes.size() - 1) / 2];
    using Key = std::tuple<int, int, int, std::string>;
    std::vector<Key> order;
    for (const auto& [name, counts] : playing) {
      const Tarvane::Card& card = vm->GetCardDatabase().fetch(name);
      order.emplace_back(-counts.first, card.type, card.converted_mana_cost, name);
    }
    std::sort(order.begin(), order.end());
    Cards cards;
    for (const Key& key : order) {
      if (room <= 0) break;
      const auto& [decks, copies] = playing[std::get<3>(key)];
      int average = static_cast<int>(std::floor(static_cast<double>(copies) / decks + 0.5));
      cards.emplace_back(std::get<3>(key), std::min(average, room));
      room -= cards.back().second;
    }
    return cards;
  }

  Cards Expected(const std::vector<GeneratedDeck>& decks, bool sideboard) {
    std::vector<const Board*> boards;
    for (const GeneratedDeck& deck : decks)
      boards.push_back(sideboard ? &deck.sideboard : &deck.mainboard);
    return Expected(boards);
  }
};

TEST_F(AverageDeckTest, AGeneratedMetagameAveragesAsWorkedOutByHand) {
  std::vector<GeneratedDeck> decks = Generate(120, 19);
  Load(decks);
  Tarvane::AverageDeck average = Tarvane::MakeAverageDeck(vm->GetDecks(), vm->GetCardDatabase());
  EXPECT_EQ(average.mainboard, Expected(decks, false));
  EXPECT_EQ(average.sideboard, Expected(decks, true));
  int main_size = 0;
  for (const auto& card : average.mainboard) main_size += card.second;
  EXPECT_GE(main_size, 58);
  EXPECT_LE(main_size, 62);
  EXPECT_NE(average.name.find("(120デッキ)"), std::string::npos) << average.name;
}

// From the deck columns when there are any, each deck once; from every deck otherwise. The file
// is a deck list that the program loads back with the same boards.
TEST_F(AverageDeckTest, TheFileHoldsTheAverageOfTheDeckColumnsAndLoadsAsADeck) {
  std::vector<GeneratedDeck> decks = Generate(6, 3);
  Load(decks);
  const std::string path = folder.Join("average.txt");
  table->AddDeckColumns({4, 1, 4});
  ASSERT_TRUE(Tarvane::WriteAverageDeckFile(*table, path, reporter));
  std::vector<GeneratedDeck> shown = {decks[4], decks[1]};

  table->AddDeckFiles({path});
  ASSERT_EQ(vm->GetDecks().size(), 7u);
  const Tarvane::Deck& loaded = *vm->GetDecks().back();
  Cards mainboard(loaded.mainboard().cards().begin(), loaded.mainboard().cards().end());
  Cards expected = Expected(shown, false);
  std::sort(mainboard.begin(), mainboard.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(mainboard, expected);
  EXPECT_EQ(loaded.headers().at("NAME").rfind("平均デッキ:", 0), 0u) << loaded.headers().at("NAME");
  EXPECT_NE(loaded.headers().at("NAME").find("(2デッキ)"), std::string::npos);
  // The file lists the cards most decks play first.
  const std::string text = ReadFile(path);
  const size_t second_line = text.find('\n') + 1;
  const auto first = Expected(shown, false)[0];
  EXPECT_EQ(text.substr(second_line, text.find('\n', second_line) - second_line),
            std::to_string(first.second) + " " + first.first);

  table->DeleteAllColumns();
  ASSERT_TRUE(Tarvane::WriteAverageDeckFile(*table, path, reporter));
  EXPECT_NE(ReadFile(path).find("(7デッキ)"), std::string::npos);
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(AverageDeckTest, TheNameSaysWhichArchetypesItWasMadeFrom) {
  std::string burn =
      folder.Write("burn_a.txt", "#ARCHETYPE バーン\n#NAME Bolt\n4 Lightning Bolt\n");
  std::string named = folder.Write("named.txt", "#NAME Tempo\n4 Counterspell\n");
  std::string plain = folder.Write("plain.txt", "#ARCHETYPE \n4 Island\n");
  table->AddDeckFiles({burn, burn, named, plain});
  EXPECT_EQ(Tarvane::DeckArchetype(*vm->GetDecks()[0]), "バーン");
  EXPECT_EQ(Tarvane::DeckArchetype(*vm->GetDecks()[2]), "Tempo");
  EXPECT_EQ(Tarvane::DeckArchetype(*vm->GetDecks()[3]), "plain.txt");
  Tarvane::AverageDeck average = Tarvane::MakeAverageDeck(vm->GetDecks(), vm->GetCardDatabase());
  EXPECT_EQ(average.name, "平均デッキ: バーン 2, Tempo 1, plain.txt 1 (4デッキ)");
  // Board sizes 4, 4, 4, 4: the median is 4, and Lightning Bolt, played most, fills it.
  EXPECT_EQ(average.mainboard, (Cards{{"Lightning Bolt", 4}}));
  EXPECT_TRUE(average.sideboard.empty());
  EXPECT_EQ(Tarvane::AverageDeckText(average),
            "#NAME 平均デッキ: バーン 2, Tempo 1, plain.txt 1 (4デッキ)\n4 Lightning Bolt\n");
}

TEST_F(AverageDeckTest, WithoutDecksABoxSaysSoAndNoFileIsWritten) {
  const std::string path = folder.Join("none.txt");
  EXPECT_FALSE(Tarvane::WriteAverageDeckFile(*table, path, reporter));
  EXPECT_EQ(Captions(), std::vector<std::string>{"平均デッキの作成"});
  EXPECT_FALSE(std::ifstream(path).good());
}

// Counts of 0 and below play no copy: the average holds no card, and a list without cards would
// not load back, so none is written.
TEST_F(AverageDeckTest, DecksWithoutAPositiveCountGiveNoFile) {
  std::string zero = folder.Write("zero.txt", "0 Lightning Bolt\n\n-2 Island\n");
  std::string negative = folder.Write("negative.txt", "-4 Counterspell\n");
  table->AddDeckFiles({zero, negative});
  ASSERT_EQ(vm->GetDecks().size(), 2u);
  const std::string path = folder.Join("average.txt");
  EXPECT_FALSE(Tarvane::WriteAverageDeckFile(*table, path, reporter));
  EXPECT_EQ(Captions(), std::vector<std::string>{"平均デッキの作成"});
  EXPECT_FALSE(std::ifstream(path).good());
}

}  // namespace
}  // namespace TarvaneTest
