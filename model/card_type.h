#pragma once
// The card type codes. A code is both a card's type and its place in the order of rows, so the
// codes of the total rows sit among the types (LandTotal right after Land).
#include <optional>
#include <string>
#include <vector>

namespace Tarvane {

class CardType {
public:
  static constexpr int SideboardStart = 15000;
  static constexpr int Land = 16000;
  static constexpr int LandTotal = 17000;
  static constexpr int Creature = 18000;
  static constexpr int CreatureTotal = 19000;
  static constexpr int Instant = 20000;
  static constexpr int InstantTotal = 21000;
  static constexpr int Sorcery = 22000;
  static constexpr int SorceryTotal = 23000;
  static constexpr int InstantSorceryTotal = 24000;
  static constexpr int Enchantment = 25000;
  static constexpr int EnchantmentTotal = 26000;
  static constexpr int Artifact = 27000;
  static constexpr int ArtifactTotal = 28000;
  static constexpr int Planeswalker = 29000;
  static constexpr int PlaneswalkerTotal = 30000;
  static constexpr int SpellTotal = 31000;
  static constexpr int MainTotal = 32000;
  static constexpr int Conspiracy = 38000;
  static constexpr int Phenomenon = 39000;
  static constexpr int Plane = 40000;

  // Codes without a name in the table: a card the dictionary lacks, and a dictionary card whose
  // type field names no entry of the table.
  static constexpr int UnknownCard = 41000;
  static constexpr int NotInTable = 0;

  struct Entry {
    std::string name;
    int code;
    bool normal;  // a type of real cards, as opposed to sideboard start and totals
  };

  // Every named type in code order.
  static const std::vector<Entry>& Table();
  static std::optional<int> CodeOf(const std::string& name);
  static std::optional<std::string> NameOf(int code);
  // The normal types of the table, and the unknown card.
  static bool IsNormal(int code);
};

}  // namespace Tarvane
