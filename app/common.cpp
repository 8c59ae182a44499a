#include "app/common.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include "ttl/tt_exception.h"
#include "ttl/tt_string.h"

namespace Tarvane {

LineReader::LineReader(const std::string& path)
    : path_(path),
      file_(std::fopen(TtString::ToSystemPath(path).c_str(), "rb")),
      buffer_(65536) {
  if (!file_) throw TtFileAccessException(path, errno);
}

LineReader::~LineReader() { std::fclose(file_); }

bool LineReader::Refill() {
  position_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (end_ == 0 && std::ferror(file_)) throw TtFileAccessException(path_, errno != 0 ? errno : EIO);
  return end_ > 0;
}

bool LineReader::ReadLine(TextLine& line) {
  line.text.clear();
  bool read_any = false;
  bool found_line_feed = false;
  bool too_long = false;
  while (!found_line_feed) {
    if (position_ == end_ && !Refill()) break;
    read_any = true;
    const char* start = buffer_.data() + position_;
    size_t available = end_ - position_;
    const char* line_feed = static_cast<const char*>(std::memchr(start, '\n', available));
    size_t length = line_feed ? static_cast<size_t>(line_feed - start) : available;
    size_t room = kMaximumLineBytes - line.text.size();
    if (length > room) too_long = true;
    line.text.append(start, length < room ? length : room);
    position_ += length;
    if (line_feed) {
      ++position_;
      found_line_feed = true;
    }
  }
  if (!read_any) return false;
  TextLineView view = MakeTextLine(line.text, found_line_feed && !too_long);
  line.text.resize(view.text.size());
  line.complete = view.complete;
  return true;
}

TextLineView MakeTextLine(std::string_view raw, bool ended_by_line_feed) {
  TextLineView line{raw, ended_by_line_feed};
  if (ended_by_line_feed && !raw.empty() && raw.back() == '\r') line.text.remove_suffix(1);
  const void* zero = std::memchr(line.text.data(), '\0', line.text.size());
  if (zero) {
    line.text = line.text.substr(0, static_cast<const char*>(zero) - line.text.data());
    line.complete = false;
  }
  return line;
}

bool NextTextLine(std::string_view block, size_t& position, TextLineView& line) {
  if (position >= block.size()) return false;
  const char* start = block.data() + position;
  size_t available = block.size() - position;
  const void* line_feed = std::memchr(start, '\n', available);
  size_t length = line_feed ? static_cast<const char*>(line_feed) - start : available;
  line = MakeTextLine(std::string_view(start, length), line_feed != nullptr);
  position += length + (line_feed ? 1 : 0);
  return true;
}

bool NextTextLineOfTerminated(std::string_view block, size_t& position, TextLineView& line) {
  if (position >= block.size()) return false;
  const char* start = block.data() + position;
  const char* stop = ::strchrnul(start, '\n');
  const char* end = block.data() + block.size();
  if (stop < end && *stop == '\0') return NextTextLine(block, position, line);  // a zero byte
  std::string_view text(start, stop - start);
  bool ended_by_line_feed = stop < end;
  if (ended_by_line_feed && !text.empty() && text.back() == '\r') text.remove_suffix(1);
  line = TextLineView{text, ended_by_line_feed};
  position = stop - block.data() + (ended_by_line_feed ? 1 : 0);
  return true;
}

int SaturatingAdd(int a, int b) {
  long long sum = static_cast<long long>(a) + b;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

}  // namespace Tarvane
