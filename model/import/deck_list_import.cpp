#include "model/import/deck_list_import.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "model/cp932_transliterator.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_text_parser.h"
#include "model/import/dek_file.h"
#include "model/line_reader.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {
namespace {

void AddCard(std::vector<DeckListImport::Card>& board, const std::string& name, int count) {
  auto same = [&name](const DeckListImport::Card& card) { return card.name == name; };
  auto found = std::find_if(board.begin(), board.end(), same);
  if (found == board.end()) board.push_back({name, count});
  else found->count = SaturatingAdd(found->count, count);
}

// Text for a line of the deck list: control characters (a zero byte or a line feed from an XML
// attribute) are spaces by now, and spaces at either end would not survive the list's reading.
std::string LineText(Cp932Transliterator& transliterator, const std::string& utf8) {
  std::string text = transliterator.ToCp932(utf8);
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

template <typename Item>
void AddOnce(std::vector<Item>& items, const Item& item) {
  if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
}

std::string BoardLine(const char* label, const std::vector<DeckListImport::Card>& board) {
  int copies = 0;
  for (const auto& card : board) copies += card.count;
  return std::string(label) + ": " + std::to_string(board.size()) + " 種類 " +
         std::to_string(copies) + " 枚\n";
}

template <typename Items, typename Format>
std::string ListLine(const char* label, const Items& items, Format format) {
  if (items.empty()) return {};
  std::string line = std::string(label) + ": ";
  for (size_t index = 0; index < items.size(); ++index) {
    if (index > 0) line += "、";
    line += format(items[index]);
  }
  return line + "\n";
}

}  // namespace

DeckListImport ImportDeckList(std::string_view bytes, const CardNameResolver& names) {
  DeckListImport result;
  result.encoding = DetectTextEncoding(bytes);
  std::string text = DecodeToUtf8(bytes, result.encoding);
  ParsedDeckList parsed = IsDekXml(text) ? ParseDekXml(text) : ParseDeckListText(text);
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
  result.unread_lines = parsed.unread_lines;
  for (const ParsedDeckList::CardLine& line : parsed.cards) {
    std::string written = LineText(transliterator, line.name);
    if (written.empty()) {
      ++result.unread_lines;
      continue;
    }
    std::string name = names.Resolve(written);
    if (name.empty()) {
      name = written;
      AddOnce(result.unplaced_names, written);
    } else if (name != written) {
      AddOnce(result.mapped_names, std::make_pair(written, name));
    }
    AddCard(line.sideboard ? result.sideboard : result.mainboard, name, line.count);
  }
  result.transliterated_characters =
      transliterator.MappedCharacters() + transliterator.ReplacedCharacters();
  result.left_out_copies = parsed.left_out_copies;
  return result;
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
  std::string report = std::string("形式: ") + DeckListShapeName(shape) + "\n" +
                       "文字コード: " + TextEncodingName(encoding) + "\n";
  if (!deck_name.empty()) report += "デッキ名: " + deck_name + "\n";
  report += BoardLine("メインデッキ", mainboard) + BoardLine("サイドボード", sideboard);
  report += ListLine("名前を置き換えたカード", mapped_names,
                     [](const auto& mapping) { return mapping.first + " → " + mapping.second; });
  report += ListLine("辞書にないカード (不明なカードになります)", unplaced_names,
                     [](const std::string& name) { return name; });
  if (transliterated_characters > 0) {
    report += "CP932 にないため書き換えた文字: " + std::to_string(transliterated_characters) + "\n";
  }
  if (left_out_copies > 0) {
    report += "デッキに入らないカード (Maybeboard など): " + std::to_string(left_out_copies) + " 枚\n";
  }
  if (unread_lines > 0) report += "読めなかった行: " + std::to_string(unread_lines) + "\n";
  if (!HasCards()) report += "カードが見つからないため、デッキリストを作りませんでした。\n";
  return report;
}

std::string ImportedFileName(const std::string& input_path) {
  std::string name = TtPath::FindFileName(input_path);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name + ".txt";
}

void WriteDeckListFile(const std::string& path, const std::string& text) {
  errno = 0;
  std::unique_ptr<FILE, int (*)(FILE*)> file(
      std::fopen(TtString::ToSystemPath(path).c_str(), "wb"), std::fclose);
  if (!file) throw TtFileAccessException(path, errno != 0 ? errno : EACCES);
  bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() &&
                 std::fflush(file.get()) == 0;
  int error = errno != 0 ? errno : EIO;
  if (std::fclose(file.release()) != 0 || !written) throw TtFileAccessException(path, error);
}

}  // namespace Tarvane
