#include "model/deck_list_line.h"

#include "model/text_lines.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::optional<HeaderLine> ReadHeaderLine(std::string_view line, HeaderText text) {
  size_t space = line.find(' ');
  if (space == std::string_view::npos || space < 2) return std::nullopt;
  std::string key(line.substr(1, space - 1));
  // In CP932 the second byte of a Japanese character may look like a letter; in UTF-8 no byte
  // of one does.
  key = text == HeaderText::Cp932 ? TtUtility::Cp932ToUpperAscii(key) : UpperAscii(key);
  return HeaderLine{key, std::string(TrimBlanks(line.substr(space + 1)))};
}

DeckListLine ParseDeckListLine(std::string_view text) {
  DeckListLine line;
  std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) {
    line.kind = DeckListLine::Empty;
    return line;
  }
  if (trimmed[0] == '#') {
    std::optional<HeaderLine> header = ReadHeaderLine(trimmed, HeaderText::Cp932);
    if (!header) return line;
    line.kind = DeckListLine::Header;
    line.key = std::move(header->key);
    line.value = std::move(header->value);
    return line;
  }
  size_t space = trimmed.find(' ');
  if (space == std::string_view::npos) return line;
  if (!TtUtility::StringToInteger(std::string(trimmed.substr(0, space)), line.count, 10)) {
    return line;
  }
  line.kind = DeckListLine::CardLine;
  line.name = trimmed.substr(space + 1);
  return line;
}

}  // namespace Tarvane
