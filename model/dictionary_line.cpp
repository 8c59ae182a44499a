#include "model/dictionary_line.h"

#include <cstring>
#include <string>

#include "app/exception.h"
#include "model/card_type.h"
#include "ttl/tt_utility.h"

namespace Tarvane {

namespace {

constexpr int kRequiredFields = 7;

// Walks the fields of a complete line; each field is ended by a TAB or by the line feed.
class FieldCursor {
public:
  explicit FieldCursor(std::string_view text) : text_(text) {}

  // False when the line ended before this field began.
  bool Next(std::string_view& field) {
    if (position_ > text_.size()) return false;
    const char* start = text_.data() + position_;
    size_t available = text_.size() - position_;
    const void* tab = std::memchr(start, '\t', available);
    size_t length = tab ? static_cast<const char*>(tab) - start : available;
    field = std::string_view(start, length);
    position_ += length + 1;  // past the TAB, or past the line feed
    return true;
  }

  // Another field follows: the last one was ended by a TAB.
  bool HasMore() const { return position_ <= text_.size(); }

private:
  std::string_view text_;
  size_t position_ = 0;
};

// The strict decimal conversion, with a shortcut for the plain digits nearly every line has.
bool ReadCost(std::string_view field, int& cost) {
  if (!field.empty() && field.size() <= 9 &&
      field.find_first_not_of("0123456789") == std::string_view::npos) {
    cost = 0;
    for (char digit : field) cost = cost * 10 + (digit - '0');
    return true;
  }
  return TtUtility::StringToInteger(std::string(field), cost, 10);
}

}  // namespace

const char* CheckDictionaryLine(const TextLineView& line, std::string_view& name) {
  using Reasons = CardDatabaseInitializeException;
  // A field must end in a TAB or the line feed, so a line without one breaks the format.
  if (!line.complete) return Reasons::kTabSeparatedFormatError;
  // Seven fields are there when six TABs are: the seventh ends at a TAB or the line feed.
  const char* tabs[kRequiredFields - 1];
  const char* position = line.text.data();
  const char* end = position + line.text.size();
  for (const char*& tab : tabs) {
    tab = static_cast<const char*>(std::memchr(position, '\t', end - position));
    if (!tab) return Reasons::kTabSeparatedFormatError;
    position = tab + 1;
  }
  int cost;
  if (!ReadCost(std::string_view(tabs[2] + 1, tabs[3] - tabs[2] - 1), cost)) {
    return Reasons::kConvertedManaCostFormatError;
  }
  name = std::string_view(line.text.data(), tabs[0] - line.text.data());
  return nullptr;
}

Card ReadDictionaryLine(std::string_view text) {
  FieldCursor cursor(text);
  std::string_view fields[kRequiredFields];
  for (std::string_view& field : fields) cursor.Next(field);
  Card card;
  card.name = fields[0];
  card.name_japanese = fields[1];
  card.mana_cost = fields[2];
  ReadCost(fields[3], card.converted_mana_cost);
  card.type_text = fields[4];
  card.type = CardType::CodeOf(std::string(fields[5])).value_or(CardType::NotInTable);
  card.power_and_toughness = fields[6];
  std::string_view paragraph;
  while (cursor.HasMore()) {
    cursor.Next(paragraph);
    card.rules_text.append(paragraph);
    card.rules_text.append("\r\n\r\n");
  }
  return card;
}

}  // namespace Tarvane
