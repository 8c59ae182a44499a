// The dictionaries that the builder writes, and the sample data that ships, read back through
// the program's own dictionary loader.
#include <gtest/gtest.h>

#include <set>

#include "model/card_database.h"
#include "model/card_type.h"
#include "tests/tools/dictionary_test_support.h"
#include "tools/dictionary_builder.h"

namespace {

using namespace TarvaneTest;
using Tarvane::CardDatabase;
using Tarvane::CardType;

std::string SampleDataFolder(const std::string& name) {
  return FixturePath("../../../data/" + name);
}

TEST(DictionaryLoadBackTest, EveryFixtureGivesADictionaryThatLoads) {
  for (const char* fixture :
       {"mtgjson_atomic_cards.json", "mtgjson_all_printings.json", "scryfall_all_cards.json"}) {
    for (bool japanese_text : {false, true}) {
      SCOPED_TRACE(fixture);
      ScratchFolder folder;
      Tarvane::DictionaryBuildOptions options;
      options.japanese_text = japanese_text;
      auto summary =
          Tarvane::BuildDictionary(FixturePath(fixture), folder.Join("cards.dat"), options);
      CardDatabase cards;
      ASSERT_NO_THROW(cards.LoadDictionary(folder.Path()));
      EXPECT_EQ(cards.size(), static_cast<size_t>(summary.lines));
    }
  }
}

TEST(DictionaryLoadBackTest, LoadedCardsSayWhatTheDataSays) {
  ScratchFolder folder;
  Tarvane::BuildDictionary(FixturePath("mtgjson_atomic_cards.json"), folder.Join("a.dat"));
  Tarvane::BuildDictionary(FixturePath("scryfall_all_cards.json"), folder.Join("b.dat"));
  CardDatabase cards;
  cards.LoadDictionary(folder.Path());

  const auto& bears = cards.fetch("Grizzly Bears");
  EXPECT_EQ(bears.name_japanese, "灰色熊");
  EXPECT_EQ(bears.mana_cost, "{1}{G}");
  EXPECT_EQ(bears.converted_mana_cost, 2);
  EXPECT_EQ(bears.type, CardType::Creature);
  EXPECT_EQ(bears.power_and_toughness, "2/2");
  EXPECT_EQ(bears.rules_text, "");
  EXPECT_EQ(cards.fetch("Fire // Ice").rules_text,
            "Fire {1}{R} Instant\r\n\r\n"
            "Fire deals 2 damage divided as you choose among one or two targets.\r\n\r\n"
            "Ice {1}{U} Instant\r\n\r\nTap target permanent.\r\n\r\nDraw a card.\r\n\r\n");
  EXPECT_EQ(cards.fetch("Dryad Arbor").type, CardType::Land);
  EXPECT_EQ(cards.fetch("Ornithopter").type, CardType::Creature);
  EXPECT_EQ(cards.fetch("Liliana of the Veil").type, CardType::Planeswalker);
  EXPECT_EQ(cards.fetch("Bonecrusher Giant").type, CardType::Creature);
  EXPECT_EQ(cards.fetch("Little Girl").converted_mana_cost, 0);
  // A battle is of no type of the table: a dictionary card that counts as special.
  EXPECT_EQ(cards.fetch("Invasion of Zendikar").type, 0);
  EXPECT_TRUE(cards.fetch("Invasion of Zendikar").is_special());
}

TEST(SampleDataTest, TheShippedDictionaryLoadsAndHoldsEveryCardType) {
  CardDatabase cards;
  ASSERT_NO_THROW(cards.LoadDictionary(SampleDataFolder("dictionary")));
  EXPECT_GE(cards.size(), 150u);
  const std::pair<const char*, int> examples[] = {{"Mountain", CardType::Land},
                                                  {"Goblin Guide", CardType::Creature},
                                                  {"Lightning Bolt", CardType::Instant},
                                                  {"Thoughtseize", CardType::Sorcery},
                                                  {"Blood Moon", CardType::Enchantment},
                                                  {"Aether Vial", CardType::Artifact},
                                                  {"Karn Liberated", CardType::Planeswalker},
                                                  {"Backup Plan", CardType::Conspiracy},
                                                  {"Chaotic Aether", CardType::Phenomenon},
                                                  {"Tazeem", CardType::Plane},
                                                  {"Invasion of Zendikar", 0}};
  for (const auto& [name, type] : examples) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(cards.card_exist(name));
    EXPECT_EQ(cards.fetch(name).type, type);
    EXPECT_NE(cards.fetch(name).name_japanese, name);
  }
  // Rules texts of several paragraphs.
  EXPECT_EQ(
      cards.fetch("Boros Charm").rules_text.rfind("Choose one ―\r\n\r\n・ Boros Charm deals", 0),
      0u);
}

TEST(SampleDataTest, TheSampleDecksNameDictionaryCardsSaveOne) {
  CardDatabase cards;
  cards.LoadDictionary(SampleDataFolder("dictionary"));
  std::set<std::string> unknown;
  int decks = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SampleDataFolder("decks"))) {
    SCOPED_TRACE(entry.path().string());
    std::string text = ReadFile(entry.path().string());
    ASSERT_EQ(text.back(), '\n');
    int main_cards = 0;
    bool sideboard = false;
    auto lines = Split(text, '\n');
    lines.pop_back();
    for (const auto& line : lines) {
      if (line.empty()) sideboard = true;
      if (line.empty() || line[0] == '#') continue;
      size_t space = line.find(' ');
      ASSERT_NE(space, std::string::npos);
      std::string name = line.substr(space + 1);
      if (!cards.card_exist(name)) unknown.insert(name);
      if (!sideboard) main_cards += std::stoi(line.substr(0, space));
    }
    EXPECT_TRUE(main_cards == 60 || main_cards == 0);
    ++decks;
  }
  EXPECT_GE(decks, 8);
  EXPECT_LE(decks, 12);
  EXPECT_EQ(unknown, std::set<std::string>{"Dryad of the Ilysian Grove"});
}

}  // namespace
