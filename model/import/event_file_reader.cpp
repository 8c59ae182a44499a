#include "model/import/event_file_reader.h"

#include <simdjson.h>

#include <climits>
#include <string>

#include "model/text_encoding.h"
#include "model/text_file.h"
#include "model/text_lines.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

// A field of the wrong type: the file is of another shape, or another version of it.
// The kinds of field, as the refusal names them.
enum class FieldKind { Text, Array, Object, Integer };

std::string FieldKindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text:
      return TtLanguage::Text("a string", "文字列");
    case FieldKind::Array:
      return TtLanguage::Text("an array", "配列");
    case FieldKind::Object:
      return TtLanguage::Text("an object", "オブジェクト");
    case FieldKind::Integer:
      return TtLanguage::Text("an integer", "整数");
  }
  return {};
}

// A field of the wrong type: the file is of another shape, or another version of it.
[[noreturn]] void Refuse(const std::string& where, FieldKind expected) {
  throw DeckListFormatError(TtLanguage::Text(
      "the event file's " + where + " is not " + FieldKindName(expected),
      "イベントファイルの " + where + " が" + FieldKindName(expected) + "ではありません"));
}

// The field, or nothing when it is missing or null.
std::optional<element> Field(element object, std::string_view key) {
  element value;
  if (object.at_key(key).get(value) != simdjson::SUCCESS || value.is_null()) return std::nullopt;
  return value;
}

std::string Text(element object, std::string_view key, const std::string& where) {
  std::optional<element> value = Field(object, key);
  if (!value) return {};
  std::string_view text;
  if (value->get_string().get(text) != simdjson::SUCCESS)
    Refuse(where + "." + std::string(key), FieldKind::Text);
  return std::string(text);
}

// "2014-06-19T00:00:00Z" as "2014-06-19": the time of day of an event is no part of its date.
std::string DateOnly(std::string date) {
  if (date.size() > 10 && date[4] == '-' && date[7] == '-' && date[10] == 'T') date.resize(10);
  return date;
}

void ReadBoard(element deck, std::string_view key, bool sideboard, const std::string& where,
               ParsedDeckList& list) {
  std::optional<element> board = Field(deck, key);
  if (!board) return;
  std::string board_where = where + "." + std::string(key);
  simdjson::dom::array cards;
  if (board->get_array().get(cards) != simdjson::SUCCESS) Refuse(board_where, FieldKind::Array);
  size_t index = 0;
  for (element card : cards) {
    std::string card_where = board_where + "[" + std::to_string(index++) + "]";
    if (!card.is_object()) Refuse(card_where, FieldKind::Object);
    int64_t count = 0;
    std::optional<element> count_field = Field(card, "Count");
    if (!count_field || count_field->get_int64().get(count) != simdjson::SUCCESS ||
        count < INT_MIN || count > INT_MAX) {
      Refuse(card_where + ".Count", FieldKind::Integer);
    }
    std::string name(TrimBlanks(Text(card, "CardName", card_where)));
    if (name.empty()) {
      list.unread_lines.push_back({0, card_where});
      continue;
    }
    list.cards.push_back({static_cast<int>(count), name, sideboard});
  }
}

std::string Numbered(size_t number, size_t decks) {
  std::string text = std::to_string(number);
  size_t width = std::max<size_t>(3, std::to_string(decks).size());
  return std::string(width - std::min(width, text.size()), '0') + text;
}

ParsedDeckList ReadDeck(element deck, size_t index, size_t decks, const std::string& event,
                        const std::string& date) {
  std::string where = "Decks[" + std::to_string(index) + "]";
  if (!deck.is_object()) Refuse(where, FieldKind::Object);
  ParsedDeckList list;
  list.shape = DeckListShape::EventJson;
  std::string player(TrimBlanks(Text(deck, "Player", where)));
  std::string result(TrimBlanks(Text(deck, "Result", where)));
  std::string number = Numbered(index + 1, decks);
  // The number keeps apart the decks of one player, as a league lists them.
  list.deck_name = player.empty() ? number : number + " " + player;
  list.file_stem = player.empty() ? number : number + "_" + player;
  if (!player.empty()) list.headers.emplace_back("PLAYER", player);
  if (!result.empty()) list.headers.emplace_back("RESULT", result);
  if (!event.empty()) list.headers.emplace_back("EVENT", event);
  if (!date.empty()) list.headers.emplace_back("DATE", date);
  ReadBoard(deck, "Mainboard", false, where, list);
  ReadBoard(deck, "Sideboard", true, where, list);
  return list;
}

}  // namespace

ShapeCertainty EventFileReader::HowSure(const ImportSource& source) const {
  std::string_view text = TrimBlanks(source.text());
  return text.starts_with('{') && text.find("\"Tournament\"") != std::string_view::npos
             ? ShapeCertainty::Certain
             : ShapeCertainty::None;
}

ParsedInput EventFileReader::Read(const ImportSource& source) const {
  simdjson::dom::parser parser;
  simdjson::padded_string json(source.text());
  element root;
  if (auto error = parser.parse(json).get(root); error != simdjson::SUCCESS) {
    throw DeckListFormatError(
        TtLanguage::Text("the event file's JSON is broken or cut short (",
                         "イベントファイルの JSON が壊れているか、途中で切れています (") +
        simdjson::error_message(error) + ")");
  }
  if (!root.is_object()) Refuse(TtLanguage::Text("whole", "全体"), FieldKind::Object);
  std::optional<element> tournament = Field(root, "Tournament");
  if (!tournament || !tournament->is_object()) Refuse("Tournament", FieldKind::Object);
  ParsedInput input;
  input.event_name = TrimBlanks(Text(*tournament, "Name", "Tournament"));
  input.event_date = DateOnly(std::string(TrimBlanks(Text(*tournament, "Date", "Tournament"))));
  std::optional<element> decks_field = Field(root, "Decks");
  simdjson::dom::array decks;
  if (!decks_field || decks_field->get_array().get(decks) != simdjson::SUCCESS) {
    Refuse("Decks", FieldKind::Array);
  }
  size_t index = 0;
  for (element deck : decks) {
    input.lists.push_back(
        ReadDeck(deck, index++, decks.size(), input.event_name, input.event_date));
  }
  return input;
}

std::string EventFileReader::Description() const {
  return TtLanguage::Text("event file (JSON)", "イベントファイル (JSON)");
}

bool IsEventFile(const std::string& path) {
  std::string extension = TtUtility::Cp932ToLowerAscii(TtPath::FindExtension(path));
  if (extension != ".json") return false;
  try {
    std::string bytes = ReadTextFile(path);
    std::string text = DecodeToUtf8(bytes, DetectTextEncoding(bytes));
    return EventFileReader().HowSure(ImportSource(text)) == ShapeCertainty::Certain;
  } catch (const TtFileAccessException&) {
    return false;
  }
}

}  // namespace Tarvane
