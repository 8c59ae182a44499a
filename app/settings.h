#pragma once
// The user settings and the other values kept in the settings file beside the executable.
// Every operation opens the file anew and closes it again; nothing is cached between calls.
#include <string>

#include "app/window_placement.h"

namespace Tarvane {

// Each field is named by its key in section "Tarvane".
struct Settings {
  bool FirstColumnIsJapanese = true;
  bool IfZeroNullString = true;
  int DefaultColumnWidth = 64;
  bool UseExtensionScript = false;
  std::string ExtensionScriptPath;

  bool operator==(const Settings&) const = default;
};

// Fills the record from the settings file; missing keys give the defaults above.
void LoadSettings(Settings& settings);
// Writes the five keys; throws the toolkit's exception when the file cannot be written.
void SaveSettings(const Settings& settings);

// True, with the record filled, only when the key list holds "Placement" spelt exactly so and
// its value decodes.
bool LoadWindowPlacement(WindowPlacement& placement);
void SaveWindowPlacement(const WindowPlacement& placement);

std::string GetLastFolderBrowserPath();
void SetLastFolderBrowserPath(const std::string& path);

// Adds the development menu; nothing in the program writes it.
bool IsTestMode();

}  // namespace Tarvane
