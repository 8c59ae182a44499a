#pragma once
// One line of a deck list file, classified: an empty line (the sideboard starts), a header
// ("#key value"), a card line ("count name") or a line that is ignored.
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

}  // namespace Tarvane
