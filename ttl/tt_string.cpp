#include "tt_string.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "tt_exception.h"

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

}  // namespace

namespace TtString {

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

std::string ToSystemPath(const std::string& cp932_path) {
  std::string system_path;
  if (!TryCp932ToUtf8(cp932_path, system_path)) throw TtFileAccessException(cp932_path, EILSEQ);
  return system_path;
}

std::string FromSystemPath(const std::string& system_path) {
  std::string cp932_path;
  if (!TryUtf8ToCp932(system_path, cp932_path)) throw TtFileAccessException(system_path, EILSEQ);
  return cp932_path;
}

}  // namespace TtString
