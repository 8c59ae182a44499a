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

// A string value's text, valid while the parser's document lives; empty for any other kind of
// value (the data has nulls here and there).
std::string_view Text(simdjson::ondemand::value value);
// A number value; 0 for any other kind of value.
double Number(simdjson::ondemand::value value);

// One entry of the list of cards by name: the faces of one card.
void ReadMtgjsonCardFaces(simdjson::ondemand::array faces, CardCollection& cards);
// One set with its printings; its release date dates the Japanese names of its printings.
void ReadMtgjsonSet(simdjson::ondemand::object set, CardCollection& cards);
// One printing of the bulk file of printings in every language.
void ReadScryfallCard(simdjson::ondemand::object card, CardCollection& cards);

}  // namespace Tarvane::CardJson
