#include "app/program_files.h"

#include "ttl/core/tt_path.h"

namespace Tarvane {

std::optional<std::string>& ProgramFiles::Override() {
  static std::optional<std::string> executable_path;
  return executable_path;
}

std::string ProgramFiles::GetExecutablePath() {
  return Override() ? *Override() : TtPath::GetExecutableFilePath();
}

void ProgramFiles::SetExecutablePath(const std::string& path) {
  Override() = TtPath::GetFullPath(path);
}

void ProgramFiles::ResetExecutablePath() { Override().reset(); }

std::string ProgramFiles::GetSettingsFilePath() {
  return TtPath::ChangeExtension(GetExecutablePath(), "ini");
}

std::string ProgramFiles::GetLastDeckSetPath() {
  return TtPath::ChangeExtension(GetExecutablePath(), "last.tvset");
}

std::string ProgramFiles::GetStartupScriptPath() {
  return TtPath::ChangeExtension(GetExecutablePath(), "nut");
}

std::string ProgramFiles::GetToolbarBitmapPath() {
  return TtPath::ChangeExtension(GetExecutablePath(), "bmp");
}

std::string ProgramFiles::GetExecutableDirectory() {
  return TtPath::GetDirectoryName(GetExecutablePath());
}

std::string ProgramFiles::GetDictionaryFolderPath() {
  return GetExecutableDirectory() + "/dictionary";
}

std::string ProgramFiles::ResolveFromExecutableDirectory(const std::string& path) {
  return TtPath::IsRelative(path) ? GetExecutableDirectory() + "/" + path : path;
}

ProgramFiles::Scope::Scope(const std::string& executable_path) : previous_(Override()) {
  SetExecutablePath(executable_path);
}

ProgramFiles::Scope::~Scope() { Override() = previous_; }

}  // namespace Tarvane
