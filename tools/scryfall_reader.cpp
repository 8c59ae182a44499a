// The bulk file of printings: a top-level array of card objects, every language's printings
// among them, tied together by their oracle id.
#include <algorithm>
#include <vector>

#include "tools/card_json.h"

namespace Tarvane::CardJson {

using simdjson::ondemand::json_type;
using simdjson::ondemand::object;
using simdjson::ondemand::value;

namespace {

// Objects of the bulk file that are no cards a deck holds.
bool IsNotADeckCard(const std::string& layout) {
  static const char* const layouts[] = {"token", "double_faced_token", "emblem", "art_series"};
  return std::find(std::begin(layouts), std::end(layouts), layout) != std::end(layouts);
}

// Fields that a card object and each of its faces share.
struct ScryfallFace {
  SourceFace face;
  std::string printed_name;
  std::string printed_text;
  std::string oracle_id;
  double mana_value = -1;  // faces of cards printed two ways carry their own

  // Reads the field when it is one of the shared ones; false otherwise.
  bool Read(std::string_view key, value value) {
    if (key == "name") face.name = Text(value);
    else if (key == "mana_cost") face.mana_cost = Text(value);
    else if (key == "type_line") face.type_line = Text(value);
    else if (key == "oracle_text") face.text = Text(value);
    else if (key == "power") face.power = Text(value);
    else if (key == "toughness") face.toughness = Text(value);
    else if (key == "loyalty") face.loyalty = Text(value);
    else if (key == "defense") face.defense = Text(value);
    else if (key == "printed_name") printed_name = Text(value);
    else if (key == "printed_text") printed_text = Text(value);
    else if (key == "oracle_id") oracle_id = Text(value);
    else if (key == "cmc") mana_value = value.type() == json_type::number ? Number(value) : -1;
    else return false;
    return true;
  }
};

std::vector<ScryfallFace> ReadFaces(simdjson::ondemand::array faces) {
  std::vector<ScryfallFace> result;
  for (object object : faces) {
    ScryfallFace face;
    for (auto field : object) face.Read(field.unescaped_key(), field.value());
    result.push_back(std::move(face));
  }
  return result;
}

}  // namespace

void ReadScryfallCard(object object, CardCollection& cards) {
  ScryfallFace whole;
  SourceCard card;
  std::string kind, language, released;
  std::vector<ScryfallFace> faces;
  for (auto field : object) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (whole.Read(key, value)) continue;
    if (key == "object") kind = Text(value);
    else if (key == "layout") card.layout = Text(value);
    else if (key == "lang") language = Text(value);
    else if (key == "released_at") released = Text(value);
    else if (key == "card_faces" && value.type() == json_type::array) faces = ReadFaces(value.get_array());
  }
  if (kind != "card" || whole.face.name.empty() || IsNotADeckCard(card.layout)) return;
  card.name = whole.face.name;
  card.mana_value = whole.mana_value;
  if (card.mana_value < 0 && !faces.empty()) card.mana_value = faces.front().mana_value;
  std::string key = whole.oracle_id;
  if (key.empty() && !faces.empty()) key = faces.front().oracle_id;  // cards printed two ways
  if (key.empty()) key = card.name;

  JapanesePrinting japanese;
  japanese.released = released;
  if (faces.empty()) {
    cards.AddFace(key, card, 0, whole.face);
    japanese.SetName(0, whole.printed_name);
    japanese.SetText(0, whole.printed_text);
  } else {
    for (size_t index = 0; index < faces.size(); ++index) {
      cards.AddFace(key, card, index, faces[index].face);
      japanese.SetName(index, faces[index].printed_name);
      japanese.SetText(index, faces[index].printed_text);
    }
    // The whole card's printed name counts only in its "A // B" form.
    if (whole.printed_name.find(" // ") != std::string::npos) japanese.SetName(0, whole.printed_name);
  }
  if (language == "ja") cards.OfferJapanese(key, japanese);
}

}  // namespace Tarvane::CardJson
