// Window operations that do not concern placement: texts, geometry on screen, focus, fonts,
// the mouse, and files dropped on a window.
#include <wx/dnd.h>

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"
#include "ttl/gui/tt_font.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_internal.h"

using TtWxInternal::Widget;

wxWindow* TtWxInternal::Widget(const TtWindow& window, const char* call) {
  TtWin::HWND handle = window.GetHandle();
  if (!handle || TtWx::IsDesktop(handle) || !PlatformReady()) {
    throw TT_SYSTEM_CALL_ERROR("tt_window", call, EBADF);
  }
  return TtWx::ToWx(handle);
}

wxPoint TtWx::ClientOriginOnScreen(wxWindow* window) {
  if (wxGetTopLevelParent(window)->IsShown()) return window->ClientToScreen(wxPoint(0, 0));
  wxRect outer = OuterRectangleOnScreen(window);
  // The frame's parts: borders alike on the left, right and bottom, the rest on top.
  wxSize frame = window->GetSize() - window->GetClientSize();
  return wxPoint(outer.x + frame.x / 2, outer.y + frame.y - frame.x / 2);
}

wxRect TtWx::OuterRectangleOnScreen(wxWindow* window) {
  if (wxGetTopLevelParent(window)->IsShown()) return window->GetScreenRect();
  wxPoint corner = window->GetPosition();
  if (!window->IsTopLevel() && window->GetParent())
    corner += ClientOriginOnScreen(window->GetParent());
  return wxRect(corner, window->GetSize());
}

void TtWindow::SetText(const std::string& text) {
  wxWindow* widget = Widget(*this, "::SetWindowText");
  wxString value = TtWx::ToWxString(text);
  if (auto* top = dynamic_cast<wxTopLevelWindow*>(widget)) {
    top->SetTitle(value);
  } else if (auto* label = dynamic_cast<TtWxInternal::StaticText*>(widget)) {
    label->SetFullText(value);
  } else if (auto* edit = dynamic_cast<wxTextCtrl*>(widget)) {
    edit->SetValue(value);
  } else {
    widget->SetLabel(value);
  }
}

std::string TtWindow::GetText() const {
  wxWindow* widget = Widget(*this, "::GetWindowText");
  if (auto* top = dynamic_cast<wxTopLevelWindow*>(widget))
    return TtWx::FromWxString(top->GetTitle());
  if (auto* label = dynamic_cast<TtWxInternal::StaticText*>(widget))
    return TtWx::FromWxString(label->GetFullText());
  if (auto* edit = dynamic_cast<wxTextCtrl*>(widget)) return TtWx::FromWxString(edit->GetValue());
  return TtWx::FromWxString(widget->GetLabel());
}

TtWin::RECT TtWindow::GetRectangle() const {
  if (TtWx::IsDesktop(GetHandle())) {
    if (!TtWxInternal::PlatformReady())
      throw TT_SYSTEM_CALL_ERROR("tt_window", "::GetWindowRect", ENXIO);
    wxSize size = wxGetDisplaySize();
    return TtWin::RECT{0, 0, size.GetWidth(), size.GetHeight()};
  }
  wxWindow* widget = Widget(*this, "::GetWindowRect");
  return TtWx::ToRect(TtWx::OuterRectangleOnScreen(widget));
}

TtWin::RECT TtWindow::GetClientRectangle() const {
  if (TtWx::IsDesktop(GetHandle())) return GetRectangle();
  wxSize size = Widget(*this, "::GetClientRect")->GetClientSize();
  return TtWin::RECT{0, 0, size.GetWidth(), size.GetHeight()};
}

TtWin::POINT TtWindow::ScreenToClient(TtWin::POINT point) const {
  if (TtWx::IsDesktop(GetHandle())) return point;
  wxPoint result =
      wxPoint(point.x, point.y) - TtWx::ClientOriginOnScreen(Widget(*this, "::ScreenToClient"));
  return TtWin::POINT{result.x, result.y};
}

TtWin::POINT TtWindow::ClientToScreen(TtWin::POINT point) const {
  if (TtWx::IsDesktop(GetHandle())) return point;
  wxPoint result =
      wxPoint(point.x, point.y) + TtWx::ClientOriginOnScreen(Widget(*this, "::ClientToScreen"));
  return TtWin::POINT{result.x, result.y};
}

bool TtWindow::IsVisible() const { return Widget(*this, "::IsWindowVisible")->IsShown(); }

void TtWindow::SetEnabled(bool enabled) { Widget(*this, "::EnableWindow")->Enable(enabled); }

bool TtWindow::IsEnabled() const { return Widget(*this, "::IsWindowEnabled")->IsEnabled(); }

void TtWindow::SetFocus() { Widget(*this, "::SetFocus")->SetFocus(); }

void TtWindow::Update() { Widget(*this, "::UpdateWindow")->Update(); }

void TtWindow::Invalidate() { Widget(*this, "::InvalidateRect")->Refresh(); }

void TtWindow::SetFont(const TtFont& font, bool redraw) {
  wxWindow* widget = Widget(*this, "WM_SETFONT");
  widget->SetFont(TtWx::NativeFont(font));
  TtWxInternal::FontChanged(widget);
  if (redraw) widget->Refresh();
}

void TtWindow::SetCapture() { Widget(*this, "::SetCapture")->CaptureMouse(); }

void TtWindow::ReleaseCapture() {
  if (!TtWxInternal::PlatformReady()) return;
  if (wxWindow* captured = wxWindow::GetCapture()) captured->ReleaseMouse();
}

namespace {

class FileDrop : public wxFileDropTarget {
public:
  explicit FileDrop(std::function<void(const std::vector<std::string>&)> handler)
      : handler_(std::move(handler)) {}
  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
    std::vector<std::string> paths;
    for (const wxString& name : names) paths.push_back(TtWx::FromWxPath(name));
    handler_(paths);
    // A handler's exception waits for the loop, like every other handler's.
    return true;
  }

private:
  std::function<void(const std::vector<std::string>&)> handler_;
};

void SetFileDrop(wxWindow* window,
                 const std::function<void(const std::vector<std::string>&)>& handler) {
  window->SetDropTarget(new FileDrop(handler));
  for (wxWindow* child : window->GetChildren()) SetFileDrop(child, handler);
}

}  // namespace

void TtWindow::AcceptFileDrops(std::function<void(const std::vector<std::string>& paths)> handler) {
  SetFileDrop(Widget(*this, "::DragAcceptFiles"), handler);
}

TtWin::POINT TtWindow::GetCursorPosition() {
  if (!TtWxInternal::PlatformReady())
    throw TT_SYSTEM_CALL_ERROR("tt_window", "::GetCursorPos", ENXIO);
  wxPoint point = wxGetMousePosition();
  return TtWin::POINT{point.x, point.y};
}
