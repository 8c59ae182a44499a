#include "tools/card_data_reader.h"

#include "tools/card_json.h"
#include "tools/dictionary_source_exception.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

struct CardDataReader::Parser {
  simdjson::ondemand::parser parser;
};

namespace {

enum class PieceKind { Unknown, Set, Printing };

// Looks through the top-level keys for the one that tells the kind of object.
PieceKind KindOfObject(simdjson::ondemand::object object) {
  for (auto field : object) {
    std::string_view key = field.unescaped_key();
    if (key == "cards") return PieceKind::Set;
    if (key == "object") return PieceKind::Printing;
  }
  return PieceKind::Unknown;
}

}  // namespace

CardDataReader::CardDataReader() : parser_(std::make_unique<Parser>()) {}
CardDataReader::~CardDataReader() = default;

bool CardDataReader::Read(const char* json, size_t length, size_t capacity, CardCollection& cards,
                          const std::string& source_name, std::string_view key) {
  try {
    simdjson::ondemand::document document = parser_->parser.iterate(json, length, capacity);
    if (document.type() == simdjson::ondemand::json_type::array) {
      // A file of one set holds its printings under "cards" beside lists of other things, which
      // its writer puts after the cards.
      if (key == "cards") {
        one_set_ = true;
        CardJson::ReadMtgjsonSetCards(document.get_array(), cards);
        return true;
      }
      return !one_set_ && CardJson::ReadMtgjsonCardFaces(document.get_array(), cards);
    }
    PieceKind kind = KindOfObject(document.get_object());
    document.rewind();
    switch (kind) {
      case PieceKind::Set:
        CardJson::ReadMtgjsonSet(document.get_object(), cards);
        return true;
      case PieceKind::Printing:
        CardJson::ReadScryfallCard(document.get_object(), cards);
        return true;
      case PieceKind::Unknown:
        return false;
    }
  } catch (const simdjson::simdjson_error& error) {
    throw DictionarySourceException(
        source_name, TtLanguage::Text("JSON format error: ", "JSON形式エラー: ") + error.what());
  }
  return false;
}

}  // namespace Tarvane
