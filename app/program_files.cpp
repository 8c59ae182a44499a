#include "app/program_files.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {

namespace {

// The window program's name, which also names its folder in the user's folders.
const char* const kProgramName = "tarvane";

#ifndef TARVANE_SHARE_FROM_BIN
#define TARVANE_SHARE_FROM_BIN "../share/tarvane"
#endif
// Where an installed program's shipped files are, from the folder of its executable.
const char* const kShareFromBin = TARVANE_SHARE_FROM_BIN;

// Which layout holds for one executable path, decided afresh for each question: it costs a few
// file system calls, and a test or a tool may act as another program at any time.
struct Layout {
  std::string program_folder;
  std::string base_name;  // the executable's name without extension: names the files
  std::string shipped_folder;
  bool user_files_in_home = false;

  std::string Shipped(const std::string& extension) const {
    return shipped_folder + "/" + base_name + "." + extension;
  }
};

bool IsWritableFolder(const std::string& path) {
  std::string system_path;
  return TtString::TryToSystemPath(path, system_path) && ::access(system_path.c_str(), W_OK) == 0;
}

Layout CurrentLayout() {
  std::string executable = ProgramFiles::GetExecutablePath();
  Layout layout;
  layout.program_folder = TtPath::GetDirectoryName(executable);
  layout.base_name = TtPath::SelectParts(executable, TtPath::BaseName);
  layout.shipped_folder = layout.program_folder;
  bool ships_here = TtPath::FileExists(layout.Shipped("nut"));
  if (ships_here && IsWritableFolder(layout.program_folder)) return layout;

  std::string share = TtPath::Canonicalize(layout.program_folder + "/" + kShareFromBin);
  if (!ships_here && TtPath::FileExists(share + "/" + layout.base_name + ".nut")) {
    layout.shipped_folder = share;
    layout.user_files_in_home = true;
  } else if (ships_here) {
    // A read-only program folder: its files are used, the user's go home.
    layout.user_files_in_home = true;
  }
  // With no shipped files anywhere the program folder stays, so that the missing start-up script
  // is reported where a portable program would have it.
  return layout;
}

// The home folder as the file system spells it.
std::string SystemHomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return home;
  const passwd* entry = ::getpwuid(::getuid());
  if (entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

std::string HomeFolder() { return TtString::FromSystemPath(SystemHomeFolder()); }

// Makes a folder (an absolute system path) and its missing parents, private to the user.
// Returns 0, or the error number of the part that could not be made.
int MakeFolders(const std::string& system_path) {
  for (size_t slash = system_path.find('/', 1);; slash = system_path.find('/', slash + 1)) {
    std::string part = system_path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) break;
  }
  struct stat status;
  if (::stat(system_path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return ENOTDIR;
  return 0;
}

// One of the user's base folders with our folder in it. A relative value is ignored, as the base
// directory rules ask, since it would depend on the current folder.
std::string UserFolder(const char* variable, const char* under_home) {
  const char* value = std::getenv(variable);
  std::string base =
      value && *value == '/' ? TtString::FromSystemPath(value) : HomeFolder() + "/" + under_home;
  return TtPath::Canonicalize(base + "/" + kProgramName);
}

std::string ConfigFolder() { return UserFolder("XDG_CONFIG_HOME", ".config"); }
std::string DataFolder() { return UserFolder("XDG_DATA_HOME", ".local/share"); }
std::string StateFolder() { return UserFolder("XDG_STATE_HOME", ".local/state"); }

}  // namespace

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

std::string ProgramFiles::GetMainProgramBesideThisOne() {
  return TtPath::GetDirectoryName(TtPath::GetExecutableFilePath()) + "/" + kProgramName;
}

bool ProgramFiles::KeepsUserFilesInHome() { return CurrentLayout().user_files_in_home; }

std::string ProgramFiles::GetLastDeckSetPath() {
  return TtPath::ChangeExtension(GetSettingsFilePath(), "last.tvset");
}

std::string ProgramFiles::GetExecutableDirectory() {
  return TtPath::GetDirectoryName(GetExecutablePath());
}

std::string ProgramFiles::GetShippedFolderPath() { return CurrentLayout().shipped_folder; }

std::string ProgramFiles::GetSettingsFilePath() {
  Layout layout = CurrentLayout();
  if (!layout.user_files_in_home) return layout.Shipped("ini");
  return ConfigFolder() + "/" + layout.base_name + ".ini";
}

std::string ProgramFiles::GetErrorLogPath() {
  Layout layout = CurrentLayout();
  if (!layout.user_files_in_home) return layout.Shipped("ini");
  return StateFolder() + "/" + layout.base_name + "_error.ini";
}

std::string ProgramFiles::GetStartupScriptPath() {
  Layout layout = CurrentLayout();
  if (layout.user_files_in_home) {
    std::string own = ConfigFolder() + "/" + layout.base_name + ".nut";
    if (TtPath::FileExists(own) && !TtPath::IsDirectory(own)) return own;
  }
  return layout.Shipped("nut");
}

std::string ProgramFiles::GetToolbarBitmapPath() { return CurrentLayout().Shipped("bmp"); }

std::string ProgramFiles::GetDictionaryFolderPath() {
  return GetShippedFolderPath() + "/dictionary";
}

std::string ProgramFiles::GetUserDictionaryFolderPath() {
  return KeepsUserFilesInHome() ? DataFolder() + "/dictionary" : GetDictionaryFolderPath();
}

std::vector<std::string> ProgramFiles::GetDictionaryFolderPaths() {
  std::string shipped = GetDictionaryFolderPath();
  std::string own = GetUserDictionaryFolderPath();
  if (own == shipped || !TtPath::IsDirectory(own)) return {shipped};
  return {own, shipped};
}

std::string ProgramFiles::GetSampleDecksFolderPath() { return GetShippedFolderPath() + "/decks"; }

std::string ProgramFiles::GetUserDecksFolderPath() {
  return KeepsUserFilesInHome() ? DataFolder() + "/decks" : GetSampleDecksFolderPath();
}

std::string ProgramFiles::GetUserScriptFolderPath() {
  return KeepsUserFilesInHome() ? ConfigFolder() : GetExecutableDirectory();
}

std::string ProgramFiles::ResolveUserScriptPath(const std::string& path) {
  return TtPath::IsRelative(path) ? GetUserScriptFolderPath() + "/" + path : path;
}

std::string ProgramFiles::CreateFolder(const std::string& path) {
  if (int error = MakeFolders(TtString::ToSystemPath(path)))
    throw TtFileAccessException(path, error);
  return path;
}

std::string ProgramFiles::GetErrorLogSystemPath() {
  std::string executable = TtPath::GetExecutableSystemFilePath();
  std::string folder = executable.substr(0, executable.rfind('/'));
  std::string base = executable.substr(folder.size() + 1);
  base = base.substr(0, base.rfind('.'));
  if (::access((folder + "/" + base + ".nut").c_str(), F_OK) == 0 &&
      ::access(folder.c_str(), W_OK) == 0) {
    return folder + "/" + base + ".ini";
  }
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string log_folder =
      (state && *state == '/' ? std::string(state) : SystemHomeFolder() + "/.local/state") + "/" +
      kProgramName;
  MakeFolders(log_folder);  // a folder that cannot be made fails the write that follows
  return log_folder + "/" + base + "_error.ini";
}

std::string ProgramFiles::PrepareSettingsFile() {
  Layout layout = CurrentLayout();
  std::string path = GetSettingsFilePath();
  if (!layout.user_files_in_home || TtPath::FileExists(path)) return path;
  PrepareFolderOf(path);
  std::string left_behind = layout.program_folder + "/" + layout.base_name + ".ini";
  std::string from, to;
  if (TtPath::FileExists(left_behind) && TtString::TryToSystemPath(left_behind, from) &&
      TtString::TryToSystemPath(path, to)) {
    std::error_code ignored;  // without the copy the program starts from the defaults
    std::filesystem::copy_file(from, to, ignored);
  }
  return path;
}

void ProgramFiles::PrepareFolderOf(const std::string& file_path) noexcept {
  try {
    std::string folder = TtPath::GetDirectoryName(file_path);
    if (KeepsUserFilesInHome() && !TtPath::IsDirectory(folder)) CreateFolder(folder);
  } catch (...) {
  }
}

std::string ProgramFiles::GetGuidePath() { return GetShippedFolderPath() + "/help/ja/index.html"; }

ProgramFiles::Scope::Scope(const std::string& executable_path) : previous_(Override()) {
  SetExecutablePath(executable_path);
}

ProgramFiles::Scope::~Scope() { Override() = previous_; }

}  // namespace Tarvane
