#include "ttl/core/tt_utility.h"

#include <sys/mman.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace TtUtility {

bool StringToInteger(const std::string& text, int& out, int base) {
  // strtol leaves the end pointer unset for a base it does not take.
  if (text.empty() || base < 0 || base == 1 || base > 36) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(begin, &end, base);
  bool range_error = errno == ERANGE;
  // long has 64 bits here, so the 32-bit range of the stored value is checked by hand.
  if (value > INT_MAX) {
    value = INT_MAX;
    range_error = true;
  } else if (value < INT_MIN) {
    value = INT_MIN;
    range_error = true;
  }
  out = static_cast<int>(value);
  return !range_error && end == begin + text.size();
}

bool StringToDouble(const std::string& text, double& out) {
  if (text.empty()) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  out = std::strtod(begin, &end);
  return errno != ERANGE && end == begin + text.size();
}

namespace {

template <typename Convert>
std::string MapSingleBytes(const std::string& text, Convert convert) {
  std::string result = text;
  for (size_t i = 0; i < result.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(result[i]);
    if (IsCp932LeadByte(byte)) {
      ++i;  // the second byte belongs to the same character
      continue;
    }
    result[i] = convert(result[i]);
  }
  return result;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string Cp932ToLowerAscii(const std::string& text) { return MapSingleBytes(text, LowerAscii); }

std::string Cp932ToUpperAscii(const std::string& text) { return MapSingleBytes(text, UpperAscii); }

bool Cp932EqualsIgnoreCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Cp932ToLowerAscii(a) == Cp932ToLowerAscii(b);
}

namespace {

constexpr size_t kHugePageSize = size_t(2) << 20;

}  // namespace

LargeBuffer::LargeBuffer(size_t size) : size_(size) {
  if (size >= kHugePageSize) {
    // Mapped with room to align the buffer to a huge page boundary.
    size_t rounded = (size + kHugePageSize - 1) & ~(kHugePageSize - 1);
    void* mapping = ::mmap(nullptr, rounded + kHugePageSize, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping != MAP_FAILED) {
      mapping_ = mapping;
      mapping_size_ = rounded + kHugePageSize;
      uintptr_t aligned =
          (reinterpret_cast<uintptr_t>(mapping) + kHugePageSize - 1) & ~(kHugePageSize - 1);
      data_ = reinterpret_cast<char*>(aligned);
      // Both are advice, and failing changes nothing: huge pages where the system has them,
      // and every page made ready in one call rather than one fault at a time.
      ::madvise(data_, rounded, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
      ::madvise(data_, rounded, MADV_POPULATE_WRITE);
#endif
      return;
    }
  }
  data_ = new char[size > 0 ? size : 1];
}

LargeBuffer::~LargeBuffer() { Release(); }

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept { *this = std::move(other); }

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept {
  if (this != &other) {
    Release();
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(mapping_, other.mapping_);
    std::swap(mapping_size_, other.mapping_size_);
  }
  return *this;
}

void LargeBuffer::Release() {
  if (mapping_) {
    ::munmap(mapping_, mapping_size_);
  } else {
    delete[] data_;
  }
  data_ = nullptr;
  size_ = 0;
  mapping_ = nullptr;
  mapping_size_ = 0;
}

}  // namespace TtUtility
