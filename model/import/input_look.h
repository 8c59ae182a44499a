#pragma once
// What an input looks like at first sight, for the readers that read any plain text and for the
// report of an input that no reader could read: "形式が分かりません" is more use with what the
// file seemed to be (XML of another program, a binary file, an empty one).
#include <string>
#include <string_view>

namespace Tarvane {

enum class InputLook { Empty, Binary, Xml, Json, Text };

// The look of the text (UTF-8, as decoded from the input).
InputLook LookOf(std::string_view utf8);

// The look as the report of an input of no known shape says it (CP932): XML and its root, JSON,
// binary, empty, or text without a card line.
std::string DescribeLook(std::string_view utf8);

}  // namespace Tarvane
