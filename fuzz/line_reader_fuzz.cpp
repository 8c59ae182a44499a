// The shared line reader of files against the splitter of text in memory, whose rules are
// plain to read: one line per line feed and one for an unended last line, a CR before the line
// feed dropped, the text ended at a zero byte, and such a cut or unended line marked
// incomplete. Readers of files and of converted text thereby see the same lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "model/line_reader.h"
#include "model/text_lines.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = TarvaneFuzz::Text(data, size);
  std::string path = TarvaneFuzz::Scratch::Get().Write("lines.txt", bytes);
  std::vector<TextLine> lines;
  LineReader reader(path);
  TextLine line;
  while (reader.ReadLine(line)) lines.push_back(line);

  std::vector<TextLine> expected = SplitTextLines(bytes);
  Check(lines.size() == expected.size(), "one line per line feed, and one for an unended line");
  for (size_t i = 0; i < lines.size(); ++i) {
    Check(lines[i].text == expected[i].text, "a line's text follows the text-mode rules");
    Check(lines[i].complete == expected[i].complete, "a cut or unended line is incomplete");
  }
  return 0;
}
