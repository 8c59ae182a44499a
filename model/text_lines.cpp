#include "model/text_lines.h"

namespace Tarvane {

std::string_view TrimBlanks(std::string_view text) {
  constexpr const char* kBlanks = " \t\r\n";
  size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

std::vector<TextLine> SplitTextLines(std::string_view text) {
  std::vector<TextLine> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    bool ended = end != std::string_view::npos;
    if (!ended) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (ended && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    size_t zero = raw.find('\0');
    lines.push_back({std::string(raw.substr(0, zero)), ended && zero == std::string_view::npos});
    start = end + 1;
  }
  return lines;
}

}  // namespace Tarvane
