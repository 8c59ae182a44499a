#include "ttl/gui/tt_file_dialog.h"

TtFileDialog::TtFileDialog(int path_buffer_size) : path_buffer_size_(path_buffer_size) {}

TtFileDialog::~TtFileDialog() = default;

const std::string& TtFileDialog::GetFileName() const {
  return file_names_.empty() ? file_name_ : file_names_.front();
}

std::string TtFileDialog::BuildFilterText() const {
  std::string text;
  for (const Filter& filter : filters_) {
    if (!text.empty()) text += '|';
    text += filter.name;
    text += '|';
    for (size_t i = 0; i < filter.patterns.size(); ++i) {
      if (i > 0) text += ';';
      text += filter.patterns[i];
    }
  }
  return text;
}

bool TtOpenFileDialog::ShowDialog(TtWindow* parent) { return Show(parent, false, false); }

bool TtSaveFileDialog::ShowDialog(TtWindow* parent) {
  return Show(parent, true, overwrite_prompt_);
}
