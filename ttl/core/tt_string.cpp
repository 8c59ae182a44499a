#include "ttl/core/tt_string.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"

namespace {

// One converter per direction for the life of the process; the program has one thread.
iconv_t Converter(const char* to, const char* from) {
  iconv_t handle = iconv_open(to, from);
  if (handle == reinterpret_cast<iconv_t>(-1)) {
    throw TtSystemCallException("tt_string", __LINE__, "iconv_open", errno);
  }
  return handle;
}

iconv_t Cp932ToUtf8Converter() {
  static iconv_t handle = Converter("UTF-8", "CP932");
  return handle;
}

iconv_t Utf8ToCp932Converter() {
  static iconv_t handle = Converter("CP932", "UTF-8");
  return handle;
}

// Converts the whole input; on an invalid or incomplete sequence either fails or, when a
// replacement is given, emits it and skips one input byte.
bool Convert(iconv_t handle, const std::string& input, std::string& output,
             const char* replacement) {
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  output.clear();
  char* in = const_cast<char*>(input.data());
  size_t in_left = input.size();
  char buffer[4096];
  while (in_left > 0) {
    char* out = buffer;
    size_t out_left = sizeof(buffer);
    size_t result = iconv(handle, &in, &in_left, &out, &out_left);
    output.append(buffer, out - buffer);
    if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
    if (!replacement) return false;
    output += replacement;
    ++in;
    --in_left;
  }
  return true;
}

// A conversion that succeeds and whose result converts back to the input. CP932 spells some
// characters the way it spells others (U+301C comes back as U+FF5E), so success alone is not
// enough for a name.
bool ConvertExactly(iconv_t there, iconv_t back, const std::string& input, std::string& output) {
  std::string round_trip;
  return Convert(there, input, output, nullptr) && Convert(back, output, round_trip, nullptr) &&
         round_trip == input;
}

// The length of the UTF-8 sequence at the start of text, or 0 when it is not one.
size_t Utf8SequenceLength(const std::string& text, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  size_t length = lead < 0x80             ? 1
                  : (lead & 0xE0) == 0xC0 ? 2
                  : (lead & 0xF0) == 0xE0 ? 3
                  : (lead & 0xF8) == 0xF0 ? 4
                                          : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

unsigned CodePoint(const std::string& sequence) {
  static const unsigned kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  unsigned code = static_cast<unsigned char>(sequence[0]) & kLeadMask[sequence.size()];
  for (size_t i = 1; i < sequence.size(); ++i) code = code << 6 | (sequence[i] & 0x3F);
  return code;
}

}  // namespace

namespace TtString {

const char kUnrepresentablePathReason[] =
    "ファイル名に Shift-JIS で表せない文字があります（< > で示した箇所）";

std::string UnrepresentablePathReason() {
  return TtLanguage::Text("the file name has characters Shift-JIS cannot spell (shown in < >)",
                          kUnrepresentablePathReason);
}

bool TryCp932ToUtf8(const std::string& cp932, std::string& utf8) {
  return Convert(Cp932ToUtf8Converter(), cp932, utf8, nullptr);
}

bool TryUtf8ToCp932(const std::string& utf8, std::string& cp932) {
  return Convert(Utf8ToCp932Converter(), utf8, cp932, nullptr);
}

std::string Cp932ToUtf8(const std::string& cp932) {
  std::string utf8;
  Convert(Cp932ToUtf8Converter(), cp932, utf8, "\xEF\xBF\xBD");
  return utf8;
}

std::string Utf8ToCp932(const std::string& utf8) {
  std::string cp932;
  Convert(Utf8ToCp932Converter(), utf8, cp932, "?");
  return cp932;
}

bool TryToSystemPath(const std::string& cp932_path, std::string& system_path) {
  return ConvertExactly(Cp932ToUtf8Converter(), Utf8ToCp932Converter(), cp932_path, system_path);
}

bool TryFromSystemPath(const std::string& system_path, std::string& cp932_path) {
  return ConvertExactly(Utf8ToCp932Converter(), Cp932ToUtf8Converter(), system_path, cp932_path);
}

std::string ToSystemPath(const std::string& cp932_path) {
  std::string system_path;
  if (!TryToSystemPath(cp932_path, system_path)) {
    throw TtFileAccessException(cp932_path, EILSEQ, UnrepresentablePathReason());
  }
  return system_path;
}

std::string FromSystemPath(const std::string& system_path) {
  std::string cp932_path;
  if (!TryFromSystemPath(system_path, cp932_path)) {
    throw TtFileAccessException(DescribeSystemPath(system_path), EILSEQ,
                                UnrepresentablePathReason());
  }
  return cp932_path;
}

std::string DescribeSystemPath(const std::string& system_path) {
  std::string described;
  char mark[16];
  for (size_t at = 0; at < system_path.size();) {
    const size_t length = Utf8SequenceLength(system_path, at);
    if (length == 0) {
      std::snprintf(mark, sizeof(mark), "<0x%02X>", static_cast<unsigned char>(system_path[at]));
      described += mark;
      ++at;
      continue;
    }
    const std::string sequence = system_path.substr(at, length);
    std::string character;
    if (TryFromSystemPath(sequence, character)) {
      described += character;
    } else {
      std::snprintf(mark, sizeof(mark), "<U+%04X>", CodePoint(sequence));
      described += mark;
    }
    at += length;
  }
  return described;
}

}  // namespace TtString
