#pragma once
// Strict number conversion and the few text rules the toolkit shares.
#include <cstddef>
#include <string>

namespace TtUtility {

// Converts the whole text in the given base. Leading white space and a sign are accepted;
// anything left over (trailing white space included), an empty text or a value outside the
// 32-bit range gives false. The value read is stored even when the conversion fails (clamped
// to the 32-bit range).
bool StringToInteger(const std::string& text, int& out, int base = 10);

// The same rule for a floating-point number.
bool StringToDouble(const std::string& text, double& out);

// True for the first byte of a two-byte CP932 character.
inline bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// ASCII letters folded to lower case; the second bytes of two-byte characters are left alone,
// since many of them are ASCII letters that belong to a Japanese character.
std::string Cp932ToLowerAscii(const std::string& text);
std::string Cp932ToUpperAscii(const std::string& text);

// Case-insensitive comparison of ASCII letters under the same rule.
bool Cp932EqualsIgnoreCase(const std::string& a, const std::string& b);

// A byte buffer for large, long-lived data that is about to be filled, left uninitialised. A
// large one is mapped with huge pages where the system offers them and made ready at once,
// which makes filling many megabytes several times cheaper than page by page.
class LargeBuffer {
public:
  LargeBuffer() = default;
  explicit LargeBuffer(size_t size);
  ~LargeBuffer();
  LargeBuffer(LargeBuffer&& other) noexcept;
  LargeBuffer& operator=(LargeBuffer&& other) noexcept;
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;

  char* data() const { return data_; }
  size_t size() const { return size_; }

private:
  void Release();

  char* data_ = nullptr;
  size_t size_ = 0;
  void* mapping_ = nullptr;  // the whole mapping when the buffer was mapped, else null
  size_t mapping_size_ = 0;
};

}  // namespace TtUtility
