// The archetype rules on the test rule folder (tests/data/archetypes, written with the published
// files' quirks): how it loads, every condition type, variants, conflicts, the fallback
// threshold, colours and the deck's own header.
#include "model/archetype/archetype_classifier.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "model/card_database.h"
#include "model/card_type.h"
#include "model/deck.h"
#include "model/import/card_name_resolver.h"
#include "tests/support/scratch_folder.h"

using namespace Tarvane;
using TarvaneTest::ScratchFolder;

namespace {

std::string RuleFolder() {
  return std::string(std::getenv("TARVANE_TEST_DATA")) + "/archetypes/Modern";
}

class ArchetypeClassifierTest : public ::testing::Test {
protected:
  ArchetypeClassifierTest() {
    AddCard("Lightning Bolt", "{R}", CardType::Instant);
    AddCard("Goblin Guide", "{R}", CardType::Creature);
    AddCard("Monastery Swiftspear", "{R}", CardType::Creature);
    AddCard("Lava Spike", "{R}", CardType::Sorcery);
    AddCard("Lightning Helix", "{R}{W}", CardType::Instant);
    AddCard("Skred", "{R}", CardType::Instant);
    AddCard("Counterspell", "{U}{U}", CardType::Instant);
    AddCard("Mana Leak", "{1}{U}", CardType::Instant);
    AddCard("Ponder", "{U}", CardType::Sorcery);
    AddCard("Delver of Secrets // Insectile Aberration", "{U}", CardType::Creature);
    AddCard("Delver of Secrets", "{U}", CardType::Creature);
    AddCard("Fire // Ice", "{1}{R} // {1}{U}", CardType::Instant);
    AddCard("Kitchen Finks", "{1}{G/W}{G/W}", CardType::Creature);
    AddCard("Ragavan, Nimble Pilferer", "{R}", CardType::Creature);
    AddCard("Ornithopter", "{0}", CardType::Artifact);
    AddCard("Mountain", "", CardType::Land);
    AddCard("Steam Vents", "", CardType::Land);
    AddCard("Glimmervoid", "", CardType::Land);
    rules_ = LoadArchetypeRuleSet(RuleFolder(), CardNameResolver(database_));
    classifier_ = std::make_unique<ArchetypeClassifier>(rules_, database_);
  }

  void AddCard(const std::string& name, const std::string& cost, int type) {
    Card card;
    card.name = card.name_japanese = name;
    card.mana_cost = cost;
    card.type = type;
    database_.Insert(card);
  }

  std::shared_ptr<Deck> DeckOf(const std::string& text) {
    return Deck::Load(scratch_.Write("deck" + std::to_string(++decks_) + ".txt", text), database_);
  }
  ArchetypeLabel Classify(const std::string& text) { return classifier_->Classify(*DeckOf(text)); }

  ScratchFolder scratch_;
  CardDatabase database_;
  ArchetypeRuleSet rules_;
  std::unique_ptr<ArchetypeClassifier> classifier_;
  int decks_ = 0;
};

TEST_F(ArchetypeClassifierTest, LoadsTheFolderInFileOrderAndReportsBadFiles) {
  std::vector<std::string> names;
  for (const ArchetypeRule& rule : rules_.archetypes) names.push_back(rule.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Affinity", "Burn", "Delver", "Izzet Tempo"}));
  ASSERT_EQ(rules_.fallbacks.size(), 2u);
  EXPECT_EQ(rules_.fallbacks[0].name, "Aggro");
  EXPECT_EQ(rules_.archetypes[1].variants.size(), 2u);  // despite the comma missing between them
  EXPECT_EQ(rules_.Summary(), "アーキタイプ 4 件、フォールバック 2 件を読み込みました。");
  ASSERT_EQ(rules_.problems.size(), 2u);
  EXPECT_NE(rules_.problems[0].find("Scam.json"), std::string::npos);
  EXPECT_NE(rules_.problems[0].find("ExactlyOneInMainboard"), std::string::npos);
  EXPECT_NE(rules_.problems[1].find("Truncated.json: 4行 39列"), std::string::npos);
  // card_colors.json one level up, overrides under "Cards".
  EXPECT_TRUE(rules_.card_colors.at("Steam Vents").land);
  EXPECT_EQ(rules_.color_overrides.at("Glimmervoid").colors, "WUBRG");
}

TEST_F(ArchetypeClassifierTest, NotARuleFolderIsOneProblem) {
  ArchetypeRuleSet rules =
      LoadArchetypeRuleSet(scratch_.MakeFolder("empty"), CardNameResolver(database_));
  EXPECT_TRUE(rules.archetypes.empty());
  ASSERT_EQ(rules.problems.size(), 1u);
  EXPECT_NE(rules.problems[0].find("Archetypes"), std::string::npos);
}

TEST_F(ArchetypeClassifierTest, AFileNameTheProgramCannotSpellIsAProblemAndTheOthersLoad) {
  const std::string rule =
      R"({"Name": "Tron", "Conditions": [{"Type": "InMainboard", "Cards": ["Karn Liberated"]}]})";
  scratch_.Write("rules/Archetypes/tron.json", rule);
  scratch_.Write("rules/Archetypes/caf\xE9.json", rule);
  ArchetypeRuleSet rules =
      LoadArchetypeRuleSet(scratch_.Join("rules"), CardNameResolver(database_));
  EXPECT_EQ(rules.archetypes.size(), 1u);
  ASSERT_EQ(rules.problems.size(), 1u);
  EXPECT_NE(rules.problems[0].find("Shift-JIS"), std::string::npos);
}

TEST_F(ArchetypeClassifierTest, ConditionTypesIgnoreLetterCase) {
  ArchetypeCondition condition;
  ASSERT_TRUE(ReadConditionType("OneOrMoreINMainboard", condition));
  EXPECT_EQ(condition.quantity, ArchetypeCondition::Quantity::OneOrMore);
  EXPECT_EQ(condition.place, ArchetypeCondition::Place::Mainboard);
  ASSERT_TRUE(ReadConditionType("doesnotcontainsideboard", condition));
  EXPECT_EQ(condition.quantity, ArchetypeCondition::Quantity::NoneOf);
  EXPECT_EQ(condition.place, ArchetypeCondition::Place::Sideboard);
  ASSERT_TRUE(ReadConditionType("DoesNotContain", condition));
  EXPECT_EQ(condition.place, ArchetypeCondition::Place::MainOrSideboard);
  EXPECT_FALSE(ReadConditionType("DoesNotContainMainOrSideboard", condition));
  EXPECT_FALSE(ReadConditionType("InGraveyard", condition));
}

TEST_F(ArchetypeClassifierTest, OneArchetypeAndItsVariants) {
  const std::string burn = "4 Lightning Bolt\n4 Goblin Guide\n12 Mountain\n";
  EXPECT_EQ(Classify(burn), (ArchetypeLabel{"Mono Red Burn", ArchetypeHow::Rule}));
  // The first fitting variant in file order names it, without colours as the variant says.
  EXPECT_EQ(Classify(burn + "4 Skred\n").name, "Skred Burn");
  EXPECT_EQ(Classify(burn + "4 Skred\n2 lightning helix\n").name, "Boros Burn");
  // DoesNotContain looks at the sideboard too.
  EXPECT_NE(Classify(burn + "\n2 Counterspell\n").how, ArchetypeHow::Rule);
  // A card in the rules that only the sideboard holds is not in the main deck.
  EXPECT_NE(Classify("4 Lightning Bolt\n12 Mountain\n\n4 Goblin Guide\n").how, ArchetypeHow::Rule);
}

TEST_F(ArchetypeClassifierTest, EveryPlaceAndQuantity) {
  // Affinity asks for every condition type but DoesNotContain.
  const std::string main = "4 Ornithopter\n4 Springleaf Drum\n";
  const std::string side =
      "\n1 Glimmervoid\n1 Etched Champion\n1 Welding Jar\n2 Frogmite\n2 Myr Enforcer\n2 "
      "Thoughtcast\n";
  EXPECT_EQ(Classify(main + side).name, "Affinity");
  EXPECT_NE(Classify(main + "1 Thoughtcast\n" + side).name, "Affinity");  // DoesNotContainMainboard
  EXPECT_NE(
      Classify(main +
               "1 Etched Champion\n\n1 Glimmervoid\n1 Welding Jar\n2 Frogmite\n2 Myr Enforcer\n")
          .name,
      "Affinity");  // InSideboard
  EXPECT_NE(
      Classify(main + "\n1 Glimmervoid\n1 Etched Champion\n1 Welding Jar\n2 Frogmite\n2 Frogmite\n")
          .name,
      "Affinity");  // TwoOrMore counts different cards
  EXPECT_NE(Classify("4 Ornithopter\n" + side).name, "Affinity");  // OneOrMoreInMainOrSideboard
}

TEST_F(ArchetypeClassifierTest, NamesMeetAcrossSpellingsAndFaces) {
  // The rule names "Delver of Secrets // Insectile Aberration" and lists Lightning Bolt twice;
  // Izzet Tempo writes "counterspell" and "Fire // Ice".
  EXPECT_EQ(Classify("4 Delver of Secrets\n4 Lightning Bolt\n4 Ponder\n").name, "Izzet Delver");
  EXPECT_EQ(
      Classify("4 Delver of Secrets // Insectile Aberration\n4 LIGHTNING BOLT\n4 Ponder\n").name,
      "Izzet Delver");
  EXPECT_EQ(Classify("4 Delver of Secrets\n4 Lightning Bolt\n").how, ArchetypeHow::Unknown);
  EXPECT_EQ(Classify("4 Mana Leak\n4 Ponder\n\n2 Fire/Ice\n2 Steam Vents\n"),
            (ArchetypeLabel{"Izzet Tempo", ArchetypeHow::Rule}));
}

TEST_F(ArchetypeClassifierTest, SeveralArchetypesAreAConflict) {
  EXPECT_EQ(Classify("4 Lightning Bolt\n4 Goblin Guide\n4 Mana Leak\n4 Steam Vents\n"),
            (ArchetypeLabel{"Izzet Burn / Izzet Tempo", ArchetypeHow::Conflict}));
}

TEST_F(ArchetypeClassifierTest, FallbacksFromOneTenthOfTheirCards) {
  // Two of Aggro's twenty common cards is exactly the threshold; one is under it.
  EXPECT_EQ(Classify("4 Monastery Swiftspear\n4 Lava Spike\n20 Mountain\n"),
            (ArchetypeLabel{"Mono Red Aggro", ArchetypeHow::Fallback}));
  EXPECT_EQ(Classify("4 Monastery Swiftspear\n20 Mountain\n"),
            (ArchetypeLabel{"Unknown", ArchetypeHow::Unknown}));
  EXPECT_EQ(Classify("4 Counterspell\n4 Ponder\n").name, "Mono Blue GenericControl");
  // Aggro 5/20 ties GenericControl 1/4: the first file wins.
  EXPECT_EQ(Classify("4 Counterspell\n4 Monastery Swiftspear\n4 Lava Spike\n4 Rift Bolt\n"
                     "4 Skewer the Critics\n4 Searing Blaze\n")
                .name,
            "Izzet Aggro");
  // Sideboard cards do not count for a fallback.
  EXPECT_EQ(Classify("20 Mountain\n\n4 Monastery Swiftspear\n4 Lava Spike\n").how,
            ArchetypeHow::Unknown);
}

TEST_F(ArchetypeClassifierTest, TheDecksOwnHeaderWins) {
  EXPECT_EQ(Classify("#ARCHETYPE My Burn\n4 Lightning Bolt\n4 Goblin Guide\n"),
            (ArchetypeLabel{"My Burn", ArchetypeHow::Header}));
  // Without rules a deck keeps the name it carries.
  EXPECT_EQ(LabelWithoutRules(*DeckOf("#NAME Jund\n4 Ponder\n")),
            (ArchetypeLabel{"Jund", ArchetypeHow::Name}));
  std::shared_ptr<Deck> unnamed = DeckOf("4 Ponder\n");
  EXPECT_EQ(LabelWithoutRules(*unnamed).name, "deck" + std::to_string(decks_) + ".txt");
}

TEST_F(ArchetypeClassifierTest, ColoursOfTheMainDeck) {
  EXPECT_EQ(classifier_->DeckColors(*DeckOf("4 Kitchen Finks\n4 Mountain\n")), "WG");  // hybrid
  EXPECT_EQ(classifier_->DeckColors(*DeckOf("4 Ragavan, Nimble Pilferer\n")), "B");    // override
  // Lands count only when the main deck has nothing else; card_colors.json knows Steam Vents.
  EXPECT_EQ(classifier_->DeckColors(*DeckOf("4 Steam Vents\n4 Mountain\n\n4 Ponder\n")), "UR");
  EXPECT_EQ(classifier_->DeckColors(*DeckOf("4 Ornithopter\n4 Glimmervoid\n")), "");
  EXPECT_EQ(classifier_->DeckColors(*DeckOf("4 Fire // Ice\n")), "UR");
  EXPECT_EQ(ColorName(""), "Colorless");
  EXPECT_EQ(ColorName("RU"), "Izzet");
  EXPECT_EQ(ColorName("WBG"), "Abzan");
  EXPECT_EQ(ColorName("URG"), "Temur");
  EXPECT_EQ(ColorName("WUBG"), "4 Color");
  EXPECT_EQ(ColorName("WUBRG"), "5 Color");
}

}  // namespace
