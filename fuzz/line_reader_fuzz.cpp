// The shared line reader against the line rules written out plainly here: one line per line
// feed and one for an unended last line, a CR before the line feed dropped, the text ended at a
// zero byte, and such a cut or unended line marked incomplete.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "model/line_reader.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

std::vector<TextLine> ExpectedLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    bool ended = end != std::string_view::npos;
    if (!ended) end = bytes.size();
    std::string_view raw = bytes.substr(start, end - start);
    if (ended && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    size_t zero = raw.find('\0');
    lines.push_back({std::string(raw.substr(0, zero)), ended && zero == std::string_view::npos});
    start = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = TarvaneFuzz::Text(data, size);
  std::string path = TarvaneFuzz::Scratch::Get().Write("lines.txt", bytes);
  std::vector<TextLine> lines;
  LineReader reader(path);
  TextLine line;
  while (reader.ReadLine(line)) lines.push_back(line);

  std::vector<TextLine> expected = ExpectedLines(bytes);
  Check(lines.size() == expected.size(), "one line per line feed, and one for an unended line");
  for (size_t i = 0; i < lines.size(); ++i) {
    Check(lines[i].text == expected[i].text, "a line's text follows the text-mode rules");
    Check(lines[i].complete == expected[i].complete, "a cut or unended line is incomplete");
  }
  return 0;
}
