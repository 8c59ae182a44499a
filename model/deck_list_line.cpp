#include "model/deck_list_line.h"

#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

std::string_view Trim(std::string_view text) {
  const char* const kBlanks = " \t\r\n";
  size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

}  // namespace

DeckListLine ParseDeckListLine(std::string_view text) {
  DeckListLine line;
  std::string_view trimmed = Trim(text);
  if (trimmed.empty()) {
    line.kind = DeckListLine::Empty;
    return line;
  }
  size_t space = trimmed.find(' ');
  if (trimmed[0] == '#') {
    // "#" directly followed by a space, or no space at all: a comment.
    if (space == std::string_view::npos || space < 2) return line;
    line.kind = DeckListLine::Header;
    // Only single-byte letters: the second byte of a Japanese character may look like one.
    line.key = TtUtility::Cp932ToUpperAscii(std::string(trimmed.substr(1, space - 1)));
    line.value = Trim(trimmed.substr(space + 1));
    return line;
  }
  if (space == std::string_view::npos) return line;
  if (!TtUtility::StringToInteger(std::string(trimmed.substr(0, space)), line.count, 10)) {
    return line;
  }
  line.kind = DeckListLine::CardLine;
  line.name = trimmed.substr(space + 1);
  return line;
}

}  // namespace Tarvane
