// Turning the widgets' events into the toolkit's messages.
#include <cstdint>

#include "ttl/gui/tt_backend.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_internal.h"

using TtWx::ToHandle;

TtWindow::WMResult TtWx::Dispatch(TtWin::HWND handle, TtWin::UINT message, TtWin::WPARAM wparam,
                                  TtWin::LPARAM lparam) {
  TtWindow* window = TtWindow::FromHandle(handle);
  if (!window) return TtWindow::NotHandled();
  return window->DispatchToHandler(message, wparam, lparam);
}

void TtWx::SendCommandToParent(wxWindow* control, int code) {
  TtWindow* window = TtWindow::FromHandle(ToHandle(control));
  if (!window || !control->GetParent()) return;
  TtWin::HWND parent = ToHandle(control->GetParent());
  TtWindow::WindowProcedure(parent, TtWin::WM_COMMAND, TtWin::MakeWParam(window->GetId(), code),
                            reinterpret_cast<TtWin::LPARAM>(ToHandle(control)));
}

TtWin::LRESULT TtWx::SendNotifyToParent(wxWindow* control, TtWin::NMHDR& header) {
  TtWindow* window = TtWindow::FromHandle(ToHandle(control));
  if (!window || !control->GetParent()) return 0;
  header.hwndFrom = ToHandle(control);
  header.idFrom = static_cast<std::uintptr_t>(window->GetId());
  return TtWindow::WindowProcedure(ToHandle(control->GetParent()), TtWin::WM_NOTIFY, header.idFrom,
                                   reinterpret_cast<TtWin::LPARAM>(&header));
}

void TtBackendAccess::NativeWindowDestroyed(TtWin::HWND handle) {
  TtWindow* window = TtWindow::FromHandle(handle);
  if (!window) return;
  try {
    window->DispatchToHandler(TtWin::WM_DESTROY, 0, 0);
  } catch (...) {
    window->ForgetHandle();
    throw;
  }
  window->ForgetHandle();
}

namespace {

int MouseKeys(const wxMouseEvent& event) {
  int keys = 0;
  if (event.LeftIsDown()) keys |= TtWin::MK_LBUTTON;
  if (event.RightIsDown()) keys |= TtWin::MK_RBUTTON;
  if (event.ShiftDown()) keys |= TtWin::MK_SHIFT;
  if (event.ControlDown()) keys |= TtWin::MK_CONTROL;
  return keys;
}

int SizeKind(wxWindow* window) {
  if (auto* top = dynamic_cast<wxTopLevelWindow*>(window)) {
    if (top->IsIconized()) return TtWin::SIZE_MINIMIZED;
    if (top->IsMaximized()) return TtWin::SIZE_MAXIMIZED;
  }
  return TtWin::SIZE_RESTORED;
}

}  // namespace

void TtWxInternal::SendSizeMessage(wxWindow* window) {
  wxSize client = window->GetClientSize();
  TtWx::Dispatch(ToHandle(window), TtWin::WM_SIZE, static_cast<TtWin::WPARAM>(SizeKind(window)),
                 TtWin::MakeLParam(client.GetWidth(), client.GetHeight()));
}

void TtWxInternal::BindCommonEvents(wxWindow* window) {
  TtWin::HWND handle = ToHandle(window);
  window->Bind(wxEVT_DESTROY, [window, handle](wxWindowDestroyEvent& event) {
    // The event also travels up from destroyed children; only the window's own counts.
    event.Skip();
    if (event.GetWindow() != window) return;
    TtBackendAccess::NativeWindowDestroyed(handle);
  });
  window->Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
}

void TtWxInternal::BindPanelEvents(wxWindow* window) {
  TtWin::HWND handle = ToHandle(window);
  window->Bind(wxEVT_SIZE, [window, handle](wxSizeEvent& event) {
    TtWxInternal::RememberNormalRectangle(window);
    if (!TtWindow::FromHandle(handle)) return event.Skip();
    wxSize client = window->GetClientSize();
    auto result =
        TtWx::Dispatch(handle, TtWin::WM_SIZE, static_cast<TtWin::WPARAM>(SizeKind(window)),
                       TtWin::MakeLParam(client.GetWidth(), client.GetHeight()));
    // A top-level window's own processing would stretch a lone child over the whole client
    // area; the toolkit's windows place their children themselves.
    if (!result.handled && !window->IsTopLevel()) event.Skip();
  });
  window->Bind(wxEVT_MOVE, [window](wxMoveEvent& event) {
    TtWxInternal::RememberNormalRectangle(window);
    event.Skip();
  });
  window->Bind(wxEVT_PAINT, [handle](wxPaintEvent& event) {
    if (!TtWx::Dispatch(handle, TtWin::WM_PAINT, 0, 0).handled) event.Skip();
  });
  auto mouse = [handle](TtWin::UINT message) {
    return [handle, message](wxMouseEvent& event) {
      auto result = TtWx::Dispatch(handle, message, static_cast<TtWin::WPARAM>(MouseKeys(event)),
                                   TtWin::MakeLParam(event.GetX(), event.GetY()));
      if (!result.handled) event.Skip();
    };
  };
  window->Bind(wxEVT_MOTION, mouse(TtWin::WM_MOUSEMOVE));
  window->Bind(wxEVT_LEFT_DOWN, mouse(TtWin::WM_LBUTTONDOWN));
  window->Bind(wxEVT_LEFT_UP, mouse(TtWin::WM_LBUTTONUP));
  window->Bind(wxEVT_LEFT_DCLICK, mouse(TtWin::WM_LBUTTONDBLCLK));
  window->Bind(wxEVT_RIGHT_DOWN, mouse(TtWin::WM_RBUTTONDOWN));
  window->Bind(wxEVT_RIGHT_UP, mouse(TtWin::WM_RBUTTONUP));
  if (window->IsTopLevel()) {
    window->Bind(wxEVT_CLOSE_WINDOW, [handle](wxCloseEvent& event) {
      if (!TtWx::Dispatch(handle, TtWin::WM_CLOSE, 0, 0).handled) return event.Skip();
      if (event.CanVeto()) event.Veto();
    });
  }
}
