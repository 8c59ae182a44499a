#pragma once
// The build date as the program shows it, from the compiler's date text.
#include <string>

namespace TtUtility {

// "Mmm dd yyyy" (the compiler's __DATE__, English month, day padded with a space) becomes
// "yyyy/MM/dd": the month as two digits ("??" for a name that is no month), the day's two
// characters taken as they are, so that a day below 10 keeps its leading space. A text shorter
// than the compiler's gives whatever of the parts it holds, never reading past its end.
std::string ConvertBuildDate(const std::string& compiler_date);

}  // namespace TtUtility
