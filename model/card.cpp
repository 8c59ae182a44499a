#include "model/card.h"

#include <climits>

#include "model/card_type.h"

namespace Tarvane {

namespace {

// Two costs far apart would overflow a plain subtraction.
int ClampedDifference(int a, int b) {
  long long difference = static_cast<long long>(a) - b;
  if (difference > INT_MAX) return INT_MAX;
  if (difference < INT_MIN) return INT_MIN;
  return static_cast<int>(difference);
}

}  // namespace

bool Card::is_normal() const { return CardType::IsNormal(type); }

int Card::compare(const Card& a, const Card& b) {
  if (a.type != b.type) return ClampedDifference(a.type, b.type);
  return ClampedDifference(a.converted_mana_cost, b.converted_mana_cost);
}

Card Card::MakeUnknown(const std::string& name) {
  Card card;
  card.name = name;
  card.name_japanese = name;
  card.mana_cost = "Unknown";
  card.converted_mana_cost = 0;
  card.type_text = "Unknown";
  card.type = CardType::UnknownCard;
  card.rules_text = "Unknown";
  return card;
}

}  // namespace Tarvane
