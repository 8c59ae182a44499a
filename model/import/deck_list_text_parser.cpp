#include "model/import/deck_list_text_parser.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/deck_list_line.h"
#include "model/line_reader.h"
#include "model/text_lines.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

// Where the card lines that follow a heading go.
// A companion goes to the sideboard, but is its own board while read: an export that lists it
// under "Companion" lists it in its sideboard as well, and that is one card.
enum class Board { Main, Side, Companion, LeftOut };

struct Heading {
  Board board;
  DeckListShape shape;  // the shape the heading shows
};

// Literals of the UTF-8 text this file reads (plain literals are the program's CP932).
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

const std::string kIdeographicSpace = U8(u8"\u3000");

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// TABs and ideographic spaces as spaces, full-width digits as ASCII digits, so that a list from
// a Japanese page reads like any other.
std::string NormalizeLine(std::string_view line) {
  std::string normal;
  for (size_t index = 0; index < line.size();) {
    if (line.substr(index).starts_with(kIdeographicSpace)) {
      normal += ' ';
      index += kIdeographicSpace.size();
    } else if (line.substr(index, 2) == "\xEF\xBC" && index + 2 < line.size() &&
               static_cast<unsigned char>(line[index + 2]) >= 0x90 &&
               static_cast<unsigned char>(line[index + 2]) <= 0x99) {
      normal += static_cast<char>('0' + static_cast<unsigned char>(line[index + 2]) - 0x90);
      index += 3;
    } else {
      normal += line[index] == '\t' ? ' ' : line[index];
      ++index;
    }
  }
  return std::string(TrimBlanks(normal));
}

// A heading line: a board's name, perhaps with a colon and its number of cards ("Sideboard
// (15)", "サイドボード: 15枚").
bool ReadHeading(std::string_view line, Heading& heading) {
  std::string word = LowerAscii(line);
  auto strip_end = [&word](const std::string& end) {
    if (!word.ends_with(end)) return false;
    word.resize(word.size() - end.size());
    word = TrimBlanks(word);
    return true;
  };
  for (const std::string& close : {std::string(")"), U8(u8"）")}) {
    if (!word.ends_with(close)) continue;
    size_t open = word.rfind(close == ")" ? std::string("(") : U8(u8"（"));
    if (open != std::string::npos && open > 0) word = TrimBlanks(word.substr(0, open));
  }
  strip_end(U8(u8"枚"));
  while (!word.empty() && word.back() >= '0' && word.back() <= '9') word.pop_back();
  word = TrimBlanks(word);
  if (!strip_end(":")) strip_end(U8(u8"："));
  static const std::vector<std::pair<std::vector<std::string>, Heading>> headings = {
      {{"deck", "main", "mainboard", "main deck", "maindeck", U8(u8"メイン"), U8(u8"メインデッキ"),
        U8(u8"メインボード")},
       {Board::Main, DeckListShape::Headings}},
      {{"sideboard", "side", "side board", U8(u8"サイド"), U8(u8"サイドボード")},
       {Board::Side, DeckListShape::SideboardLine}},
      {{"maybeboard", "maybe", "considering"}, {Board::LeftOut, DeckListShape::Headings}},
      {{"companion", U8(u8"相棒")}, {Board::Companion, DeckListShape::DigitalClient}},
      {{"commander", U8(u8"統率者")}, {Board::Main, DeckListShape::DigitalClient}},
  };
  for (const auto& [words, found] : headings) {
    if (std::find(words.begin(), words.end(), word) != words.end()) {
      heading = found;
      return true;
    }
  }
  return false;
}

// A section of a .dck file: "[Main]", "[Sideboard]", "[Commander]"; others hold no deck cards.
bool ReadSection(std::string_view line, Board& board, bool& metadata) {
  if (line.size() < 3 || line.front() != '[' || line.back() != ']') return false;
  std::string name = LowerAscii(line.substr(1, line.size() - 2));
  metadata = name == "metadata";
  board = name == "main" || name == "commander" ? Board::Main
          : name == "sideboard"                 ? Board::Side
                                                : Board::LeftOut;
  return true;
}

bool IsSetCode(std::string_view code) {
  return code.size() >= 2 && code.size() <= 6 && std::all_of(code.begin(), code.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
         });
}

bool IsCollectorNumber(std::string_view number) {
  return !number.empty() && number.find(' ') == std::string_view::npos &&
         std::any_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Drops "(SET) 123", "(SET)" and foil marks after the name; true when a set code was there.
bool DropSetAndNumber(std::string& name) {
  for (std::string_view mark : {" *F*", " *E*", " *f*", " *e*"}) {
    if (name.ends_with(mark)) name.resize(name.size() - mark.size());
  }
  size_t open = name.rfind(" (");
  if (open == std::string::npos) return false;
  size_t close = name.find(')', open);
  if (close == std::string::npos ||
      !IsSetCode(std::string_view(name).substr(open + 2, close - open - 2))) {
    return false;
  }
  std::string_view after = TrimBlanks(std::string_view(name).substr(close + 1));
  if (!after.empty() && !IsCollectorNumber(after)) return false;
  name.resize(open);
  return true;
}

struct CardText {
  int count = 0;
  std::string name;
  bool count_x = false;           // "4x Name"
  bool set_number = false;        // "(SET) 123" after the name
  bool pipe_set = false;          // "Name|SET"
  std::vector<std::string> tags;  // "[Sideboard]", "[Ramp,Commander{top}]": lower case
  bool no_deck = false;           // a tag marked "{noDeck}"
};

// One tag of a site export's "[...]" after the name: its category, and whether a "{noDeck}"
// mark keeps its cards out of the deck.
void ReadTag(std::string_view item, CardText& card) {
  std::string tag;
  for (size_t index = 0; index < item.size(); ++index) {
    size_t close = item.find('}', index);
    if (item[index] != '{' || close == std::string_view::npos) {
      tag += item[index];
      continue;
    }
    if (LowerAscii(item.substr(index + 1, close - index - 1)) == "nodeck") card.no_deck = true;
    index = close;
  }
  tag = LowerAscii(TrimBlanks(tag));
  if (!tag.empty()) card.tags.push_back(tag);
}

// Drops the site exports' tags after the name: "[Sideboard]", "[Maybeboard{noDeck}{noPrice}]",
// "[Ramp,Draw]", and a label "^Have,#37d67a^" after them.
void DropTags(std::string& name) {
  for (;;) {
    std::string_view trimmed = TrimBlanks(name);
    if (trimmed.size() > 2 && trimmed.back() == '^') {
      size_t open = trimmed.rfind('^', trimmed.size() - 2);
      if (open == std::string_view::npos || open == 0 || trimmed[open - 1] != ' ') return;
      name.resize(trimmed.data() - name.data() + open);
      continue;
    }
    return;
  }
}

bool ReadTags(std::string& name, CardText& card) {
  DropTags(name);
  std::string_view trimmed = TrimBlanks(name);
  if (!trimmed.ends_with(']')) return false;
  size_t open = trimmed.rfind(" [");
  if (open == std::string_view::npos) return false;
  std::string_view items = trimmed.substr(open + 2, trimmed.size() - open - 3);
  for (size_t start = 0; start <= items.size();) {
    size_t comma = std::min(items.find(',', start), items.size());
    ReadTag(items.substr(start, comma - start), card);
    start = comma + 1;
  }
  name.resize(trimmed.data() - name.data() + open);
  return true;
}

// "4 Name", "4x Name", "4 x Name", "4 [SET] Name", "4 Name|SET|1", "4 Name (SET) 123".
bool ReadCardText(std::string_view line, CardText& card) {
  size_t digits = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
  if (digits == 0 ||
      !TtUtility::StringToInteger(std::string(line.substr(0, digits)), card.count, 10)) {
    return false;
  }
  std::string_view rest = line.substr(digits);
  if ((rest.starts_with("x ") || rest.starts_with("X ")) ||
      ((rest.starts_with(" x ") || rest.starts_with(" X ")))) {
    card.count_x = true;
    rest = rest.substr(rest.find_first_of("xX") + 1);
  } else if (static const std::string times = U8(u8"×"); rest.starts_with(times)) {
    card.count_x = true;
    rest = rest.substr(times.size());
  }
  if (!rest.starts_with(' ') && !card.count_x) return false;
  rest = TrimBlanks(rest);
  if (rest.starts_with('[') && rest.find(']') != std::string_view::npos) {
    rest = TrimBlanks(rest.substr(rest.find(']') + 1));
  }
  card.name = rest.substr(0, rest.find('|'));
  card.pipe_set = rest.find('|') != std::string_view::npos;
  if (!ReadTags(card.name, card)) card.tags.clear();
  card.set_number = DropSetAndNumber(card.name);
  card.name = TrimBlanks(card.name);
  return !card.name.empty();
}

// Reads a line that names the deck: "Name X" after "About", "Name=X" in a .dck's metadata,
// "// NAME : X".
bool ReadNameLine(std::string_view line, bool in_about, bool in_metadata, std::string& name) {
  std::string lower = LowerAscii(line);
  std::string_view found;
  if (in_about && lower.starts_with("name ")) found = line.substr(5);
  else if (in_metadata && lower.starts_with("name=")) found = line.substr(5);
  else if (lower.starts_with("//") &&
           TrimBlanks(std::string_view(lower).substr(2)).starts_with("name") &&
           line.find(':') != std::string_view::npos) {
    found = line.substr(line.find(':') + 1);
  } else {
    return false;
  }
  if (name.empty()) name = TrimBlanks(found);
  return true;
}

// The program's header line "#KEY value"; any other "#" line is a comment.
bool ReadHeader(std::string_view line, ParsedDeckList& list) {
  if (!line.starts_with('#')) return false;
  std::optional<HeaderLine> header = ReadHeaderLine(line, HeaderText::Utf8);
  if (!header) return true;
  if (header->key != "NAME") list.headers.emplace_back(header->key, header->value);
  else if (list.deck_name.empty()) list.deck_name = header->value;
  return true;
}

// The lines of the .dck files that write "SB:" before sideboard cards: "NAME:Burn" names the
// deck, and "LAYOUT MAIN:..." only says where the program showed the cards.
bool ReadSideboardPrefixFileLine(std::string_view line, std::string& name) {
  std::string lower = LowerAscii(line);
  if (lower.starts_with("layout ") && lower.find(':') != std::string::npos) return true;
  if (!lower.starts_with("name:")) return false;
  if (name.empty()) name = TrimBlanks(line.substr(5));
  return true;
}

class TextParser {
public:
  TextDeckList Parse(std::string_view text) {
    std::vector<std::string> lines;
    for (const TextLine& line : SplitTextLines(text)) lines.push_back(NormalizeLine(line.text));
    has_headings_ = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      Heading heading;
      Board board;
      bool metadata;
      return ReadHeading(line, heading) || ReadSection(line, board, metadata);
    });
    for (size_t index = 0; index < lines.size(); ++index)
      ReadLine(lines[index], static_cast<int>(index + 1));
    DropCompanionsListedTwice();
    return {std::move(list_), std::move(marks_)};
  }

private:
  void ReadLine(const std::string& line, int number) {
    Heading heading;
    bool metadata = false;
    if (line.empty()) {
      // Without headings an empty line after main deck cards starts the sideboard.
      if (!has_headings_ && board_ == Board::Main && main_cards_ > 0) board_ = Board::Side;
      in_about_ = false;
      return;
    }
    if (ReadNameLine(line, in_about_, in_metadata_, list_.deck_name)) return;
    if (ReadSideboardPrefixFileLine(line, list_.deck_name)) {
      marks_.insert(DeckListShape::SideboardPrefix);
      return;
    }
    if (ReadSection(line, board_, metadata)) {
      marks_.insert(DeckListShape::ForgeDck);
      in_metadata_ = metadata;
      return;
    }
    if (LowerAscii(line) == "about") {
      in_about_ = true;
      marks_.insert(DeckListShape::DigitalClient);
      return;
    }
    if (ReadHeading(line, heading)) {
      board_ = heading.board;
      marks_.insert(heading.shape);
      return;
    }
    if (line.starts_with("//") || ReadHeader(line, list_)) return;
    Board board = board_;
    std::string_view card_line = line;
    if (LowerAscii(line.substr(0, 3)) == "sb:") {
      board = Board::Side;
      card_line = TrimBlanks(card_line.substr(3));
      marks_.insert(DeckListShape::SideboardPrefix);
    }
    CardText card;
    if (!ReadCardText(card_line, card)) {
      if (!in_metadata_) list_.unread_lines.push_back({number, line});
      return;
    }
    if (card.count_x) marks_.insert(DeckListShape::CountX);
    if (card.set_number) marks_.insert(DeckListShape::DigitalClient);
    if (card.pipe_set) marks_.insert(DeckListShape::ForgeDck);
    if (!card.tags.empty() || card.no_deck) {
      marks_.insert(DeckListShape::TaggedExport);
      board = TaggedBoard(card, board);
    }
    if (board == Board::LeftOut) {
      list_.left_out_copies = SaturatingAdd(list_.left_out_copies, card.count);
      return;
    }
    if (board == Board::Main) ++main_cards_;
    if (board == Board::Companion) companions_.push_back(list_.cards.size());
    list_.cards.push_back({card.count, card.name, board != Board::Main});
  }

  // The board that a site export's tags choose; other tags are categories of the deck.
  static Board TaggedBoard(const CardText& card, Board board) {
    auto tagged = [&card](const char* tag) {
      return std::find(card.tags.begin(), card.tags.end(), tag) != card.tags.end();
    };
    if (card.no_deck || tagged("maybeboard")) return Board::LeftOut;
    if (tagged("sideboard")) return Board::Side;
    if (tagged("commander")) return Board::Main;
    return board;
  }

  void DropCompanionsListedTwice() {
    std::set<std::string> sideboard;
    for (size_t index = 0; index < list_.cards.size(); ++index) {
      bool companion =
          std::find(companions_.begin(), companions_.end(), index) != companions_.end();
      if (list_.cards[index].sideboard && !companion) sideboard.insert(list_.cards[index].name);
    }
    for (auto index = companions_.rbegin(); index != companions_.rend(); ++index) {
      if (sideboard.contains(list_.cards[*index].name))
        list_.cards.erase(list_.cards.begin() + *index);
    }
  }

  ParsedDeckList list_;
  bool has_headings_ = false;
  Board board_ = Board::Main;
  int main_cards_ = 0;
  bool in_about_ = false;
  bool in_metadata_ = false;
  std::set<DeckListShape> marks_;
  std::vector<size_t> companions_;  // indices of the cards read under "Companion"
};

}  // namespace

TextDeckList ParseDeckListText(std::string_view text) { return TextParser().Parse(text); }

}  // namespace Tarvane
