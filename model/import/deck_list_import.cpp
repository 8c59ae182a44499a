#include "model/import/deck_list_import.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <set>
#include <unordered_map>

#include "model/cp932_transliterator.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_shape_reader.h"
#include "model/import/input_look.h"
#include "model/line_reader.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

using TtLanguage::Text;

// A board in the order its names first appear, each name once with the sum of its lines. Names
// are found through an index, so a list of many distinct names is read in linear time.
class BoardBuilder {
public:
  explicit BoardBuilder(std::vector<DeckListImport::Card>& board) : board_(board) {}

  void Add(const std::string& name, int count) {
    auto [position, added] = positions_.try_emplace(name, board_.size());
    if (added) {
      board_.push_back({name, count});
    } else {
      int& sum = board_[position->second].count;
      sum = SaturatingAdd(sum, count);
    }
  }

private:
  std::vector<DeckListImport::Card>& board_;
  std::unordered_map<std::string, size_t> positions_;
};

// A list in first-seen order that holds each item once.
template <typename Item>
class OnceList {
public:
  explicit OnceList(std::vector<Item>& items) : items_(items) {}
  void Add(const Item& item) {
    if (seen_.insert(item).second) items_.push_back(item);
  }

private:
  std::vector<Item>& items_;
  std::set<Item> seen_;
};

// Text for a line of the deck list: control characters (a zero byte or a line feed from an XML
// attribute) are spaces by now, and spaces at either end would not survive the list's reading.
std::string LineText(Cp932Transliterator& transliterator, const std::string& utf8) {
  std::string text = transliterator.ToCp932(utf8);
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// A name for a file: the characters that a file name cannot hold (or that CP932 lacked, now
// "?") become "_". The second byte of a CP932 character is no character of its own.
std::string FileNameText(const std::string& utf8) {
  Cp932Transliterator transliterator;
  std::string name = transliterator.ToCp932(utf8);
  for (size_t index = 0; index < name.size(); ++index) {
    unsigned char c = static_cast<unsigned char>(name[index]);
    if (TtUtility::IsCp932LeadByte(c)) {
      ++index;
    } else if (c < 0x20 ||
               std::string_view("\\/:*?\"<>|").find(name[index]) != std::string_view::npos) {
      name[index] = '_';
    }
  }
  return name;
}

// Text that the report quotes: in CP932, without counting as a rewritten card name.
std::string ReportText(const std::string& utf8) {
  Cp932Transliterator transliterator;
  return transliterator.ToCp932(utf8);
}

// Each character of the UTF-8 name that CP932 lacks, with how it was written instead:
// "U+00FB → u". The report cannot show the character itself, being CP932.
std::vector<std::string> RewrittenCharacters(std::string_view utf8) {
  std::vector<std::string> rewritten;
  for (size_t index = 0, length = 1; index < utf8.size(); index += length) {
    char32_t code = DecodeUtf8(utf8, index, length);
    std::string piece(utf8.substr(index, length)), cp932;
    if (static_cast<unsigned char>(utf8[index]) < 0x80 || TtString::TryUtf8ToCp932(piece, cp932))
      continue;
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X",
                  code == kInvalidUtf8 ? 0xFFFDu : static_cast<unsigned>(code));
    rewritten.push_back(std::string(number) + " → " + ReportText(piece));
  }
  return rewritten;
}

template <typename Item>
void AddOnce(std::vector<Item>& items, const Item& item) {
  if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
}

std::string BoardLine(const std::string& label, const std::vector<DeckListImport::Card>& board) {
  int copies = 0;
  for (const auto& card : board) copies += card.count;
  const std::string names = std::to_string(board.size()), cards = std::to_string(copies);
  return label + ": " +
         Text(cards + (copies == 1 ? " card (" : " cards (") + names + " distinct)",
              names + " 種類 " + cards + " 枚") +
         "\n";
}

template <typename Items, typename Format>
std::string ListLine(const std::string& label, const Items& items, Format format) {
  if (items.empty()) return {};
  std::string line = label + ": ";
  for (size_t index = 0; index < items.size(); ++index) {
    if (index > 0) line += Text(", ", "、");
    line += format(items[index]);
  }
  return line + "\n";
}

}  // namespace

DeckListImport ConvertParsedDeckList(const ParsedDeckList& parsed, TextEncoding encoding,
                                     const CardNameResolver& names) {
  DeckListImport result;
  result.encoding = encoding;
  Cp932Transliterator transliterator;
  result.shape = parsed.shape;
  result.deck_name = LineText(transliterator, parsed.deck_name);
  for (const auto& [key, value] : parsed.headers) {
    std::string header_key = LineText(transliterator, key);
    if (header_key.empty() || header_key.find(' ') != std::string::npos) continue;
    // A key spelt another way may have become NAME, which the deck name holds.
    if (header_key == "NAME") {
      if (result.deck_name.empty()) result.deck_name = LineText(transliterator, value);
      continue;
    }
    result.headers.emplace_back(header_key, LineText(transliterator, value));
  }
  for (const UnreadLine& line : parsed.unread_lines) {
    result.unread_lines.push_back({line.number, ReportText(line.text)});
  }
  BoardBuilder mainboard(result.mainboard), sideboard(result.sideboard);
  OnceList<std::string> unplaced_names(result.unplaced_names);
  OnceList<std::pair<std::string, std::string>> mapped_names(result.mapped_names);
  for (const ParsedDeckList::CardLine& line : parsed.cards) {
    std::string written = LineText(transliterator, line.name);
    if (written.empty()) {
      result.unread_lines.push_back({0, ReportText(line.name)});
      continue;
    }
    for (const std::string& character : RewrittenCharacters(line.name)) {
      AddOnce(result.rewritten_characters, std::make_pair(written, character));
    }
    std::string name = names.Resolve(written);
    if (name.empty()) {
      name = written;
      unplaced_names.Add(written);
    } else if (name != written) {
      mapped_names.Add(std::make_pair(written, name));
    }
    (line.sideboard ? sideboard : mainboard).Add(name, line.count);
  }
  result.transliterated_characters =
      transliterator.MappedCharacters() + transliterator.ReplacedCharacters();
  result.left_out_copies = parsed.left_out_copies;
  result.file_stem = FileNameText(parsed.file_stem);
  return result;
}

DeckListsImport ImportDeckLists(std::string_view bytes, const CardNameResolver& names) {
  DeckListsImport result;
  result.encoding = DetectTextEncoding(bytes);
  std::string text = DecodeToUtf8(bytes, result.encoding);
  ImportSource source(text);
  const DeckListShapeReader* reader = ChooseDeckListShapeReader(source);
  if (!reader) {
    throw DeckListFormatError(Text("shape not known: ", "形式が分かりません: ") +
                              DescribeLook(text));
  }
  result.shape = reader->Shape();
  ParsedInput input = reader->Read(source);
  Cp932Transliterator transliterator;
  result.event_name = LineText(transliterator, input.event_name);
  result.event_date = LineText(transliterator, input.event_date);
  for (const ParsedDeckList& list : input.lists) {
    result.lists.push_back(ConvertParsedDeckList(list, result.encoding, names));
  }
  return result;
}

DeckListImport ImportDeckList(std::string_view bytes, const CardNameResolver& names) {
  DeckListsImport lists = ImportDeckLists(bytes, names);
  if (!lists.lists.empty()) return std::move(lists.lists.front());
  DeckListImport empty;
  empty.shape = lists.shape;
  empty.encoding = lists.encoding;
  return empty;
}

std::string DeckListImport::DeckListText() const {
  std::string text;
  if (!deck_name.empty()) text += "#NAME " + deck_name + "\n";
  for (const auto& [key, value] : headers) text += "#" + key + " " + value + "\n";
  for (const Card& card : mainboard) text += std::to_string(card.count) + " " + card.name + "\n";
  if (!sideboard.empty()) text += "\n";
  for (const Card& card : sideboard) text += std::to_string(card.count) + " " + card.name + "\n";
  return text;
}

std::string DeckListImport::Report() const {
  std::string report = Text("Shape: ", "形式: ") + DeckListShapeName(shape) + "\n" +
                       Text("Encoding: ", "文字コード: ") + TextEncodingName(encoding) + "\n";
  if (!deck_name.empty()) report += Text("Deck name: ", "デッキ名: ") + deck_name + "\n";
  report += BoardLine(Text("Main deck", "メインデッキ"), mainboard) +
            BoardLine(Text("Sideboard", "サイドボード"), sideboard);
  report += ListLine(Text("Card names replaced", "名前を置き換えたカード"), mapped_names,
                     [](const auto& mapping) { return mapping.first + " → " + mapping.second; });
  if (transliterated_characters > 0) {
    report +=
        Text("Characters CP932 lacks, written another way: ", "CP932 にないため書き換えた文字: ") +
        std::to_string(transliterated_characters) + "\n";
    for (const auto& [card, character] : rewritten_characters)
      report += "  " + card + ": " + character + "\n";
  }
  if (left_out_copies > 0) {
    const std::string copies = std::to_string(left_out_copies);
    report += Text("Cards outside the deck (a maybeboard and the like): " + copies + "\n",
                   "デッキに入らないカード (Maybeboard など): " + copies + " 枚\n");
  }
  return report + ProblemReport();
}

std::string DeckListImport::ProblemReport() const {
  std::string report = ListLine(Text("Cards not in the dictionary (they become unknown cards)",
                                     "辞書にないカード (不明なカードになります)"),
                                unplaced_names, [](const std::string& name) { return name; });
  if (!unread_lines.empty()) {
    report +=
        Text("Lines not read: ", "読めなかった行: ") + std::to_string(unread_lines.size()) + "\n";
    for (const UnreadLine& line : unread_lines) {
      const std::string number = std::to_string(line.number);
      report += "  " + (line.number > 0 ? Text("line " + number + ": ", number + " 行目: ") : "") +
                line.text + "\n";
    }
  }
  if (!HasCards()) {
    report += Text("No cards were found, so no deck list was made.\n",
                   "カードが見つからないため、デッキリストを作りませんでした。\n");
  }
  return report;
}

std::string ImportedFileName(const std::string& input_path) {
  std::string name = TtPath::FindFileName(input_path);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name + ".txt";
}

void WriteDeckListFile(const std::string& path, const std::string& text) {
  TtFile::ReplaceContents(path, text);
}

}  // namespace Tarvane
