// The dictionary load against the field rules written out plainly here: a file either loads
// every line, each card read as its fields say, or fails with the first broken line's reason and
// adds no card.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/exception.h"
#include "fuzz_support.h"
#include "model/card_database.h"
#include "model/card_type.h"
#include "model/text_lines.h"
#include "ttl/core/tt_utility.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

std::vector<std::string> SplitAtTabs(std::string_view text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = text.find('\t', start);
    fields.emplace_back(text.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// The rules: seven or more fields, each ended by a TAB or the line feed, the fourth a strict
// decimal integer; fields after the seventh are rules text paragraphs.
const char* ExpectedReason(const TextLine& line) {
  if (!line.complete) return CardDatabaseInitializeException::kTabSeparatedFormatError;
  std::vector<std::string> fields = SplitAtTabs(line.text);
  if (fields.size() < 7) return CardDatabaseInitializeException::kTabSeparatedFormatError;
  int cost;
  if (!TtUtility::StringToInteger(fields[3], cost, 10)) {
    return CardDatabaseInitializeException::kConvertedManaCostFormatError;
  }
  return nullptr;
}

Card ExpectedCard(std::string_view text) {
  std::vector<std::string> fields = SplitAtTabs(text);
  Card card;
  card.name = fields[0];
  card.name_japanese = fields[1];
  card.mana_cost = fields[2];
  TtUtility::StringToInteger(fields[3], card.converted_mana_cost, 10);
  card.type_text = fields[4];
  card.type = CardType::CodeOf(fields[5]).value_or(CardType::NotInTable);
  card.power_and_toughness = fields[6];
  for (size_t i = 7; i < fields.size(); ++i) card.rules_text += fields[i] + "\r\n\r\n";
  return card;
}

bool SameCard(const Card& a, const Card& b) {
  return a.name == b.name && a.name_japanese == b.name_japanese && a.mana_cost == b.mana_cost &&
         a.converted_mana_cost == b.converted_mana_cost && a.type_text == b.type_text &&
         a.type == b.type && a.power_and_toughness == b.power_and_toughness &&
         a.rules_text == b.rules_text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = TarvaneFuzz::Text(data, size);
  // The first line of each name, in the order read, and the reason of the first bad line.
  std::unordered_map<std::string, std::string> first_lines;
  std::vector<std::string> names;
  const char* reason = nullptr;
  for (const TextLine& line : SplitTextLines(bytes)) {
    reason = ExpectedReason(line);
    if (reason) break;
    std::string name(line.text.substr(0, line.text.find('\t')));
    if (first_lines.emplace(name, line.text).second) names.push_back(name);
  }

  auto& scratch = TarvaneFuzz::Scratch::Get();
  scratch.Remove("dictionary");
  std::filesystem::create_directory(scratch.Join("dictionary"));
  scratch.Write("dictionary/cards.dat", bytes);
  CardDatabase database;
  try {
    database.LoadDictionary(scratch.Join("dictionary"));
    Check(reason == nullptr, "a file with a broken line is refused");
  } catch (const CardDatabaseInitializeException& e) {
    Check(reason != nullptr && e.GetReason() == reason, "the first broken line gives the reason");
    Check(database.size() == 0, "a failed load adds no card");
    return 0;
  }
  Check(database.size() == names.size(), "one card per distinct name");
  for (const std::string& name : names) {
    Check(database.card_exist(name), "every name read is in the database");
    Check(SameCard(database.fetch(name), ExpectedCard(first_lines[name])),
          "the first line of a name wins, read as its fields say");
  }
  Check(
      !database.card_exist("\x01 not in the file") || first_lines.contains("\x01 not in the file"),
      "no card appears from nowhere");
  return 0;
}
