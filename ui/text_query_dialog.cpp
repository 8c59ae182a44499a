#include "ui/text_query_dialog.h"

#include "ttl/gui/tt_edit_caret.h"

namespace Tarvane {

bool TextQueryDialog::CreatedInternal() {
  SetText(title_);
  CreateChild(label_).SetText(prompt_);
  CreateChild(edit_).SetText(text_);
  CreateOkCancelButtons(kOkId, kCancelId);
  SetSize(360, 120);
  SetCenterRelativeToParent();
  edit_.SetFocus();
  TtEditCaret::MoveToEnd(edit_);
  return true;
}

void TextQueryDialog::Layout(int width, int height) {
  label_.SetPositionSize(8, 8, width - 16, 16);
  edit_.SetPositionSize(8, 28, width - 16, 24);
  LayoutOkCancelButtons(width, height);
}

void TextQueryDialog::Accept() {
  const std::string text = edit_.GetText();
  const size_t begin = text.find_first_not_of(" \t");
  // Nothing to look for: the dialog stays open.
  if (begin == std::string::npos) return;
  text_ = text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
  TtDialog::Accept();
}

}  // namespace Tarvane
