#include "model/import/deck_list_text_parser.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/line_reader.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

// Where the card lines that follow a heading go.
enum class Board { Main, Side, LeftOut };

struct Heading {
  Board board;
  DeckListShape shape;  // the shape the heading shows
};

// Literals of the UTF-8 text this file reads (plain literals are the program's CP932).
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

const std::string kIdeographicSpace = U8(u8"\u3000");

std::string_view Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

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
  return std::string(Trim(normal));
}

// A heading line: a board's name, perhaps with a colon and its number of cards ("Sideboard
// (15)", "サイドボード: 15枚").
bool ReadHeading(std::string_view line, Heading& heading) {
  std::string word = LowerAscii(line);
  auto strip_end = [&word](const std::string& end) {
    if (!word.ends_with(end)) return false;
    word.resize(word.size() - end.size());
    word = Trim(word);
    return true;
  };
  for (const std::string& close : {std::string(")"), U8(u8"）")}) {
    if (!word.ends_with(close)) continue;
    size_t open = word.rfind(close == ")" ? std::string("(") : U8(u8"（"));
    if (open != std::string::npos && open > 0) word = Trim(word.substr(0, open));
  }
  strip_end(U8(u8"枚"));
  while (!word.empty() && word.back() >= '0' && word.back() <= '9') word.pop_back();
  word = Trim(word);
  if (!strip_end(":")) strip_end(U8(u8"："));
  static const std::vector<std::pair<std::vector<std::string>, Heading>> headings = {
      {{"deck", "main", "mainboard", "main deck", "maindeck", U8(u8"メイン"), U8(u8"メインデッキ"),
        U8(u8"メインボード")},
       {Board::Main, DeckListShape::Headings}},
      {{"sideboard", "side", "side board", U8(u8"サイド"), U8(u8"サイドボード")},
       {Board::Side, DeckListShape::SideboardLine}},
      {{"maybeboard", "maybe", "considering"}, {Board::LeftOut, DeckListShape::Headings}},
      {{"companion", U8(u8"相棒")}, {Board::Side, DeckListShape::DigitalClient}},
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
  return code.size() >= 2 && code.size() <= 6 &&
         std::all_of(code.begin(), code.end(), [](char c) {
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
  if (close == std::string::npos || !IsSetCode(std::string_view(name).substr(open + 2, close - open - 2))) {
    return false;
  }
  std::string_view after = Trim(std::string_view(name).substr(close + 1));
  if (!after.empty() && !IsCollectorNumber(after)) return false;
  name.resize(open);
  return true;
}

struct CardText {
  int count = 0;
  std::string name;
  bool count_x = false;      // "4x Name"
  bool set_number = false;   // "(SET) 123" after the name
  bool pipe_set = false;     // "Name|SET"
};

// "4 Name", "4x Name", "4 x Name", "4 [SET] Name", "4 Name|SET|1", "4 Name (SET) 123".
bool ReadCardText(std::string_view line, CardText& card) {
  size_t digits = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
  if (digits == 0 || !TtUtility::StringToInteger(std::string(line.substr(0, digits)), card.count, 10)) {
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
  rest = Trim(rest);
  if (rest.starts_with('[') && rest.find(']') != std::string_view::npos) {
    rest = Trim(rest.substr(rest.find(']') + 1));
  }
  card.name = rest.substr(0, rest.find('|'));
  card.pipe_set = rest.find('|') != std::string_view::npos;
  card.set_number = DropSetAndNumber(card.name);
  card.name = Trim(card.name);
  return !card.name.empty();
}

// Reads a line that names the deck: "Name X" after "About", "Name=X" in a .dck's metadata,
// "// NAME : X".
bool ReadNameLine(std::string_view line, bool in_about, bool in_metadata, std::string& name) {
  std::string lower = LowerAscii(line);
  std::string_view found;
  if (in_about && lower.starts_with("name ")) found = line.substr(5);
  else if (in_metadata && lower.starts_with("name=")) found = line.substr(5);
  else if (lower.starts_with("//") && Trim(std::string_view(lower).substr(2)).starts_with("name") &&
           line.find(':') != std::string_view::npos) {
    found = line.substr(line.find(':') + 1);
  } else {
    return false;
  }
  if (name.empty()) name = Trim(found);
  return true;
}

// The program's header line "#KEY value" (the first space at position 2 or later).
bool ReadHeader(std::string_view line, ParsedDeckList& list) {
  if (!line.starts_with('#')) return false;
  size_t space = line.find(' ');
  if (space != std::string_view::npos && space >= 2) {
    std::string key = LowerAscii(line.substr(1, space - 1));
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    std::string value(Trim(line.substr(space + 1)));
    if (key == "NAME" && list.deck_name.empty()) list.deck_name = value;
    if (key != "NAME") list.headers.emplace_back(key, value);
  }
  return true;  // a "#" line that is no header is a comment
}

class TextParser {
public:
  ParsedDeckList Parse(std::string_view text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
      size_t end = std::min(text.find('\n', start), text.size());
      lines.push_back(NormalizeLine(text.substr(start, end - start)));
      start = end + 1;
    }
    has_headings_ = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      Heading heading;
      Board board;
      bool metadata;
      return ReadHeading(line, heading) || ReadSection(line, board, metadata);
    });
    for (const std::string& line : lines) ReadLine(line);
    list_.shape = Shape();
    return std::move(list_);
  }

private:
  void ReadLine(const std::string& line) {
    Heading heading;
    bool metadata = false;
    if (line.empty()) {
      // Without headings an empty line after main deck cards starts the sideboard.
      if (!has_headings_ && board_ == Board::Main && main_cards_ > 0) board_ = Board::Side;
      in_about_ = false;
      return;
    }
    if (ReadNameLine(line, in_about_, in_metadata_, list_.deck_name)) return;
    if (ReadSection(line, board_, metadata)) {
      seen_.push_back(DeckListShape::ForgeDck);
      in_metadata_ = metadata;
      return;
    }
    if (LowerAscii(line) == "about") {
      in_about_ = true;
      seen_.push_back(DeckListShape::DigitalClient);
      return;
    }
    if (ReadHeading(line, heading)) {
      board_ = heading.board;
      seen_.push_back(heading.shape);
      return;
    }
    if (line.starts_with("//") || ReadHeader(line, list_)) return;
    Board board = board_;
    std::string_view card_line = line;
    if (LowerAscii(line.substr(0, 3)) == "sb:") {
      board = Board::Side;
      card_line = Trim(card_line.substr(3));
      seen_.push_back(DeckListShape::SideboardPrefix);
    }
    CardText card;
    if (!ReadCardText(card_line, card)) {
      if (!in_metadata_) ++list_.unread_lines;
      return;
    }
    if (card.count_x) seen_.push_back(DeckListShape::CountX);
    if (card.set_number) seen_.push_back(DeckListShape::DigitalClient);
    if (card.pipe_set) seen_.push_back(DeckListShape::ForgeDck);
    if (board == Board::LeftOut) {
      list_.left_out_copies = SaturatingAdd(list_.left_out_copies, card.count);
      return;
    }
    if (board == Board::Main) ++main_cards_;
    list_.cards.push_back({card.count, card.name, board == Board::Side});
  }

  // The most particular shape that the file showed.
  DeckListShape Shape() const {
    DeckListShape shape = DeckListShape::ProgramFormat;
    for (DeckListShape seen : seen_) shape = std::max(shape, seen);
    return shape;
  }

  ParsedDeckList list_;
  bool has_headings_ = false;
  Board board_ = Board::Main;
  int main_cards_ = 0;
  bool in_about_ = false;
  bool in_metadata_ = false;
  std::vector<DeckListShape> seen_;
};

}  // namespace

ParsedDeckList ParseDeckListText(std::string_view text) { return TextParser().Parse(text); }

const char* DeckListShapeName(DeckListShape shape) {
  switch (shape) {
    case DeckListShape::ProgramFormat:
      return "このプログラムの形式 (空行の後がサイドボード)";
    case DeckListShape::CountX:
      return "「4x カード名」の行";
    case DeckListShape::SideboardLine:
      return "「Sideboard」の行でサイドボードを分けたリスト";
    case DeckListShape::Headings:
      return "見出し (Deck、Sideboard、Maybeboard) 付きのリスト";
    case DeckListShape::SideboardPrefix:
      return "「SB: 2 カード名」の行";
    case DeckListShape::DigitalClient:
      return "デジタルクライアントの書き出し (Deck、Sideboard、Companion、Commander、(セット) 番号)";
    case DeckListShape::ForgeDck:
      return ".dck ファイル ([Main]、[Sideboard]、カード名|セット)";
    case DeckListShape::DekXml:
      return ".dek ファイル (XML)";
  }
  return "";
}

}  // namespace Tarvane
