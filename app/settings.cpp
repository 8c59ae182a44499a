#include "app/settings.h"

#include <algorithm>
#include <vector>

#include "app/program_files.h"
#include "ttl/core/tt_ini_file.h"

namespace Tarvane {

namespace {

const char* const kSection = "Tarvane";
const char* const kPlacementKey = "Placement";

// The settings file, opened for one operation.
class SettingsFile {
public:
  SettingsFile() : file_(ProgramFiles::PrepareSettingsFile(), TtIniFile::kDefaultBufferSize) {}
  TtIniSection Section() { return file_[kSection]; }
  TtIniSection RecentDeckSets() { return file_["RecentDeckSets"]; }

private:
  TtIniFile file_;
};

}  // namespace

void LoadSettings(Settings& settings) {
  SettingsFile file;
  TtIniSection section = file.Section();
  const Settings defaults;
  settings.FirstColumnIsJapanese =
      section.GetBoolean("FirstColumnIsJapanese", defaults.FirstColumnIsJapanese);
  settings.IfZeroNullString = section.GetBoolean("IfZeroNullString", defaults.IfZeroNullString);
  settings.DefaultColumnWidth =
      std::clamp(section.GetInteger("DefaultColumnWidth", defaults.DefaultColumnWidth),
                 kMinColumnWidth, kMaxColumnWidth);
  settings.UseExtensionScript =
      section.GetBoolean("UseExtensionScript", defaults.UseExtensionScript);
  settings.ExtensionScriptPath =
      section.GetString("ExtensionScriptPath", defaults.ExtensionScriptPath);
  settings.ArchetypeRules = section.GetString("ArchetypeRules", defaults.ArchetypeRules);
}

void SaveSettings(const Settings& settings) {
  SettingsFile file;
  TtIniSection section = file.Section();
  section.SetBoolean("FirstColumnIsJapanese", settings.FirstColumnIsJapanese);
  section.SetBoolean("IfZeroNullString", settings.IfZeroNullString);
  section.SetInteger("DefaultColumnWidth", settings.DefaultColumnWidth);
  section.SetBoolean("UseExtensionScript", settings.UseExtensionScript);
  section.SetString("ExtensionScriptPath", settings.ExtensionScriptPath);
  // A settings file of a user who never chose a rule folder stays as it was.
  const std::vector<std::string> keys = section.GetKeyNames();
  if (!settings.ArchetypeRules.empty() ||
      std::find(keys.begin(), keys.end(), "ArchetypeRules") != keys.end()) {
    section.SetString("ArchetypeRules", settings.ArchetypeRules);
  }
}

bool LoadWindowPlacement(WindowPlacement& placement) {
  SettingsFile file;
  TtIniSection section = file.Section();
  std::vector<std::string> keys = section.GetKeyNames();
  if (std::find(keys.begin(), keys.end(), kPlacementKey) == keys.end()) return false;
  std::optional<WindowPlacement> decoded =
      WindowPlacement::Decode(section.GetString(kPlacementKey));
  if (!decoded) return false;
  placement = *decoded;
  return true;
}

void SaveWindowPlacement(const WindowPlacement& placement) {
  SettingsFile file;
  file.Section().SetString(kPlacementKey, placement.Encode());
}

std::string GetLastFolderBrowserPath() {
  SettingsFile file;
  return file.Section().GetString("LastFolderBrowserPath", "");
}

void SetLastFolderBrowserPath(const std::string& path) {
  SettingsFile file;
  file.Section().SetString("LastFolderBrowserPath", path);
}

bool LoadCellShading() {
  SettingsFile file;
  return file.Section().GetBoolean("CellShading", false);
}

void SaveCellShading(bool shading) {
  SettingsFile file;
  file.Section().SetBoolean("CellShading", shading);
}

std::vector<std::string> LoadRecentDeckSets() {
  SettingsFile file;
  TtIniSection section = file.RecentDeckSets();
  std::vector<std::string> paths;
  for (int number = 1; number <= kRecentDeckSetCount; ++number) {
    std::string path = section.GetString(std::to_string(number), "");
    if (!path.empty()) paths.push_back(path);
  }
  return paths;
}

void AddRecentDeckSet(const std::string& path) {
  std::vector<std::string> paths = LoadRecentDeckSets();
  std::erase(paths, path);
  paths.insert(paths.begin(), path);
  if (paths.size() > static_cast<size_t>(kRecentDeckSetCount)) paths.resize(kRecentDeckSetCount);
  SettingsFile file;
  TtIniSection section = file.RecentDeckSets();
  for (size_t index = 0; index < paths.size(); ++index)
    section.SetString(std::to_string(index + 1), paths[index]);
}

bool IsTestMode() {
  SettingsFile file;
  return file.Section().GetBoolean("TestMode", false);
}

const char* const kSettingsNotSavedCaption = "保存エラー";

std::string SettingsNotSavedText(const std::string& sentence, const TtException& error) {
  return sentence + "\r\n\r\n" + ProgramFiles::GetSettingsFilePath() + "\r\n" + error.Message();
}

}  // namespace Tarvane
