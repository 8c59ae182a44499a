#pragma once
// Finds the dictionary's English name for a card name as another program or a shop wrote it:
// the English name itself, a Japanese name, or a spelling that differs from the dictionary's
// only in quotes, the slashes of a split card, spacing or letter case.
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Tarvane {

class CardDatabase;

class CardNameResolver {
public:
  // Takes the names the database knows now (the dictionary and inserted cards).
  explicit CardNameResolver(const CardDatabase& card_database);

  // The English name for the CP932 name; empty when no card fits.
  std::string Resolve(const std::string& name) const;

private:
  std::string FindExactly(const std::string& name) const;

  std::unordered_set<std::string> english_;
  std::unordered_map<std::string, std::string> by_japanese_;
  std::unordered_map<std::string, std::string> by_lower_case_;
};

}  // namespace Tarvane
