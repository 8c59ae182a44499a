#pragma once
// Shared pieces of the application's text readers: the line reader of the deck list files (the
// dictionary, read whole for speed, follows the same text-mode rules) and counting that cannot
// overflow.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace Tarvane {

// One line of a text file.
struct TextLine {
  // The line without its line end. Text mode as on the desktop platform: a CR LF end counts as
  // LF. Like a C string, the text ends at its first zero byte.
  std::string text;
  // The text is the whole line and a line feed ended it: false for a last line without a line
  // feed, for a line cut at a zero byte and for one longer than LineReader::kMaximumLineBytes.
  bool complete = false;
};

// Reads a text file line by line. A line is read whole however long it is, up to a limit that
// keeps a file without line feeds (binary noise, say) from filling the memory.
class LineReader {
public:
  // Bytes of a line that are kept; the rest of a longer line is read and dropped.
  static constexpr size_t kMaximumLineBytes = 1 << 20;

  // Opens the file; TtFileAccessException (path, C error number) when it cannot be opened.
  explicit LineReader(const std::string& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line; false when no line is left. TtFileAccessException on a read error.
  bool ReadLine(TextLine& line);

private:
  bool Refill();

  std::string path_;
  FILE* file_;
  std::vector<char> buffer_;
  size_t position_ = 0;
  size_t end_ = 0;
};

// a + b held to the 32-bit range instead of overflowing.
int SaturatingAdd(int a, int b);

}  // namespace Tarvane
