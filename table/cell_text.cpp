#include "table/cell_text.h"

#include <cmath>
#include <cstdio>

namespace Tarvane {

namespace {

std::string FormatTwoDecimals(double number) {
  // No sign where it says nothing: a NaN has none to show, and a value that rounds to zero is
  // zero in the cell.
  if (std::isnan(number)) return "nan";
  if (std::fabs(number) < 0.005) number = 0.0;
  char buffer[256];
  int length = std::snprintf(buffer, sizeof buffer, "%.2f", number);
  if (length < 0) return std::string();
  if (static_cast<size_t>(length) < sizeof buffer) return std::string(buffer, length);
  // A huge float prints more than a fixed buffer holds; the cell shows it whole all the same.
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.2f", number);
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

std::string CellText(const CellValue& value, bool if_zero_null_string) {
  switch (value.kind()) {
    case CellValue::Kind::Null:
      return std::string();
    case CellValue::Kind::String:
      return value.text();
    case CellValue::Kind::Integer:
      if (if_zero_null_string && value.integer() == 0) return std::string();
      return value.text();
    case CellValue::Kind::Float:
      return FormatTwoDecimals(value.number());
  }
  return std::string();
}

}  // namespace Tarvane
