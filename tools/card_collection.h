#pragma once
// Gathers cards from a stream of printings: one card per key (the card's name, or the data's
// card identity), its faces filled by the first printing that has them, and its Japanese texts
// taken from the newest Japanese printing, which may come before or after the card itself.
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/source_card.h"

namespace Tarvane {

class CardCollection {
public:
  // Adds face number face_index of the card under key. The card's name, layout and mana value
  // come from its front face; a face already known stays as it is.
  void AddFace(const std::string& key, const SourceCard& card, size_t face_index,
               const SourceFace& face);
  // Whether face number face_index of the card under key is known already.
  bool HasFace(const std::string& key, size_t face_index) const;
  // Keeps the printing for the card under key when it is the first with a name, newer, or of
  // the same date with a lower collector number.
  void OfferJapanese(const std::string& key, const JapanesePrinting& printing);
  // Counts a record of the data that had a field of the wrong type (a number where a name
  // belongs), which was read as if the field were missing.
  void CountWrongTypedRecord() { ++wrong_typed_records_; }
  long WrongTypedRecords() const { return wrong_typed_records_; }

  // The cards in the order first seen, each with its Japanese printing; empties the collection.
  std::vector<SourceCard> TakeCards();
  size_t Size() const { return cards_.size(); }

private:
  struct Entry {
    SourceCard card;
    bool front_seen = false;
  };
  std::vector<Entry> cards_;
  std::unordered_map<std::string, size_t> index_;
  std::unordered_map<std::string, JapanesePrinting> japanese_;
  long wrong_typed_records_ = 0;
};

}  // namespace Tarvane
