#include "app/error_log.h"

#include "app/program_files.h"
#include "ttl/tt_ini_file.h"

namespace Tarvane {

bool WriteErrorLog(const TtException& exception) noexcept {
  try {
    TtIniFile file(ProgramFiles::GetSettingsFilePath(), TtIniFile::kDefaultBufferSize);
    file["ErrorLog"].SetString("Dump", exception.Message());
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace Tarvane
