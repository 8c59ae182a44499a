#include <wx/textctrl.h>

#include <memory>

#include "ttl/gui/tt_edit_caret.h"
#include "ttl/gui/wx/tt_wx.h"

namespace TtEditCaret {

namespace {

wxTextCtrl* TextOf(const TtEdit& edit) {
  return edit.GetHandle() ? dynamic_cast<wxTextCtrl*>(TtWx::ToWx(edit.GetHandle())) : nullptr;
}

void Collapse(wxTextCtrl* text) {
  const long end = text->GetLastPosition();
  text->SetSelection(end, end);
  text->SetInsertionPointEnd();
}

}  // namespace

void MoveToEnd(TtEdit& edit) {
  wxTextCtrl* text = TextOf(edit);
  if (!text) return;
  Collapse(text);
  text->CallAfter([text] { Collapse(text); });
  // The focus arrives with the dialog's first showing, after the events pending now.
  auto first_focus = std::make_shared<bool>(true);
  text->Bind(wxEVT_SET_FOCUS, [text, first_focus](wxFocusEvent& event) {
    event.Skip();
    if (!*first_focus) return;
    *first_focus = false;
    text->CallAfter([text] { Collapse(text); });
  });
}

bool IsAtEnd(const TtEdit& edit) {
  wxTextCtrl* text = TextOf(edit);
  if (!text) return false;
  long from = 0;
  long to = 0;
  text->GetSelection(&from, &to);
  return from == to && text->GetInsertionPoint() == text->GetLastPosition();
}

}  // namespace TtEditCaret
