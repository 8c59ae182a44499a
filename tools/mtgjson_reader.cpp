// The card data whose cards are listed by name (each an array of faces) or by set (each set an
// object with its printings under "cards"; one printing per face).
#include <map>

#include "tools/card_json.h"

namespace Tarvane::CardJson {

using simdjson::ondemand::json_type;
using simdjson::ondemand::object;
using simdjson::ondemand::value;

std::string Text(value value) {
  if (value.type() != json_type::string) return {};
  return std::string(std::string_view(value.get_string()));
}

double Number(value value) {
  if (value.type() != json_type::number) return 0;
  return double(value.get_double());
}

namespace {

// One face of one printing.
struct MtgjsonFace {
  SourceCard card;
  SourceFace face;
  size_t index = 0;
  std::string japanese_name;
  std::string japanese_face_name;
  std::string japanese_text;
};

void ReadJapanese(simdjson::ondemand::array foreign_data, MtgjsonFace& face) {
  for (object foreign : foreign_data) {
    std::string language, name, face_name, text;
    for (auto field : foreign) {
      std::string_view key = field.unescaped_key();
      if (key == "language") language = Text(field.value());
      else if (key == "name") name = Text(field.value());
      else if (key == "faceName") face_name = Text(field.value());
      else if (key == "text") text = Text(field.value());
    }
    if (language != "Japanese") continue;
    face.japanese_name = name;
    face.japanese_face_name = face_name;
    face.japanese_text = text;
    return;
  }
}

MtgjsonFace ReadFace(object object) {
  MtgjsonFace result;
  SourceFace& face = result.face;
  bool has_mana_value = false;
  for (auto field : object) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (key == "name") {
      result.card.name = Text(value);
    } else if (key == "faceName") {
      face.name = Text(value);
    } else if (key == "asciiName") {
      result.card.ascii_name = Text(value);
    } else if (key == "layout") {
      result.card.layout = Text(value);
    } else if (key == "side") {
      std::string side = Text(value);
      if (side.size() == 1 && side[0] >= 'a' && side[0] <= 'z') result.index = side[0] - 'a';
    } else if (key == "manaCost") {
      face.mana_cost = Text(value);
    } else if (key == "manaValue") {
      result.card.mana_value = Number(value);
      has_mana_value = true;
    } else if (key == "convertedManaCost") {
      // The name older files use for the same value.
      if (!has_mana_value) result.card.mana_value = Number(value);
    } else if (key == "type") {
      face.type_line = Text(value);
    } else if (key == "text") {
      face.text = Text(value);
    } else if (key == "power") {
      face.power = Text(value);
    } else if (key == "toughness") {
      face.toughness = Text(value);
    } else if (key == "loyalty") {
      face.loyalty = Text(value);
    } else if (key == "defense") {
      face.defense = Text(value);
    } else if (key == "foreignData" && value.type() == json_type::array) {
      ReadJapanese(value.get_array(), result);
    }
  }
  if (face.name.empty()) face.name = result.card.name;
  return result;
}

void AddJapanese(const MtgjsonFace& face, JapanesePrinting& printing) {
  if (!face.japanese_face_name.empty()) printing.SetName(face.index, face.japanese_face_name);
  // A name with " // " is the whole card's; otherwise it is this face's when no face name is.
  if (face.japanese_face_name.empty() ||
      face.japanese_name.find(" // ") != std::string::npos) {
    printing.SetName(face.index, face.japanese_name);
  }
  printing.SetText(face.index, face.japanese_text);
}

}  // namespace

void ReadMtgjsonCardFaces(simdjson::ondemand::array faces, CardCollection& cards) {
  std::string key;
  JapanesePrinting japanese;
  for (auto element : faces) {
    value face_value = element.value();
    if (face_value.type() != json_type::object) continue;
    MtgjsonFace face = ReadFace(face_value.get_object());
    if (face.card.name.empty()) continue;
    if (key.empty()) key = face.card.name;
    if (face.card.name != key) continue;  // an entry holds one card; anything else is foreign
    cards.AddFace(key, face.card, face.index, face.face);
    AddJapanese(face, japanese);
  }
  if (!key.empty()) cards.OfferJapanese(key, japanese);
}

void ReadMtgjsonSet(object set, CardCollection& cards) {
  std::string released;
  // The printings of a card's faces come one by one; their Japanese texts are gathered per
  // card and dated once the set's release date is known, which may come after the cards.
  std::map<std::string, JapanesePrinting> japanese;
  for (auto field : set) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (key == "releaseDate") {
      released = Text(value);
    } else if (key == "cards" && value.type() == json_type::array) {
      for (object object : value.get_array()) {
        MtgjsonFace face = ReadFace(object);
        if (face.card.name.empty()) continue;
        cards.AddFace(face.card.name, face.card, face.index, face.face);
        AddJapanese(face, japanese[face.card.name]);
      }
    }
  }
  for (auto& [name, printing] : japanese) {
    printing.released = released;
    cards.OfferJapanese(name, printing);
  }
}

}  // namespace Tarvane::CardJson
