// The card data whose cards are listed by name (each an array of faces) or by set (each set an
// object with its printings under "cards"; one printing per face).
#include <map>

#include "tools/card_json.h"

namespace Tarvane::CardJson {

using simdjson::ondemand::json_type;
using simdjson::ondemand::object;
using simdjson::ondemand::value;

bool FieldReader::Expect(value value, json_type type) {
  json_type found = value.type();
  if (found == type) return true;
  if (found != json_type::null) wrong_ = true;
  return false;
}

std::string_view FieldReader::Text(value value) {
  return Expect(value, json_type::string) ? std::string_view(value.get_string())
                                          : std::string_view();
}

double FieldReader::Number(value value) {
  return Expect(value, json_type::number) ? double(value.get_double()) : 0;
}

bool FieldReader::IsArray(value value) { return Expect(value, json_type::array); }

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
  std::string_view number;  // collector number
  bool has_uuid = false;    // printings, tokens and products carry one; a card's faces do not
  bool has_side = false;
  // A printing under another name (a flavor name, a series of promos with their own names),
  // whose Japanese name serves only when no other printing has one.
  bool alternate_name = false;

  SourceCard Card() const {
    SourceCard card;
    card.name = name;
    card.ascii_name = ascii_name;
    card.layout = layout;
    card.mana_value = mana_value;
    return card;
  }

  SourceFace Face() const {
    return {std::string(face_name.empty() ? name : face_name),
            std::string(mana_cost),
            std::string(type_line),
            std::string(power),
            std::string(toughness),
            std::string(loyalty),
            std::string(defense),
            std::string(text)};
  }
};

// Promo types of printings that carry a name of their own.
bool IsAlternateNamePromo(std::string_view promo_type) {
  return promo_type == "godzillaseries" || promo_type == "draculaseries";
}

void ReadJapanese(simdjson::ondemand::array foreign_data, MtgjsonFace& face, FieldReader& fields) {
  for (auto element : foreign_data) {
    value foreign_value = element.value();
    if (foreign_value.type() != json_type::object) continue;
    std::string_view language, name, face_name, text;
    for (auto field : foreign_value.get_object()) {
      std::string_view key = field.unescaped_key();
      if (key == "language") language = fields.Text(field.value());
      else if (key == "name") name = fields.Text(field.value());
      else if (key == "faceName") face_name = fields.Text(field.value());
      else if (key == "text") text = fields.Text(field.value());
    }
    if (language != "Japanese") continue;
    face.japanese_name = name;
    face.japanese_face_name = face_name;
    face.japanese_text = text;
    return;
  }
}

MtgjsonFace ReadFace(object object, FieldReader& fields) {
  MtgjsonFace face;
  bool has_mana_value = false;
  for (auto field : object) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (key == "name") {
      face.name = fields.Text(value);
    } else if (key == "faceName") {
      face.face_name = fields.Text(value);
    } else if (key == "asciiName") {
      face.ascii_name = fields.Text(value);
    } else if (key == "layout") {
      face.layout = fields.Text(value);
    } else if (key == "side") {
      std::string_view side = fields.Text(value);
      face.has_side = true;
      if (side.size() == 1 && side[0] >= 'a' && side[0] <= 'z') face.index = side[0] - 'a';
    } else if (key == "number") {
      face.number = fields.Text(value);
    } else if (key == "uuid") {
      face.has_uuid = true;
    } else if (key == "flavorName" || key == "faceFlavorName") {
      if (!fields.Text(value).empty()) face.alternate_name = true;
    } else if (key == "promoTypes") {
      if (!fields.IsArray(value)) continue;
      for (auto promo : value.get_array()) {
        if (IsAlternateNamePromo(fields.Text(promo.value()))) face.alternate_name = true;
      }
    } else if (key == "manaCost") {
      face.mana_cost = fields.Text(value);
    } else if (key == "manaValue") {
      face.mana_value = fields.Number(value);
      has_mana_value = true;
    } else if (key == "convertedManaCost") {
      // The name older files use for the same value.
      if (!has_mana_value) face.mana_value = fields.Number(value);
    } else if (key == "type") {
      face.type_line = fields.Text(value);
    } else if (key == "text") {
      face.text = fields.Text(value);
    } else if (key == "power") {
      face.power = fields.Text(value);
    } else if (key == "toughness") {
      face.toughness = fields.Text(value);
    } else if (key == "loyalty") {
      face.loyalty = fields.Text(value);
    } else if (key == "defense") {
      face.defense = fields.Text(value);
    } else if (key == "foreignData" && fields.IsArray(value)) {
      ReadJapanese(value.get_array(), face, fields);
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

bool ReadMtgjsonCardFaces(simdjson::ondemand::array faces, CardCollection& cards) {
  std::string key;
  JapanesePrinting japanese;
  for (auto element : faces) {
    value face_value = element.value();
    if (face_value.type() != json_type::object) continue;
    FieldReader fields;
    MtgjsonFace face = ReadFace(face_value.get_object(), fields);
    // Printings and products carry an identity of their own; a card's faces do not.
    if (face.has_uuid) return false;
    fields.CountIn(cards);
    if (face.name.empty()) continue;
    if (key.empty()) key = face.name;
    if (face.name != key) continue;  // an entry holds one card; anything else is foreign
    AddFace(key, face, cards);
    AddJapanese(face, japanese);
  }
  if (!key.empty()) cards.OfferJapanese(key, japanese);
  return true;
}

namespace {

// The Japanese texts of a set's printings, per card and printing: the faces of one printing come
// one by one, and they are dated once the set's release date is known, which may come after the
// cards. The collection then takes each card's main printing.
class SetJapaneseNames {
public:
  void Add(const MtgjsonFace& face) {
    if (face.japanese_name.empty()) return;
    JapanesePrinting& printing =
        printings_[{std::string(face.name), CollectorNumber::Of(face.number, face.has_side)}];
    printing.alternate_name = printing.alternate_name || face.alternate_name;
    AddJapanese(face, printing);
  }
  void OfferTo(CardCollection& cards, const std::string& released) {
    for (auto& [card, printing] : printings_) {
      printing.released = released;
      printing.number = card.second;
      cards.OfferJapanese(card.first, printing);
    }
  }

private:
  std::map<std::pair<std::string, CollectorNumber>, JapanesePrinting> printings_;
};

void ReadPrintings(simdjson::ondemand::array printings, CardCollection& cards,
                   SetJapaneseNames& japanese) {
  for (auto element : printings) {
    value printing = element.value();
    if (printing.type() != json_type::object) continue;
    FieldReader fields;
    MtgjsonFace face = ReadFace(printing.get_object(), fields);
    fields.CountIn(cards);
    if (face.name.empty()) continue;
    AddFace(std::string(face.name), face, cards);
    japanese.Add(face);
  }
}

}  // namespace

void ReadMtgjsonSet(object set, CardCollection& cards) {
  std::string released;
  SetJapaneseNames japanese;
  for (auto field : set) {
    std::string_view key = field.unescaped_key();
    value value = field.value();
    if (key == "releaseDate") {
      released = FieldReader().Text(value);
    } else if (key == "cards" && value.type() == json_type::array) {
      ReadPrintings(value.get_array(), cards, japanese);
    }
  }
  japanese.OfferTo(cards, released);
}

void ReadMtgjsonSetCards(simdjson::ondemand::array printings, CardCollection& cards) {
  SetJapaneseNames japanese;
  ReadPrintings(printings, cards, japanese);
  japanese.OfferTo(cards, "");  // one set: its date decides nothing
}

}  // namespace Tarvane::CardJson
