#pragma once
// The error log: the technical message of the last error that ended the program, kept as the
// key "Dump" in section "ErrorLog" of the settings file, or of a log file of its own when the
// user's files are kept in their home folder.
#include "ttl/core/tt_exception.h"

namespace Tarvane {

// Replaces the logged message with this exception's. It runs while an error is being reported,
// so it never throws: a log that cannot be written (say, a read-only program folder) must not
// hide the error itself. Returns false when the log could not be written.
bool WriteErrorLog(const TtException& exception) noexcept;

}  // namespace Tarvane
