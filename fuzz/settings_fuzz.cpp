// The program's settings over an arbitrary settings file: every reader copes, and saving what
// was loaded loads back the same.
#include <cstdint>
#include <string>

#include "app/program_files.h"
#include "app/settings.h"
#include "fuzz_support.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

// A value is written as one line, so a CR inside it comes back as a space, and spaces at its
// ends are not part of the value read.
std::string AsWritten(std::string value) {
  for (char& c : value) {
    if (c == '\r') c = ' ';
  }
  size_t begin = value.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  return value.substr(begin, value.find_last_not_of(" \t") - begin + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& scratch = TarvaneFuzz::Scratch::Get();
  ProgramFiles::Scope program(scratch.Join("tarvane"));
  scratch.Write("tarvane.ini", TarvaneFuzz::Text(data, size));

  Settings loaded;
  LoadSettings(loaded);
  WindowPlacement placement;
  bool has_placement = LoadWindowPlacement(placement);
  std::string folder = GetLastFolderBrowserPath();
  bool test_mode = IsTestMode();

  SaveSettings(loaded);
  Settings again;
  LoadSettings(again);
  loaded.ExtensionScriptPath = AsWritten(loaded.ExtensionScriptPath);
  Check(again == loaded, "saved settings load back the same");

  if (has_placement) {
    SaveWindowPlacement(placement);
    WindowPlacement placement_again;
    Check(LoadWindowPlacement(placement_again) && placement_again == placement,
          "a saved placement loads back the same");
  }
  SetLastFolderBrowserPath(folder);
  Check(GetLastFolderBrowserPath() == AsWritten(folder), "the last folder reads back");
  Check(IsTestMode() == test_mode, "saving never changes the test mode");
  return 0;
}
