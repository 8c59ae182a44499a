#pragma once
// Readers of the public card data files' JSON pieces (internal to the dictionary builder; the
// JSON parser's types stay out of every other header).
#include <simdjson.h>

#include <string>
#include <string_view>

#include "tools/card_collection.h"
#include "tools/json_element_splitter.h"

namespace Tarvane::CardJson {

static_assert(JsonElementSplitter::kPadding >= simdjson::SIMDJSON_PADDING);

// Reads the fields of one record of the data and notes a field of the wrong type. A null is a
// missing field, as the data has nulls here and there.
class FieldReader {
public:
  // A string value's text, valid while the parser's document lives; empty for any other value.
  std::string_view Text(simdjson::ondemand::value value);
  // A number value; 0 for any other value.
  double Number(simdjson::ondemand::value value);
  // Whether the value is an array (anything else but null is of the wrong type).
  bool IsArray(simdjson::ondemand::value value);
  // Counts the record in the collection when a field had the wrong type.
  void CountIn(CardCollection& cards) const {
    if (wrong_) cards.CountWrongTypedRecord();
  }

private:
  bool Expect(simdjson::ondemand::value value, simdjson::ondemand::json_type type);
  bool wrong_ = false;
};

// One entry of the list of cards by name: the faces of one card. False when the entry is no
// card's faces (a list of printings, which carry identifiers of their own).
bool ReadMtgjsonCardFaces(simdjson::ondemand::array faces, CardCollection& cards);
// One set with its printings; its release date dates the Japanese names of its printings.
void ReadMtgjsonSet(simdjson::ondemand::object set, CardCollection& cards);
// The printings of one set, from a file of that set alone.
void ReadMtgjsonSetCards(simdjson::ondemand::array printings, CardCollection& cards);
// One printing of the bulk file of printings in every language.
void ReadScryfallCard(simdjson::ondemand::object card, CardCollection& cards);

}  // namespace Tarvane::CardJson
