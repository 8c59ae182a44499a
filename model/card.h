#pragma once
// One card of the dictionary, or an unknown card that a deck list named.
#include <string>

namespace Tarvane {

struct Card {
  std::string name;  // the English name: the key of the card database
  std::string name_japanese;
  std::string mana_cost;
  int converted_mana_cost = 0;
  std::string type_text;  // the printed type line
  int type = 0;           // a CardType code
  std::string power_and_toughness;
  std::string rules_text;  // paragraphs, each followed by CR LF CR LF

  bool is_normal() const;
  bool is_special() const { return !is_normal(); }

  // The order of cards: by type code, then by converted mana cost. Negative, zero or positive:
  // the difference, held to the 32-bit range.
  static int compare(const Card& a, const Card& b);

  // The record that stands for a name the dictionary lacks.
  static Card MakeUnknown(const std::string& name);
};

}  // namespace Tarvane
