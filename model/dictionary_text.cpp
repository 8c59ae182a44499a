#include "model/dictionary_text.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/exception.h"
#include "model/dictionary_line.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {

namespace {

using Reasons = CardDatabaseInitializeException;

// The size of further buffers, when files turn out larger than measured.
constexpr size_t kBufferSize = size_t(1) << 20;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File OpenForReading(const std::string& path) {
  try {
    // Only a regular file: a FIFO named *.dat would keep the start-up waiting forever.
    return File(TtFile::OpenRegularFileForReading(path).release(), std::fclose);
  } catch (const TtFileAccessException&) {
    throw CardDatabaseInitializeException(path, Reasons::kFileOpenError);
  }
}

size_t ExpectedSize(FILE* file) {
  struct stat status;
  return ::fstat(::fileno(file), &status) == 0 && status.st_size > 0
             ? static_cast<size_t>(status.st_size)
             : 0;
}

// The bytes after the expected size: a file that grew since it was measured, or one whose
// size the system does not report.
std::string ReadRest(FILE* file) {
  std::string rest;
  char chunk[65536];
  size_t read;
  while ((read = std::fread(chunk, 1, sizeof(chunk), file)) > 0) rest.append(chunk, read);
  return rest;
}

}  // namespace

size_t DictionaryText::Prepare(const std::vector<std::string>& paths) {
  size_t total = 0;
  for (const std::string& path : paths) {
    std::string system_path;
    struct stat status;
    if (TtString::TryToSystemPath(path, system_path) && ::stat(system_path.c_str(), &status) == 0 &&
        status.st_size > 0) {
      total += static_cast<size_t>(status.st_size) + kDictionaryTextPadding;
    }
  }
  if (total > 0) {
    buffers_.emplace_back(total);
    used_ = 0;
  }
  return total;
}

char* DictionaryText::Reserve(size_t size) {
  if (buffers_.empty() || buffers_.back().size() - used_ < size) {
    buffers_.emplace_back(std::max(size, kBufferSize));
    used_ = 0;
  }
  char* start = buffers_.back().data() + used_;
  used_ += size;
  return start;
}

std::string_view DictionaryText::ReadFile(const std::string& path) {
  File file = OpenForReading(path);
  size_t expected = ExpectedSize(file.get());
  char* start = Reserve(expected + kDictionaryTextPadding);
  size_t size = std::fread(start, 1, expected, file.get());
  std::string rest = ReadRest(file.get());
  if (std::ferror(file.get())) throw CardDatabaseInitializeException(path, Reasons::kFileReadError);
  if (!rest.empty()) {
    char* whole = Reserve(size + rest.size() + kDictionaryTextPadding);
    std::memcpy(whole, start, size);
    std::memcpy(whole + size, rest.data(), rest.size());
    start = whole;
    size += rest.size();
  }
  std::memset(start + size, 0, kDictionaryTextPadding);
  return std::string_view(start, size);
}

void DictionaryText::Append(DictionaryText&& other) {
  for (TtUtility::LargeBuffer& buffer : other.buffers_) buffers_.push_back(std::move(buffer));
  // The last buffer may be shared no further: its unused room belongs to the other text.
  used_ = buffers_.empty() ? 0 : buffers_.back().size();
  other.buffers_.clear();
  other.used_ = 0;
}

}  // namespace Tarvane
