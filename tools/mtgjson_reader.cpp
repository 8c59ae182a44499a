// The card data whose cards are listed by name (each an array of faces) or by set (each set an
// object with its printings under "cards"; one printing per face).
#include <map>

#include "tools/card_json.h"

namespace Tarvane::CardJson {

using simdjson::ondemand::json_type;
using simdjson::ondemand::object;
using simdjson::ondemand::value;

std::string_view Text(value value) {
  if (value.type() != json_type::string) return {};
  return value.get_string();
}

double Number(value value) {
  if (value.type() != json_type::number) return 0;
  return double(value.get_double());
}

namespace {

// One face of one printing, as views into the parsed document: most printings repeat a face
// already known, and those need no copies.
struct MtgjsonFace {
  std::string_view name;
  std::string_view face_name;
  std::string_view ascii_name;
  std::string_view layout;
  double mana_value = 0;
  size_t index = 0;
  std::string_view mana_cost;
  std::string_view type_line;
  std::string_view text;
  std::string_view power;
  std::string_view toughness;
  std::string_view loyalty;
  std::string_view defense;
  std::string_view japanese_name;
  std::string_view japanese_face_name;
  std::string_view japanese_text;

  SourceCard Card() const {
    SourceCard card;
    card.name = name;
    card.ascii_name = ascii_name;
    card.layout = layout;
    card.mana_value = mana_value;
    return card;
  }

  SourceFace Face() const {
    return {std::string(face_name.empty() ? name : face_name), std::string(mana_cost),
            std::string(type_line), std::string(power), std::string(toughness),
            std::string(loyalty), std::string(defense), std::string(text)};
  }
};

void ReadJapanese(simdjson::ondemand::array foreign_data, MtgjsonFace& face) {
  for (object foreign : foreign_data) {
    std::string_view language, name, face_name, text;
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
  MtgjsonFace face;
  bool has_mana_value = false;
  for (auto field : object) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (key == "name") {
      face.name = Text(value);
    } else if (key == "faceName") {
      face.face_name = Text(value);
    } else if (key == "asciiName") {
      face.ascii_name = Text(value);
    } else if (key == "layout") {
      face.layout = Text(value);
    } else if (key == "side") {
      std::string_view side = Text(value);
      if (side.size() == 1 && side[0] >= 'a' && side[0] <= 'z') face.index = side[0] - 'a';
    } else if (key == "manaCost") {
      face.mana_cost = Text(value);
    } else if (key == "manaValue") {
      face.mana_value = Number(value);
      has_mana_value = true;
    } else if (key == "convertedManaCost") {
      // The name older files use for the same value.
      if (!has_mana_value) face.mana_value = Number(value);
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
      ReadJapanese(value.get_array(), face);
    }
  }
  return face;
}

void AddFace(const std::string& key, const MtgjsonFace& face, CardCollection& cards) {
  if (!cards.HasFace(key, face.index)) cards.AddFace(key, face.Card(), face.index, face.Face());
}

void AddJapanese(const MtgjsonFace& face, JapanesePrinting& printing) {
  if (!face.japanese_face_name.empty()) {
    printing.SetName(face.index, std::string(face.japanese_face_name));
  }
  // A name with " // " is the whole card's; otherwise it is this face's when no face name is.
  if (face.japanese_face_name.empty() ||
      face.japanese_name.find(" // ") != std::string_view::npos) {
    printing.SetName(face.index, std::string(face.japanese_name));
  }
  printing.SetText(face.index, std::string(face.japanese_text));
}

}  // namespace

void ReadMtgjsonCardFaces(simdjson::ondemand::array faces, CardCollection& cards) {
  std::string key;
  JapanesePrinting japanese;
  for (auto element : faces) {
    value face_value = element.value();
    if (face_value.type() != json_type::object) continue;
    MtgjsonFace face = ReadFace(face_value.get_object());
    if (face.name.empty()) continue;
    if (key.empty()) key = face.name;
    if (face.name != key) continue;  // an entry holds one card; anything else is foreign
    AddFace(key, face, cards);
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
        if (face.name.empty()) continue;
        std::string name(face.name);
        AddFace(name, face, cards);
        if (!face.japanese_name.empty()) AddJapanese(face, japanese[name]);
      }
    }
  }
  for (auto& [name, printing] : japanese) {
    printing.released = released;
    cards.OfferJapanese(name, printing);
  }
}

}  // namespace Tarvane::CardJson
