#include "app/error_log.h"

#include "app/program_files.h"
#include "ttl/core/tt_ini_file.h"

namespace Tarvane {

namespace {

// The log as the file system spells it, for a program in a folder (or a home folder) whose name
// the program cannot spell: the error that says so must still reach the log.
TtIniFile OpenLogFile() {
  try {
    std::string path = ProgramFiles::GetErrorLogPath();
    ProgramFiles::PrepareFolderOf(path);
    return TtIniFile(path, TtIniFile::kDefaultBufferSize);
  } catch (const TtFileAccessException&) {
    if (ProgramFiles::HasExecutablePathOverride()) throw;
    return TtIniFile(TtFile::SystemPath{ProgramFiles::GetErrorLogSystemPath()},
                     TtIniFile::kDefaultBufferSize);
  }
}

}  // namespace

bool WriteErrorLog(const TtException& exception) noexcept {
  try {
    TtIniFile file = OpenLogFile();
    file["ErrorLog"].SetString("Dump", exception.Message());
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace Tarvane
