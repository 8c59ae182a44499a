#include "model/cell_value.h"

namespace Tarvane {

CellValue CellValue::MakeString(const std::string& text) {
  CellValue value;
  value.kind_ = Kind::String;
  value.text_ = text;
  return value;
}

CellValue CellValue::MakeInteger(std::int64_t integer) {
  CellValue value;
  value.kind_ = Kind::Integer;
  value.text_ = std::to_string(integer);
  value.integer_ = integer;
  return value;
}

CellValue CellValue::MakeFloat(double number) {
  CellValue value;
  value.kind_ = Kind::Float;
  value.number_ = number;
  return value;
}

}  // namespace Tarvane
