#pragma once
// Open and save file dialogs. Paths in and out are CP932; a chosen path that CP932 cannot spell
// is reported as TtFileAccessException rather than handed on mangled.
#include <string>
#include <vector>

#include "ttl/core/tt_exception.h"

class TtWindow;

class TtFileDialog {
public:
  struct Filter {
    std::string name;
    std::vector<std::string> patterns;
  };

  // The path buffer size of the platform's dialog; kept for callers, the result is not cut.
  explicit TtFileDialog(int path_buffer_size = 1024);
  virtual ~TtFileDialog();

  // True when the user confirmed; then GetFileName / GetFileNames hold the choice.
  virtual bool ShowDialog(TtWindow* parent) = 0;

  void SetFileMustExist(bool value) { file_must_exist_ = value; }
  bool GetFileMustExist() const { return file_must_exist_; }
  void SetPathMustExist(bool value) { path_must_exist_ = value; }
  bool GetPathMustExist() const { return path_must_exist_; }
  // Added (with a dot) to a chosen name without an extension.
  void SetDefaultExtension(const std::string& value) { default_extension_ = value; }
  const std::string& GetDefaultExtension() const { return default_extension_; }
  void SetDereferenceLinks(bool value) { dereference_links_ = value; }
  bool GetDereferenceLinks() const { return dereference_links_; }
  void SetFileName(const std::string& value) { file_name_ = value; }
  // 1-based, as the platform counts filters.
  void SetFilterIndex(int value) { filter_index_ = value; }
  int GetFilterIndex() const { return filter_index_; }
  void SetInitialDirectory(const std::string& value) { initial_directory_ = value; }
  const std::string& GetInitialDirectory() const { return initial_directory_; }
  void SetAllowMultiSelect(bool value) { allow_multi_select_ = value; }
  bool GetAllowMultiSelect() const { return allow_multi_select_; }
  void SetNoChangeDirectory(bool value) { no_change_directory_ = value; }
  bool GetNoChangeDirectory() const { return no_change_directory_; }
  void SetShowHelp(bool value) { show_help_ = value; }
  void SetShowPlacesBar(bool value) { show_places_bar_ = value; }
  void SetTitle(const std::string& value) { title_ = value; }
  const std::string& GetTitle() const { return title_; }
  std::vector<Filter>& GetFilters() { return filters_; }
  const std::vector<Filter>& GetFilters() const { return filters_; }
  void AddFilter(const std::string& name, const std::string& pattern) {
    filters_.push_back({name, {pattern}});
  }
  int GetPathBufferSize() const { return path_buffer_size_; }

  // The first chosen path, or the initial file name before the dialog ran.
  const std::string& GetFileName() const;
  const std::vector<std::string>& GetFileNames() const { return file_names_; }
  // Of several chosen names, those the program cannot spell: left out of GetFileNames, so that
  // the others still serve. (A single such name makes ShowDialog throw instead.)
  const std::vector<TtFileAccessException>& GetRefusedNames() const { return refused_names_; }

  // The filter list as the widget set takes it: name|pattern;pattern|name|pattern...; empty
  // when there are no filters, so that no filter is shown.
  std::string BuildFilterText() const;

protected:
  bool Show(TtWindow* parent, bool save, bool overwrite_prompt);

private:
  int path_buffer_size_;
  bool file_must_exist_ = false;
  bool path_must_exist_ = true;
  std::string default_extension_;
  bool dereference_links_ = true;
  std::string file_name_;
  int filter_index_ = 1;
  std::string initial_directory_;
  bool allow_multi_select_ = false;
  bool no_change_directory_ = false;
  bool show_help_ = false;
  bool show_places_bar_ = true;
  std::string title_;
  std::vector<Filter> filters_;
  std::vector<std::string> file_names_;
  std::vector<TtFileAccessException> refused_names_;
};

class TtOpenFileDialog : public TtFileDialog {
public:
  using TtFileDialog::TtFileDialog;
  bool ShowDialog(TtWindow* parent) override;
  void SetReadOnlyChecked(bool value) { read_only_checked_ = value; }
  void SetShowReadOnly(bool value) { show_read_only_ = value; }

private:
  bool read_only_checked_ = false;
  bool show_read_only_ = false;
};

class TtSaveFileDialog : public TtFileDialog {
public:
  using TtFileDialog::TtFileDialog;
  bool ShowDialog(TtWindow* parent) override;
  void SetCreatePrompt(bool value) { create_prompt_ = value; }
  // Asks before an existing file is replaced.
  void SetOverwritePrompt(bool value) { overwrite_prompt_ = value; }

private:
  bool create_prompt_ = true;
  bool overwrite_prompt_ = true;
};
