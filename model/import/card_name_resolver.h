#pragma once
// Finds the dictionary's English name for a card name as another program or a shop wrote it:
// the English name itself, a Japanese name, or a spelling that differs from the dictionary's
// only in quotes, the slashes of a split card, spacing or letter case. A card of two faces is
// one card however it is written: one face alone ("Stomp", "Ice") or both ("Bonecrusher Giant
// // Stomp") give the name the program's own lists use, which is the front face for a card
// that the dictionary also keeps under its front face (transform, modal double-faced,
// adventure and flip cards) and "Front // Back" for the others (split cards).
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Tarvane {

class CardDatabase;

class CardNameResolver {
public:
  // Takes the names the database knows now (the dictionary and inserted cards).
  explicit CardNameResolver(const CardDatabase& card_database);

  // The English name for the CP932 name; empty when no card fits. Imported lists and the
  // card names of archetype rules both go through it, so that they name a card alike.
  std::string Resolve(const std::string& name) const;

private:
  std::string FindExactly(const std::string& name) const;
  std::string FindAnyway(const std::string& name) const;
  std::string AsTheProgramNamesIt(const std::string& english) const;

  std::unordered_set<std::string> english_;
  std::unordered_map<std::string, std::string> by_japanese_;
  std::unordered_map<std::string, std::string> by_lower_case_;
  std::unordered_map<std::string, std::string> by_face_;  // a face in lower case, the card's name
};

}  // namespace Tarvane
