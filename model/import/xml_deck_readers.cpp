#include "model/import/xml_deck_readers.h"

#include <string>

#include "model/import/xml_scan.h"
#include "model/line_reader.h"
#include "model/text_lines.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

enum class XmlBoard { Main, Side, LeftOut };

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

XmlBoard BoardNamed(const std::string& name) {
  std::string lower = LowerAscii(name);
  if (lower == "main" || lower == "commander" || lower == "command zone") return XmlBoard::Main;
  if (lower == "side" || lower == "sideboard") return XmlBoard::Side;
  return XmlBoard::LeftOut;
}

// The text of an element up to its end tag, without a CDATA wrapper, entities decoded.
std::string ElementText(std::string_view text, size_t after_start_tag, std::string_view end_tag) {
  size_t end = text.find(end_tag, after_start_tag);
  if (end == std::string_view::npos) return {};
  std::string_view inner = TrimBlanks(text.substr(after_start_tag, end - after_start_tag));
  if (inner.starts_with("<![CDATA[") && inner.ends_with("]]>")) {
    return std::string(inner.substr(9, inner.size() - 12));
  }
  return DecodeXmlEntities(inner);
}

// What the two files call the parts of a deck.
struct XmlDeckWords {
  std::string_view board_tag;        // "zone", "section"
  std::string_view count_attribute;  // "number", "qty"
  bool name_in_text;                 // <card ...>Name</card> instead of name="Name"
  std::string_view deck_name_tag;    // "deckname"; empty when the file names no deck
};

// Reads the start tags in order: a board tag sets the board its cards go to.
ParsedDeckList ReadXmlDeck(std::string_view text, DeckListShape shape, const XmlDeckWords& words) {
  ParsedDeckList list;
  list.shape = shape;
  XmlBoard board = XmlBoard::LeftOut;
  for (size_t open = text.find('<'); open != std::string_view::npos;
       open = text.find('<', open + 1)) {
    size_t close = text.find('>', open);
    if (close == std::string_view::npos) break;
    std::string_view tag = text.substr(open + 1, close - open - 1);
    std::string_view name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
    if (name == words.board_tag) {
      board = BoardNamed(XmlAttributes(tag)["name"]);
    } else if (!words.deck_name_tag.empty() && name == words.deck_name_tag) {
      if (list.deck_name.empty()) list.deck_name = TrimBlanks(ElementText(text, close + 1, "</"));
    } else if (name == "card") {
      auto attributes = XmlAttributes(tag);
      std::string card_name = words.name_in_text && !tag.ends_with('/')
                                  ? ElementText(text, close + 1, "</card")
                                  : attributes["name"];
      card_name = TrimBlanks(card_name);
      int count = 0;
      if (card_name.empty() ||
          !TtUtility::StringToInteger(attributes[std::string(words.count_attribute)], count, 10)) {
        list.unread_lines.push_back(
            {LineNumberAt(text, open), std::string(text.substr(open, close - open + 1))});
      } else if (board == XmlBoard::LeftOut) {
        list.left_out_copies = SaturatingAdd(list.left_out_copies, count);
      } else {
        list.cards.push_back({count, card_name, board == XmlBoard::Side});
      }
    }
    open = close;
  }
  return list;
}

}  // namespace

ShapeCertainty CodReader::HowSure(const ImportSource& source) const {
  return LooksLikeXml(source.text()) && XmlRootName(source.text()) == "cockatrice_deck"
             ? ShapeCertainty::Certain
             : ShapeCertainty::None;
}

ParsedInput CodReader::Read(const ImportSource& source) const {
  return {{ReadXmlDeck(source.text(), Shape(), {"zone", "number", false, "deckname"})}, {}, {}};
}

std::string CodReader::Description() const {
  return TtLanguage::Text(".cod file (XML, zone and card)", ".cod ファイル (XML、zone と card)");
}

ShapeCertainty O8dReader::HowSure(const ImportSource& source) const {
  std::string_view text = source.text();
  return LooksLikeXml(text) && XmlRootName(text) == "deck" &&
                 text.find("<section") != std::string_view::npos
             ? ShapeCertainty::Certain
             : ShapeCertainty::None;
}

ParsedInput O8dReader::Read(const ImportSource& source) const {
  return {{ReadXmlDeck(source.text(), Shape(), {"section", "qty", true, ""})}, {}, {}};
}

std::string O8dReader::Description() const {
  return TtLanguage::Text(".o8d file (XML, section and card)",
                          ".o8d ファイル (XML、section と card)");
}

}  // namespace Tarvane
