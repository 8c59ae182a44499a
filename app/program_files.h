#pragma once
// Where the program finds its own files and keeps the user's. Two layouts:
// - portable: the executable's folder holds the shipped files (start-up script, toolbar
//   pictures, dictionary, sample decks) and can be written, so the user's files (settings,
//   error log, dictionary files, start-up script) are kept there too, named after the
//   executable's base name;
// - installed: the shipped files are in <prefix>/share/tarvane beside <prefix>/bin, or the
//   program folder cannot be written; the user's files then live in the user's own folders
//   (XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_STATE_HOME), created when first written.
// The executable is the running one unless another path has been set, which is how the
// headless tools act as the program at a given path and how tests place a program folder.
// Nothing else builds these paths.
#include <optional>
#include <string>
#include <vector>

namespace Tarvane {

class ProgramFiles {
public:
  // The program's executable path: the override when set, else the running executable.
  static std::string GetExecutablePath();
  // Acts as the program at this path from now on (a relative path is made absolute now).
  static void SetExecutablePath(const std::string& path);
  // Back to the running executable.
  static void ResetExecutablePath();
  static bool HasExecutablePathOverride() { return Override().has_value(); }
  // The window program beside the running executable, which the other programs act as.
  static std::string GetMainProgramBesideThisOne();

  // True when the user's files are kept in the user's folders rather than the program folder.
  static bool KeepsUserFilesInHome();
  // Drive and directory of the executable without a trailing "/" ("." when empty).
  static std::string GetExecutableDirectory();
  // The folder of the files that ship with the program: the program folder when it holds them.
  static std::string GetShippedFolderPath();

  static std::string GetSettingsFilePath();
  // The settings file itself in the portable layout; a file of its own in the state folder
  // otherwise, so that a failure is logged even when the settings cannot be written.
  static std::string GetErrorLogPath();
  // The error log as the file system spells it, for a program whose folder or home folder has a
  // name the program cannot spell: beside a portable program, else in the state folder (made on
  // the way). Always the running executable's, since it serves the error that says so.
  static std::string GetErrorLogSystemPath();
  // The user's start-up script when there is one, else the shipped one.
  static std::string GetStartupScriptPath();
  static std::string GetToolbarBitmapPath();
  static std::string GetDictionaryFolderPath();  // the shipped dictionary
  static std::string GetUserDictionaryFolderPath();
  // Every dictionary folder to read, the user's first so that their cards win over the samples.
  static std::vector<std::string> GetDictionaryFolderPaths();
  static std::string GetSampleDecksFolderPath();
  // Where new deck lists (imports, the clipboard) go by default.
  static std::string GetUserDecksFolderPath();
  // The folder a relative extension script path is taken against.
  static std::string GetUserScriptFolderPath();
  // A relative path taken against the user's script folder; an absolute one unchanged.
  static std::string ResolveUserScriptPath(const std::string& path);

  // Creates the folder and its missing parents (private to the user); returns the path. A
  // TtFileAccessException names the folder that could not be made.
  static std::string CreateFolder(const std::string& path);
  // The settings file, its folder made. The first time the user's settings are kept in their
  // home while the program folder holds a settings file (a portable folder that became
  // read-only), that file is copied, so that the settings kept there are not lost. Throws as
  // GetSettingsFilePath does; a folder or copy that fails leaves the writes to report it.
  static std::string PrepareSettingsFile();
  // Creates the folder a user's file is about to be written into when the user's files are kept
  // in their home; a program folder is never made. Never throws: the write that follows reports
  // a folder that could not be made, naming the file.
  static void PrepareFolderOf(const std::string& file_path) noexcept;
  // The player's guide rendered at build time: help/ja/index.html among the shipped files.
  static std::string GetGuidePath();

  // Sets the executable path for its lifetime and restores the previous one afterwards.
  class Scope {
  public:
    explicit Scope(const std::string& executable_path);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

  private:
    std::optional<std::string> previous_;
  };

private:
  static std::optional<std::string>& Override();
};

}  // namespace Tarvane
