// Strict number conversion: the first byte picks the base (also bases that the C library
// rejects), the rest is the text.
#include <cctype>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "ttl/core/tt_utility.h"

using TarvaneFuzz::Check;

namespace {

// What every accepted text shares: something to read and nothing after the number.
void CheckAcceptedText(const std::string& text) {
  Check(!text.empty(), "an empty text is never a number");
  Check(text.find('\0') == std::string::npos, "a zero byte ends the number early");
  Check(!std::isspace(static_cast<unsigned char>(text.back())), "trailing white space fails");
}

void CheckInteger(const std::string& text, int base) {
  int value = 0;
  if (!TtUtility::StringToInteger(text, value, base)) return;
  CheckAcceptedText(text);
  Check(base == 0 || (base >= 2 && base <= 36), "only the C library's bases convert");
  int again = 0;
  Check(TtUtility::StringToInteger(std::to_string(value), again, 10) && again == value,
        "an accepted value reads back from its decimal text");
  if (base == 10) {
    double as_double = 0;
    Check(TtUtility::StringToDouble(text, as_double) && as_double == value,
          "a decimal integer text reads as the same double");
  }
}

void CheckDouble(const std::string& text) {
  double value = 0;
  if (!TtUtility::StringToDouble(text, value)) return;
  CheckAcceptedText(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int base = data[0] % 40;
  std::string text = TarvaneFuzz::Text(data + 1, size - 1);
  CheckInteger(text, base);
  CheckInteger(text, 10);
  CheckInteger(text, 16);
  CheckDouble(text);
  return 0;
}
