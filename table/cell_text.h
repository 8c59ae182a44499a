#pragma once
// The text that a table cell shows for the value its column's processor yielded.
#include <string>

#include "model/cell_value.h"

namespace Tarvane {

// Null: empty. String: the string. Integer: its decimal form, or empty for 0 when
// if_zero_null_string is set. Float: two decimals ("%.2f"), whatever its size.
std::string CellText(const CellValue& value, bool if_zero_null_string);

}  // namespace Tarvane
