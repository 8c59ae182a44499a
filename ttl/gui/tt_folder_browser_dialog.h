#pragma once
// The folder browser: choose one folder, starting at an initial one.
#include <string>

class TtWindow;

class TtFolderBrowserDialog {
public:
  void SetDescription(const std::string& description) { description_ = description; }
  const std::string& GetDescription() const { return description_; }
  // In: the folder selected when the browser opens; out: the chosen folder.
  void SetSelectedPath(const std::string& path) { selected_path_ = path; }
  const std::string& GetSelectedPath() const { return selected_path_; }

  // False when the user cancelled; the selected path is then unchanged.
  bool ShowDialog(TtWindow* parent);

private:
  std::string description_;
  std::string selected_path_;
};
