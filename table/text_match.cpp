#include "table/text_match.h"

#include "ttl/core/tt_utility.h"

namespace Tarvane {

bool ContainsText(const std::string& text, const std::string& part) {
  if (part.empty()) return true;
  const std::string folded_text = TtUtility::Cp932ToLowerAscii(text);
  const std::string folded_part = TtUtility::Cp932ToLowerAscii(part);
  for (std::size_t start = 0; start + folded_part.size() <= folded_text.size();) {
    if (folded_text.compare(start, folded_part.size(), folded_part) == 0) return true;
    start += TtUtility::IsCp932LeadByte(static_cast<unsigned char>(folded_text[start])) ? 2 : 1;
  }
  return false;
}

}  // namespace Tarvane
