// The controls' own operations over their widgets.
#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_window_controls.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace {

template <class Widget>
Widget* As(const TtWindow& window, const char* call) {
  Widget* widget =
      window.GetHandle() ? dynamic_cast<Widget*>(TtWx::ToWx(window.GetHandle())) : nullptr;
  if (!widget) throw TT_SYSTEM_CALL_ERROR("tt_window", call, EBADF);
  return widget;
}

void CheckIndex(int index, int count, const char* call) {
  if (index < 0 || index >= count) throw TT_SYSTEM_CALL_ERROR("tt_window", call, EINVAL);
}

// The main window leaves 21 pixels under its list for the bar.
constexpr int kStatusBarHeight = 21;

}  // namespace

TtWxInternal::StaticText::StaticText(wxWindow* parent, int id, long style, Fit fit)
    : wxStaticText(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, style), fit_(fit) {
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    if (fit_ != Fit::OneLine && GetClientSize().GetWidth() != wrapped_width_) Rewrap();
  });
}

namespace {

// The longest run of whole words of the text that fits the width with an ellipsis after it;
// a first word too long for the width is cut by character.
wxString WordEllipsis(wxWindow* window, const wxString& text, int width) {
  wxClientDC dc(window);
  dc.SetFont(window->GetFont());
  if (dc.GetTextExtent(text).GetWidth() <= width) return text;
  const wxString ellipsis = "...";
  size_t space = text.find_last_of(' ');
  while (space != wxString::npos && space > 0) {
    wxString candidate = text.substr(0, space);
    candidate.Trim();
    if (!candidate.empty() && dc.GetTextExtent(candidate + ellipsis).GetWidth() <= width)
      return candidate + ellipsis;
    space = text.find_last_of(' ', space - 1);
  }
  return wxControl::Ellipsize(text, dc, wxELLIPSIZE_END, width);
}

}  // namespace

void TtWxInternal::StaticText::SetFullText(const wxString& text) {
  full_text_ = text;
  Rewrap();
}

void TtWxInternal::StaticText::Rewrap() {
  wrapped_width_ = GetClientSize().GetWidth();
  if (fit_ == Fit::WordEllipsis && wrapped_width_ > 0) {
    SetLabel(WordEllipsis(this, full_text_, wrapped_width_));
  } else {
    SetLabel(full_text_);
    if (fit_ == Fit::Wrap && wrapped_width_ > 0) Wrap(wrapped_width_);
  }
  Refresh();
}

bool TtButtonWithCheck::GetCheck() const {
  return As<wxCheckBox>(*this, "BM_GETCHECK")->GetValue();
}

void TtButtonWithCheck::SetCheck(bool checked) {
  As<wxCheckBox>(*this, "BM_SETCHECK")->SetValue(checked);
}

int TtListBox::AddString(const std::string& text) {
  return As<wxListBox>(*this, "LB_ADDSTRING")->Append(TtWx::ToWxString(text));
}

int TtListBox::InsertString(int index, const std::string& text) {
  auto* list = As<wxListBox>(*this, "LB_INSERTSTRING");
  int count = static_cast<int>(list->GetCount());
  if (index < 0 || index > count) index = count;
  return list->Insert(TtWx::ToWxString(text), static_cast<unsigned>(index));
}

void TtListBox::DeleteString(int index) {
  auto* list = As<wxListBox>(*this, "LB_DELETESTRING");
  CheckIndex(index, static_cast<int>(list->GetCount()), "LB_DELETESTRING");
  list->Delete(static_cast<unsigned>(index));
}

void TtListBox::Clear() { As<wxListBox>(*this, "LB_RESETCONTENT")->Clear(); }

int TtListBox::GetCount() const {
  return static_cast<int>(As<wxListBox>(*this, "LB_GETCOUNT")->GetCount());
}

std::string TtListBox::GetString(int index) const {
  auto* list = As<wxListBox>(*this, "LB_GETTEXT");
  CheckIndex(index, static_cast<int>(list->GetCount()), "LB_GETTEXT");
  return TtWx::FromWxString(list->GetString(static_cast<unsigned>(index)));
}

int TtListBox::GetCurrentSelection() const {
  int selection = As<wxListBox>(*this, "LB_GETCURSEL")->GetSelection();
  return selection == wxNOT_FOUND ? -1 : selection;
}

void TtListBox::SetCurrentSelection(int index) {
  auto* list = As<wxListBox>(*this, "LB_SETCURSEL");
  if (index < 0) {
    list->SetSelection(wxNOT_FOUND);
    return;
  }
  CheckIndex(index, static_cast<int>(list->GetCount()), "LB_SETCURSEL");
  list->SetSelection(index);
}

bool TtListBox::GetSelected(int index) const {
  auto* list = As<wxListBox>(*this, "LB_GETSEL");
  CheckIndex(index, static_cast<int>(list->GetCount()), "LB_GETSEL");
  return list->IsSelected(index);
}

void TtListBox::SetSelected(int index, bool selected) {
  auto* list = As<wxListBox>(*this, "LB_SETSEL");
  CheckIndex(index, static_cast<int>(list->GetCount()), "LB_SETSEL");
  if (selected) {
    list->SetSelection(index, true);
  } else {
    list->Deselect(index);
  }
}

void TtListBox::SetItemHeight(int height) { item_height_ = height; }

int TtListBox::GetItemHeight() const { return item_height_; }

wxWindow* TtWxInternal::CreateStatusBar(wxWindow* parent, int id) {
  auto* bar = new wxStatusBar(
      parent, id,
      wxSTB_SIZEGRIP | wxSTB_SHOW_TIPS | wxSTB_ELLIPSIZE_MIDDLE | wxFULL_REPAINT_ON_RESIZE);
  bar->SetMinHeight(kStatusBarHeight);
  PlaceStatusBar(bar);
  return bar;
}

void TtWxInternal::PlaceStatusBar(wxStatusBar* bar) {
  wxSize client = bar->GetParent()->GetClientSize();
  bar->SetSize(0, client.GetHeight() - kStatusBarHeight, client.GetWidth(), kStatusBarHeight);
}

int TtStatusBar::Height() { return kStatusBarHeight; }

void TtStatusBar::SetParts(const std::vector<int>& right_edges) {
  auto* bar = As<wxStatusBar>(*this, "SB_SETPARTS");
  if (right_edges.empty()) throw TT_SYSTEM_CALL_ERROR("tt_window", "SB_SETPARTS", EINVAL);
  std::vector<int> widths;
  int left = 0;
  for (int edge : right_edges) {
    widths.push_back(edge < 0 ? -1 : std::max(edge - left, 0));
    left = edge < 0 ? left : edge;
  }
  bar->SetFieldsCount(static_cast<int>(widths.size()), widths.data());
}

void TtStatusBar::SetPartText(int part, const std::string& text) {
  auto* bar = As<wxStatusBar>(*this, "SB_SETTEXT");
  CheckIndex(part, bar->GetFieldsCount(), "SB_SETTEXT");
  bar->SetStatusText(TtWx::ToWxString(text), part);
}

std::string TtStatusBar::GetPartText(int part) const {
  auto* bar = As<wxStatusBar>(*this, "SB_GETTEXT");
  CheckIndex(part, bar->GetFieldsCount(), "SB_GETTEXT");
  return TtWx::FromWxString(bar->GetStatusText(part));
}

int TtStatusBar::GetPartCount() const {
  return As<wxStatusBar>(*this, "SB_GETPARTS")->GetFieldsCount();
}
