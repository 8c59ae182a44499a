#include "model/card.h"

#include <gtest/gtest.h>

#include <climits>

#include "model/card_type.h"

using namespace Tarvane;

TEST(CardTypeTest, TableWorksBothWays) {
  EXPECT_EQ(CardType::CodeOf("Land"), 16000);
  EXPECT_EQ(CardType::CodeOf("LandTotal"), 17000);
  EXPECT_EQ(CardType::CodeOf("Plane"), 40000);
  EXPECT_EQ(CardType::CodeOf("land"), std::nullopt);
  EXPECT_EQ(CardType::NameOf(24000), "InstantSorceryTotal");
  EXPECT_EQ(CardType::NameOf(41000), std::nullopt);
  EXPECT_EQ(CardType::Table().size(), 21u);
  for (const CardType::Entry& entry : CardType::Table()) {
    EXPECT_EQ(CardType::CodeOf(entry.name), entry.code);
    EXPECT_EQ(entry.code % 1000, 0);
  }
}

TEST(CardTypeTest, NormalTypes) {
  for (int code : {16000, 18000, 20000, 22000, 25000, 27000, 29000, 38000, 39000, 40000, 41000}) {
    EXPECT_TRUE(CardType::IsNormal(code)) << code;
  }
  for (int code : {0, 15000, 17000, 24000, 31000, 32000, 12345}) {
    EXPECT_FALSE(CardType::IsNormal(code)) << code;
  }
}

TEST(CardTest, UnknownCardRecord) {
  Card card = Card::MakeUnknown("Mystery");
  EXPECT_EQ(card.name, "Mystery");
  EXPECT_EQ(card.name_japanese, "Mystery");
  EXPECT_EQ(card.mana_cost, "Unknown");
  EXPECT_EQ(card.type_text, "Unknown");
  EXPECT_EQ(card.rules_text, "Unknown");
  EXPECT_EQ(card.power_and_toughness, "");
  EXPECT_EQ(card.type, 41000);
  EXPECT_TRUE(card.is_normal());
  EXPECT_FALSE(card.is_special());
}

TEST(CardTest, CompareByTypeThenCost) {
  Card land, instant, cheap, costly;
  land.type = CardType::Land;
  instant.type = cheap.type = costly.type = CardType::Instant;
  cheap.converted_mana_cost = 1;
  costly.converted_mana_cost = 4;
  EXPECT_EQ(Card::compare(land, instant), -4000);
  EXPECT_EQ(Card::compare(costly, cheap), 3);
  EXPECT_EQ(Card::compare(cheap, cheap), 0);
  // Costs far apart keep their sign instead of overflowing.
  costly.converted_mana_cost = INT_MAX;
  cheap.converted_mana_cost = -5;
  EXPECT_GT(Card::compare(costly, cheap), 0);
  EXPECT_LT(Card::compare(cheap, costly), 0);
}
