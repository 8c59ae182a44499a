#pragma once
// The typed value that a column's processor yields for a row.
#include <cstdint>
#include <string>

namespace Tarvane {

class CellValue {
public:
  enum class Kind : std::int32_t { Null = 0, String = 1, Integer = 2, Float = 3 };

  CellValue() = default;
  static CellValue MakeString(const std::string& text);
  static CellValue MakeInteger(std::int64_t integer);
  static CellValue MakeFloat(double number);

  Kind kind() const { return kind_; }
  // Null: empty; String: the string; Integer: its decimal form; Float: empty (the table formats
  // the number itself).
  const std::string& text() const { return text_; }
  // The number of an Integer. Script integers are 64-bit, and the whole value is kept.
  std::int64_t integer() const { return integer_; }
  // The number of a Float.
  double number() const { return number_; }

private:
  Kind kind_ = Kind::Null;
  std::string text_;
  std::int64_t integer_ = 0;
  double number_ = 0;
};

}  // namespace Tarvane
