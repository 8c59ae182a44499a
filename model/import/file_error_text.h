#pragma once
// Why a file could not be read or written, in the words of the import's reports: the C library's
// texts may be in another language than the report, and a report in two languages reads badly.
#include <string>

namespace Tarvane {

// The reason for a C error number (CP932) in the language of the program's messages.
std::string FileErrorText(int error_number);

}  // namespace Tarvane
