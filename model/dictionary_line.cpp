#include "model/dictionary_line.h"

#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/exception.h"
#include "model/card_type.h"
#include "ttl/core/tt_utility.h"

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

// Where the first TABs of a line are and where the line ends: at its line feed, at a zero byte
// in it, or at the zero byte after the text.
struct LineScan {
  const char* tabs[kRequiredFields - 1];
  int tab_count = 0;
  const char* end = nullptr;
};

void NoteByte(const char* byte, LineScan& scan) {
  if (*byte != '\t') {
    scan.end = byte;
  } else if (scan.tab_count < kRequiredFields - 1) {
    scan.tabs[scan.tab_count++] = byte;
  }
}

// One pass over the line that finds TABs, the line feed and zero bytes together: it is most of
// the work of loading a dictionary.
LineScan ScanLine(const char* start) {
  LineScan scan;
#if defined(__SSE2__)
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i line_feed = _mm_set1_epi8('\n');
  const __m128i zero = _mm_setzero_si128();
  for (const char* block = start; !scan.end; block += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
    __m128i found =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, tab),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, line_feed), _mm_cmpeq_epi8(bytes, zero)));
    for (unsigned mask = _mm_movemask_epi8(found); mask != 0 && !scan.end; mask &= mask - 1) {
      NoteByte(block + __builtin_ctz(mask), scan);
    }
  }
#else
  for (const char* byte = start; !scan.end; ++byte) {
    if (*byte == '\t' || *byte == '\n' || *byte == '\0') NoteByte(byte, scan);
  }
#endif
  return scan;
}

}  // namespace

const char* CheckDictionaryText(std::string_view text, std::vector<DictionaryIndex::Entry>& lines) {
  using Reasons = CardDatabaseInitializeException;
  const char* const text_end = text.data() + text.size();
  for (const char* start = text.data(); start < text_end;) {
    LineScan scan = ScanLine(start);
    // A field must end in a TAB or the line feed, so the last line without a line feed breaks
    // the format, and so does a line that a zero byte cuts short.
    if (*scan.end != '\n') return Reasons::kTabSeparatedFormatError;
    // Seven fields are there when six TABs are: the seventh ends at a TAB or the line feed.
    if (scan.tab_count < kRequiredFields - 1) return Reasons::kTabSeparatedFormatError;
    int cost;
    if (!ReadCost(std::string_view(scan.tabs[2] + 1, scan.tabs[3] - scan.tabs[2] - 1), cost)) {
      return Reasons::kConvertedManaCostFormatError;
    }
    const char* line_end = scan.end > start && scan.end[-1] == '\r' ? scan.end - 1 : scan.end;
    if (static_cast<size_t>(line_end - start) > DictionaryIndex::kMaximumLineLength) {
      return Reasons::kTabSeparatedFormatError;
    }
    lines.emplace_back(std::string_view(start, scan.tabs[0] - start),
                       std::string_view(start, line_end - start));
    start = scan.end + 1;
  }
  return nullptr;
}

Card ReadDictionaryLine(std::string_view line) {
  FieldCursor cursor(line);
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
