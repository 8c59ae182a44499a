#include "model/line_reader.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"

namespace Tarvane {

LineReader::LineReader(const std::string& path)
    : path_(path), file_(TtFile::OpenRegularFileForReading(path).release()), buffer_(65536) {}

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
  // Text mode: a CR LF line end counts as LF.
  if (found_line_feed && !too_long && !line.text.empty() && line.text.back() == '\r') {
    line.text.pop_back();
  }
  // Like C text, the line ends at its first zero byte.
  size_t zero = line.text.find('\0');
  if (zero != std::string::npos) line.text.resize(zero);
  line.complete = found_line_feed && !too_long && zero == std::string::npos;
  return true;
}

int SaturatingAdd(int a, int b) {
  long long sum = static_cast<long long>(a) + b;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

}  // namespace Tarvane
