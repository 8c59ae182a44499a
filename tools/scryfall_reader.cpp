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

// Fields that a card object and each of its faces share, as views into the parsed document:
// most printings repeat a card already known, and those need no copies.
struct ScryfallFace {
  std::string_view name;
  std::string_view mana_cost;
  std::string_view type_line;
  std::string_view text;
  std::string_view power;
  std::string_view toughness;
  std::string_view loyalty;
  std::string_view defense;
  std::string_view printed_name;
  std::string_view printed_text;
  std::string_view oracle_id;
  double mana_value = -1;  // faces of cards printed two ways carry their own

  // Reads the field when it is one of the shared ones; false otherwise.
  bool Read(std::string_view key, value value, FieldReader& fields) {
    if (key == "name") name = fields.Text(value);
    else if (key == "mana_cost") mana_cost = fields.Text(value);
    else if (key == "type_line") type_line = fields.Text(value);
    else if (key == "oracle_text") text = fields.Text(value);
    else if (key == "power") power = fields.Text(value);
    else if (key == "toughness") toughness = fields.Text(value);
    else if (key == "loyalty") loyalty = fields.Text(value);
    else if (key == "defense") defense = fields.Text(value);
    else if (key == "printed_name") printed_name = fields.Text(value);
    else if (key == "printed_text") printed_text = fields.Text(value);
    else if (key == "oracle_id") oracle_id = fields.Text(value);
    else if (key == "cmc")
      mana_value =
          value.type() == json_type::number ? fields.Number(value) : (fields.Number(value), -1);
    else return false;
    return true;
  }

  SourceFace Face() const {
    return {std::string(name),    std::string(mana_cost), std::string(type_line),
            std::string(power),   std::string(toughness), std::string(loyalty),
            std::string(defense), std::string(text)};
  }
};

std::vector<ScryfallFace> ReadFaces(simdjson::ondemand::array faces, FieldReader& fields) {
  std::vector<ScryfallFace> result;
  for (auto element : faces) {
    value face_value = element.value();
    if (face_value.type() != json_type::object) continue;
    ScryfallFace face;
    for (auto field : face_value.get_object())
      face.Read(field.unescaped_key(), field.value(), fields);
    result.push_back(face);
  }
  return result;
}

// Promo types of printings that carry a name of their own.
bool IsAlternateNamePromo(std::string_view promo_type) {
  return promo_type == "godzillaseries" || promo_type == "draculaseries";
}

}  // namespace

void ReadScryfallCard(object object, CardCollection& cards) {
  ScryfallFace whole;
  std::string_view kind, layout, language, released, number;
  std::vector<ScryfallFace> faces;
  FieldReader fields;
  // A printing under another name (a flavor name, a series of promos with names of their own),
  // whose Japanese name serves only when no other printing has one.
  bool alternate_name = false;
  for (auto field : object) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (whole.Read(key, value, fields)) continue;
    if (key == "object") kind = fields.Text(value);
    else if (key == "layout") layout = fields.Text(value);
    else if (key == "lang") language = fields.Text(value);
    else if (key == "released_at") released = fields.Text(value);
    else if (key == "collector_number") number = fields.Text(value);
    else if (key == "flavor_name") alternate_name = alternate_name || !fields.Text(value).empty();
    else if (key == "promo_types" && fields.IsArray(value)) {
      for (auto promo : value.get_array()) {
        alternate_name = alternate_name || IsAlternateNamePromo(fields.Text(promo.value()));
      }
    } else if (key == "card_faces" && fields.IsArray(value)) {
      faces = ReadFaces(value.get_array(), fields);
    }
  }
  fields.CountIn(cards);
  if (kind != "card" || whole.name.empty() || IsNotADeckCard(std::string(layout))) return;
  std::string key(whole.oracle_id);
  if (key.empty() && !faces.empty()) key = faces.front().oracle_id;  // cards printed two ways
  if (key.empty()) key = whole.name;
  if (faces.empty()) faces.push_back(whole);

  for (size_t index = 0; index < faces.size(); ++index) {
    if (cards.HasFace(key, index)) continue;
    SourceCard card;
    card.name = whole.name;
    card.layout = layout;
    card.mana_value = whole.mana_value >= 0 ? whole.mana_value : faces.front().mana_value;
    cards.AddFace(key, card, index, faces[index].Face());
  }
  if (language != "ja") return;
  JapanesePrinting japanese;
  japanese.alternate_name = alternate_name;
  japanese.released = released;
  japanese.number = CollectorNumber::Of(number, false);
  for (size_t index = 0; index < faces.size(); ++index) {
    japanese.SetName(index, std::string(faces[index].printed_name));
    japanese.SetText(index, std::string(faces[index].printed_text));
  }
  // The whole card's printed name counts only in its "A // B" form.
  if (whole.printed_name.find(" // ") != std::string_view::npos) {
    japanese.SetName(0, std::string(whole.printed_name));
  }
  cards.OfferJapanese(key, japanese);
}

}  // namespace Tarvane::CardJson
