#include "ttl/core/tt_build_date.h"

#include <array>

namespace TtUtility {

namespace {

std::string MonthNumber(const std::string& month) {
  static const std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (std::size_t index = 0; index < kMonths.size(); ++index) {
    if (month == kMonths[index]) {
      int number = static_cast<int>(index) + 1;
      return std::string{static_cast<char>('0' + number / 10),
                         static_cast<char>('0' + number % 10)};
    }
  }
  return "??";
}

// The part of the text from `position` on, at most `length` bytes; empty past the end.
std::string PartOf(const std::string& text, std::size_t position, std::size_t length) {
  return position < text.size() ? text.substr(position, length) : std::string();
}

}  // namespace

std::string ConvertBuildDate(const std::string& compiler_date) {
  std::string year =
      compiler_date.size() >= 4 ? compiler_date.substr(compiler_date.size() - 4) : compiler_date;
  return year + "/" + MonthNumber(PartOf(compiler_date, 0, 3)) + "/" + PartOf(compiler_date, 4, 2);
}

}  // namespace TtUtility
