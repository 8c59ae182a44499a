#include "model/card_type.h"

#include <unordered_map>

namespace Tarvane {

const std::vector<CardType::Entry>& CardType::Table() {
  static const std::vector<Entry> table = {
      {"SideboardStart", SideboardStart, false},
      {"Land", Land, true},
      {"LandTotal", LandTotal, false},
      {"Creature", Creature, true},
      {"CreatureTotal", CreatureTotal, false},
      {"Instant", Instant, true},
      {"InstantTotal", InstantTotal, false},
      {"Sorcery", Sorcery, true},
      {"SorceryTotal", SorceryTotal, false},
      {"InstantSorceryTotal", InstantSorceryTotal, false},
      {"Enchantment", Enchantment, true},
      {"EnchantmentTotal", EnchantmentTotal, false},
      {"Artifact", Artifact, true},
      {"ArtifactTotal", ArtifactTotal, false},
      {"Planeswalker", Planeswalker, true},
      {"PlaneswalkerTotal", PlaneswalkerTotal, false},
      {"SpellTotal", SpellTotal, false},
      {"MainTotal", MainTotal, false},
      {"Conspiracy", Conspiracy, true},
      {"Phenomenon", Phenomenon, true},
      {"Plane", Plane, true},
  };
  return table;
}

namespace {

const std::unordered_map<std::string, const CardType::Entry*>& ByName() {
  static const auto by_name = [] {
    std::unordered_map<std::string, const CardType::Entry*> map;
    for (const CardType::Entry& entry : CardType::Table()) map[entry.name] = &entry;
    return map;
  }();
  return by_name;
}

const std::unordered_map<int, const CardType::Entry*>& ByCode() {
  static const auto by_code = [] {
    std::unordered_map<int, const CardType::Entry*> map;
    for (const CardType::Entry& entry : CardType::Table()) map[entry.code] = &entry;
    return map;
  }();
  return by_code;
}

}  // namespace

std::optional<int> CardType::CodeOf(const std::string& name) {
  auto found = ByName().find(name);
  if (found == ByName().end()) return std::nullopt;
  return found->second->code;
}

std::optional<std::string> CardType::NameOf(int code) {
  auto found = ByCode().find(code);
  if (found == ByCode().end()) return std::nullopt;
  return found->second->name;
}

bool CardType::IsNormal(int code) {
  if (code == UnknownCard) return true;
  auto found = ByCode().find(code);
  return found != ByCode().end() && found->second->normal;
}

}  // namespace Tarvane
