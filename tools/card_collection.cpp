#include "tools/card_collection.h"

#include <algorithm>

namespace Tarvane {
namespace {

// Removes a face together with its Japanese texts.
void EraseFace(SourceCard& card, size_t index) {
  card.faces.erase(card.faces.begin() + index);
  for (auto* texts : {&card.japanese.face_names, &card.japanese.face_texts}) {
    if (index < texts->size()) texts->erase(texts->begin() + index);
  }
}

// A face that no printing described leaves a gap, and a card printed the same on both sides
// (as some reversible cards are) repeats its face; the card is written from its distinct faces,
// under the face's own name when only one is left.
void NormalizeFaces(SourceCard& card) {
  for (size_t index = card.faces.size(); index-- > 0;) {
    auto same_name = [&](const SourceFace& face) { return face.name == card.faces[index].name; };
    if (card.faces[index].name.empty() ||
        std::any_of(card.faces.begin(), card.faces.begin() + index, same_name)) {
      EraseFace(card, index);
    }
  }
  if (card.faces.size() == 1 && card.name.find(" // ") != std::string::npos) {
    card.name = card.faces.front().name;
  }
}

}  // namespace

bool JapanesePrinting::HasName() const {
  return !full_name.empty() || std::any_of(face_names.begin(), face_names.end(),
                                           [](const std::string& name) { return !name.empty(); });
}

void JapanesePrinting::SetName(size_t index, const std::string& name) {
  if (name.empty()) return;
  if (name.find(" // ") != std::string::npos) {
    full_name = name;
    return;
  }
  if (face_names.size() <= index) face_names.resize(index + 1);
  face_names[index] = name;
}

void JapanesePrinting::SetText(size_t index, const std::string& text) {
  if (text.empty()) return;
  if (face_texts.size() <= index) face_texts.resize(index + 1);
  face_texts[index] = text;
}

void CardCollection::AddFace(const std::string& key, const SourceCard& card, size_t face_index,
                             const SourceFace& face) {
  auto [found, is_new] = index_.try_emplace(key, cards_.size());
  if (is_new) {
    cards_.push_back({});
    cards_.back().card.name = card.name;
  }
  Entry& entry = cards_[found->second];
  if (face_index == 0 && !entry.front_seen) {
    entry.front_seen = true;
    entry.card.name = card.name;
    entry.card.ascii_name = card.ascii_name;
    entry.card.layout = card.layout;
    entry.card.mana_value = card.mana_value;
  }
  auto& faces = entry.card.faces;
  if (faces.size() <= face_index) faces.resize(face_index + 1);
  if (faces[face_index].name.empty()) faces[face_index] = face;
}

bool CardCollection::HasFace(const std::string& key, size_t face_index) const {
  auto found = index_.find(key);
  if (found == index_.end()) return false;
  const auto& faces = cards_[found->second].card.faces;
  return face_index < faces.size() && !faces[face_index].name.empty();
}

void CardCollection::OfferJapanese(const std::string& key, const JapanesePrinting& printing) {
  if (!printing.HasName()) return;
  auto [found, is_new] = japanese_.try_emplace(key, printing);
  const JapanesePrinting& kept = found->second;
  if (is_new || printing.alternate_name > kept.alternate_name) return;
  if (printing.alternate_name < kept.alternate_name || printing.released > kept.released ||
      (printing.released == kept.released && printing.number < kept.number)) {
    found->second = printing;
  }
}

CollectorNumber CollectorNumber::Of(std::string_view number, bool side_letter) {
  if (side_letter && number.size() > 1 && number.back() >= 'a' && number.back() <= 'z') {
    number.remove_suffix(1);
  }
  CollectorNumber order;
  order.text = number;
  size_t digits = number.find_first_of("0123456789");
  if (digits == std::string_view::npos) return order;
  order.value = 0;
  for (size_t index = digits; index < number.size() && number[index] >= '0' && number[index] <= '9';
       ++index) {
    if (order.value < LONG_MAX / 10 - 10) order.value = order.value * 10 + (number[index] - '0');
  }
  return order;
}

std::vector<SourceCard> CardCollection::TakeCards() {
  std::vector<SourceCard> cards;
  cards.reserve(cards_.size());
  for (auto& [key, position] : index_) {
    auto japanese = japanese_.find(key);
    if (japanese != japanese_.end()) cards_[position].card.japanese = std::move(japanese->second);
  }
  for (auto& entry : cards_) {
    NormalizeFaces(entry.card);
    if (!entry.card.faces.empty()) cards.push_back(std::move(entry.card));
  }
  cards_.clear();
  index_.clear();
  japanese_.clear();
  return cards;
}

}  // namespace Tarvane
