// The window placement decoder over any text.
#include <cctype>
#include <cstdint>
#include <string>

#include "app/window_placement.h"
#include "fuzz_support.h"

using Tarvane::WindowPlacement;
using TarvaneFuzz::Check;

namespace {

bool AllHexDigits(const std::string& text) {
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = TarvaneFuzz::Text(data, size);
  auto decoded = WindowPlacement::Decode(text);
  bool right_length = text.size() == 88 || text.size() == 89;
  if (!right_length) Check(!decoded, "only 88 or 89 characters decode");
  if (right_length && AllHexDigits(text.substr(0, 88))) {
    Check(decoded.has_value(), "88 hexadecimal digits always decode");
    Check(decoded->Encode() == Lower(text.substr(0, 88)), "hexadecimal digits encode back");
  }
  if (decoded) {
    std::string encoded = decoded->Encode();
    Check(encoded.size() == 88 && AllHexDigits(encoded) && Lower(encoded) == encoded,
          "a placement encodes as 88 lowercase digits");
    Check(WindowPlacement::Decode(encoded) == decoded, "an encoded placement decodes back");
  }
  return 0;
}
