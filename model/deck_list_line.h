#pragma once
// One line of a deck list file, classified: an empty line (the sideboard starts), a header
// ("#key value"), a card line ("count name") or a line that is ignored. The header rule is the
// one that import and every other reader of deck list text apply too.
#include <optional>
#include <string>
#include <string_view>

namespace Tarvane {

struct DeckListLine {
  enum Kind { Empty, Header, CardLine, Ignored };

  Kind kind = Ignored;
  std::string key;    // Header: the key, ASCII letters in upper case
  std::string value;  // Header: the text after the key, trimmed
  int count = 0;      // CardLine
  std::string name;   // CardLine: everything after the first space, as written
};

// Classifies the line (without its line feed); spaces, TABs, CRs and LFs at either end do not
// count.
DeckListLine ParseDeckListLine(std::string_view text);

// The encoding of a header's text, which decides which bytes can be ASCII letters of its key.
enum class HeaderText { Cp932, Utf8 };

struct HeaderLine {
  std::string key;    // ASCII letters in upper case
  std::string value;  // trimmed
};

// A trimmed line that starts with "#": "#KEY value", the key being the text up to the first
// space. Nothing for a comment: "#" directly followed by a space, or no space at all.
std::optional<HeaderLine> ReadHeaderLine(std::string_view line, HeaderText text);

}  // namespace Tarvane
