#pragma once
// Shared by the backend files and the test driver only: conversions between the toolkit's
// handles, texts and records and the widget set's.
#include <wx/wx.h>

#include <string>

#include "ttl/core/tt_string.h"
#include "ttl/core/tt_win.h"
#include "ttl/gui/tt_window.h"

namespace TtWx {

inline wxWindow* ToWx(TtWin::HWND handle) { return reinterpret_cast<wxWindow*>(handle); }
inline TtWin::HWND ToHandle(const wxWindow* window) {
  return reinterpret_cast<TtWin::HWND>(const_cast<wxWindow*>(window));
}

// CP932 inside, UTF-8 in the widget set.
inline wxString ToWxString(const std::string& cp932) {
  return wxString::FromUTF8(TtString::Cp932ToUtf8(cp932));
}
inline std::string FromWxString(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return TtString::Utf8ToCp932(std::string(utf8.data(), utf8.length()));
}
// Paths are converted strictly: a path that does not convert is a file access error.
inline wxString ToWxPath(const std::string& cp932) {
  return wxString::FromUTF8(TtString::ToSystemPath(cp932));
}
inline std::string FromWxPath(const wxString& path) {
  const wxScopedCharBuffer utf8 = path.utf8_str();
  return TtString::FromSystemPath(std::string(utf8.data(), utf8.length()));
}

inline wxColour ToWxColour(TtWin::COLORREF colour) {
  return wxColour(TtWin::RedOf(colour), TtWin::GreenOf(colour), TtWin::BlueOf(colour));
}
inline TtWin::COLORREF FromWxColour(const wxColour& colour) {
  return TtWin::Rgb(colour.Red(), colour.Green(), colour.Blue());
}

inline TtWin::RECT ToRect(const wxRect& rect) {
  return TtWin::RECT{rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(),
                     rect.GetTop() + rect.GetHeight()};
}

// Sends a message from the widget set to a window's handler (not to the default processing:
// the widget's own processing runs when the answer is not handled).
TtWindow::WMResult Dispatch(TtWin::HWND handle, TtWin::UINT message, TtWin::WPARAM wparam,
                            TtWin::LPARAM lparam);
// WM_COMMAND or WM_NOTIFY as a control sends it to its parent.
void SendCommandToParent(wxWindow* control, int code);
TtWin::LRESULT SendNotifyToParent(wxWindow* control, TtWin::NMHDR& header);

// The font of the toolkit's font object, made on first use.
const wxFont& NativeFont(const class ::TtFont& font);

// Where a window's client area starts on the screen. A window whose top-level window is not on
// screen yet has no place the widget set can tell, so it is worked out from the positions the
// windows were given.
wxPoint ClientOriginOnScreen(wxWindow* window);
wxRect OuterRectangleOnScreen(wxWindow* window);

// The window kind the backend made for a handle.
bool IsDesktop(TtWin::HWND handle);

}  // namespace TtWx
