#pragma once
// Why a file could not be read or written, in the words of the user's reports: the C library's
// texts are English, and a batch report in two languages reads badly.
#include <string>

namespace Tarvane {

// The reason for a C error number (CP932); the system's own text for the rare ones.
std::string FileErrorText(int error_number);

}  // namespace Tarvane
