#include "app/error_log.h"

#include "app/program_files.h"
#include "ttl/core/tt_ini_file.h"
#include "ttl/core/tt_path.h"

namespace Tarvane {

namespace {

// The settings file as the file system spells it, for a program in a folder whose name the
// program cannot spell: the error that says so must still reach the log.
TtIniFile OpenSettingsFile() {
  try {
    return TtIniFile(ProgramFiles::GetSettingsFilePath(), TtIniFile::kDefaultBufferSize);
  } catch (const TtFileAccessException&) {
    if (ProgramFiles::HasExecutablePathOverride()) throw;
    return TtIniFile(TtFile::SystemPath{TtPath::ChangeExtension(TtPath::GetExecutableSystemFilePath(), "ini")},
                     TtIniFile::kDefaultBufferSize);
  }
}

}  // namespace

bool WriteErrorLog(const TtException& exception) noexcept {
  try {
    TtIniFile file = OpenSettingsFile();
    file["ErrorLog"].SetString("Dump", exception.Message());
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace Tarvane
