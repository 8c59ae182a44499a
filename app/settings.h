#pragma once
// The user settings and the other values kept in the settings file beside the executable.
// Every operation opens the file anew and closes it again; nothing is cached between calls.
#include <string>
#include <vector>

#include "app/window_placement.h"
#include "ttl/core/tt_exception.h"

namespace Tarvane {

// Each field is named by its key in section "Tarvane".
struct Settings {
  bool FirstColumnIsJapanese = true;
  bool IfZeroNullString = true;
  int DefaultColumnWidth = 64;
  bool UseExtensionScript = false;
  std::string ExtensionScriptPath;
  // The folder of archetype rules; empty for none.
  std::string ArchetypeRules;

  bool operator==(const Settings&) const = default;
};

// Column widths outside this range hide a column or upset the widget set; a width read from
// the settings file is brought into it, and the settings sheet refuses one outside it.
inline constexpr int kMinColumnWidth = 0;
inline constexpr int kMaxColumnWidth = 2000;

// Fills the record from the settings file; missing keys give the defaults above.
void LoadSettings(Settings& settings);
// Writes the five keys, and ArchetypeRules when it is set or was in the file; throws the toolkit's
// exception when the file cannot be written.
void SaveSettings(const Settings& settings);

// True, with the record filled, only when the key list holds "Placement" spelt exactly so and
// its value decodes.
bool LoadWindowPlacement(WindowPlacement& placement);
void SaveWindowPlacement(const WindowPlacement& placement);

std::string GetLastFolderBrowserPath();
void SetLastFolderBrowserPath(const std::string& path);

// 表示 → 色分け: whether numeric cells are shaded; off when the file does not say.
bool LoadCellShading();
void SaveCellShading(bool shading);

// ファイル → 最近使ったデッキセット: the deck set files opened or saved last, newest first, at
// most kRecentDeckSetCount (section "RecentDeckSets", keys "1" upwards).
inline constexpr int kRecentDeckSetCount = 8;
std::vector<std::string> LoadRecentDeckSets();
// Puts the path first; an older place of the same path goes, and the oldest beyond the count.
void AddRecentDeckSet(const std::string& path);

// Adds the development menu; nothing in the program writes it.
bool IsTestMode();

// A write of the settings file that failed is told to the user with this caption and text (the
// sentence, then the file's path and the system's reason); the program goes on, since a settings
// file it cannot write must not cost the user the decks loaded.
extern const char* const kSettingsNotSavedCaption;
std::string SettingsNotSavedText(const std::string& sentence, const TtException& error);

}  // namespace Tarvane
