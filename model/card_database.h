#pragma once
// The cards by name: read from the dictionary once at start-up, then grown by unknown cards.
// Cards are only added, never changed or removed, so references to them stay valid.
//
// Loading checks every dictionary line and indexes it by name but keeps the line as text; a
// card's record is built from its line the first time it is fetched. Nothing of this shows
// outside: every format error is still reported by the load.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/card.h"
#include "model/dictionary_index.h"
#include "model/dictionary_text.h"

namespace Tarvane {

class CardDatabase {
public:
  CardDatabase();
  ~CardDatabase();
  CardDatabase(CardDatabase&&) noexcept;
  CardDatabase& operator=(CardDatabase&&) noexcept;

  bool card_exist(const std::string& name) const;
  // The card of that name; a name the database lacks is added as an unknown card first.
  const Card& fetch(const std::string& name);
  // Adds the unknown card for the name unless the name is present.
  void add_unknown_card(const std::string& name);

  // Adds the card under its name unless that name is present; true when it was added.
  bool Insert(Card card);
  // Calls visit with the English and the Japanese name of every card that the dictionary or
  // Insert gave the database, dictionary lines first; unknown cards are left out.
  void ForEachKnownName(const std::function<void(std::string_view name,
                                                 std::string_view name_japanese)>& visit) const;
  // The number of cards (distinct names).
  size_t size() const { return index_.size() + cards_not_in_dictionary_; }

  // Reads every "*.dat" file of the user's dictionary folder, then of the shipped one.
  void LoadDictionary();
  // Reads the "*.dat" files of the folder in byte order of their names; of two cards with the
  // same name the first read stays, and so does a card the database already held. A missing
  // folder holds no cards; one that cannot be read (permissions) is an error. Throws
  // CardDatabaseInitializeException, and then adds no card.
  void LoadDictionary(const std::string& folder);

private:
  // The dictionary files' text, which the index points into.
  DictionaryText text_;
  DictionaryIndex index_;
  // Records built so far: dictionary cards that were fetched, unknown and inserted cards.
  std::unordered_map<std::string, Card> cards_;
  size_t cards_not_in_dictionary_ = 0;
};

}  // namespace Tarvane
