#pragma once
// Where the program finds its own files: beside its executable, named after the executable's
// base name. The executable is the running one unless another path has been set, which is how
// the headless tool acts as the program at a given path and how tests place a program folder.
#include <optional>
#include <string>

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

  static std::string GetSettingsFilePath();      // <base>.ini
  static std::string GetStartupScriptPath();     // <base>.nut
  static std::string GetToolbarBitmapPath();     // <base>.bmp
  // The deck set of the last session, written when the window closes: <base>.last.tvset
  static std::string GetLastDeckSetPath();
  // Drive and directory of the executable without a trailing "/" ("." when empty).
  static std::string GetExecutableDirectory();
  static std::string GetDictionaryFolderPath();  // <executable directory>/dictionary
  // A relative path taken against the executable directory; an absolute one unchanged.
  static std::string ResolveFromExecutableDirectory(const std::string& path);

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
