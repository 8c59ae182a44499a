// The backend's core: bringing up the widget set, making the widget of each window kind,
// turning the widgets' events into the toolkit's messages, and the window operations.
#include <wx/dnd.h>
#include <wx/evtloop.h>
#include <wx/statusbr.h>
#include <wx/weakref.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <set>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_font.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_icon.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_window_controls.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_internal.h"

using TtWx::ToHandle;
using TtWx::ToWx;

namespace {

// Exceptions thrown by handlers cannot cross the widget set's C code: they are kept here and
// thrown again when the event loop that ran the handler returns.
class TtWxApp : public wxApp {
public:
  bool OnInit() override { return true; }
  bool StoreCurrentException() override {
    if (!stored_) stored_ = std::current_exception();
    return true;
  }
  void RethrowStoredException() override {
    if (!stored_) return;
    std::exception_ptr exception = stored_;
    stored_ = nullptr;
    std::rethrow_exception(exception);
  }

private:
  std::exception_ptr stored_;
};

bool platform_initialized = false;
bool quit_pending = false;
int quit_exit_code = 0;
int loop_depth = 0;

// The desktop stands for "no window" when given as a parent.
int desktop_marker;
TtWin::HWND DesktopMarker() { return reinterpret_cast<TtWin::HWND>(&desktop_marker); }

void ReportAssertion(const wxString& file, int line, const wxString& function, const wxString& condition,
                     const wxString& message) {
  std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
               static_cast<const char*>(function.utf8_str()), static_cast<const char*>(condition.utf8_str()),
               static_cast<const char*>(message.utf8_str()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The platform and the message loop

void TtForm::InitializePlatform() {
  if (platform_initialized) return;
  wxSetAssertHandler(ReportAssertion);
  wxApp::SetInstance(new TtWxApp);
  static int argc = 1;
  static char program_name[] = "tarvane";
  static char* argv[] = {program_name, nullptr};
  if (!wxEntryStart(argc, argv)) {
    throw TT_SYSTEM_CALL_ERROR("tt_form", "::InitCommonControls", ENXIO);
  }
  wxTheApp->CallOnInit();
  // Messages of the widget set go to standard error: never a message box of its own, and no
  // debugging chatter.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxLog::SetLogLevel(wxLOG_Warning);
  wxTheApp->SetExitOnFrameDelete(false);
  wxInitAllImageHandlers();
  platform_initialized = true;
}

bool TtForm::IsPlatformInitialized() { return platform_initialized; }

void TtForm::BeginBusyCursor() {
  if (platform_initialized) wxBeginBusyCursor();
}

void TtForm::EndBusyCursor() {
  if (platform_initialized && wxIsBusy()) wxEndBusyCursor();
}

bool TtForm::IsEscapeKeyDown() { return platform_initialized && wxGetKeyState(WXK_ESCAPE); }

void TtForm::ProcessPendingMessages() {
  if (!platform_initialized || !wxTheApp) return;
  // Handling one event may post the next (a layout, then its repaint), so a few rounds.
  for (int round = 0; round < 3; ++round) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
  }
  wxTheApp->RethrowStoredException();
}

void TtForm::FinalizePlatform() {
  if (!platform_initialized) return;
  platform_initialized = false;
  wxEntryCleanup();
}

namespace TtBackend {

void PostQuit(int exit_code) {
  quit_pending = true;
  quit_exit_code = exit_code;
  if (platform_initialized && loop_depth > 0) wxTheApp->ExitMainLoop();
}

int RunLoop() {
  if (!quit_pending) {
    if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_form", "::GetMessage", ENXIO);
    ++loop_depth;
    try {
      wxTheApp->MainLoop();
    } catch (...) {
      --loop_depth;
      throw;
    }
    --loop_depth;
    wxTheApp->RethrowStoredException();
  }
  quit_pending = false;
  return quit_exit_code;
}

void PostMessage(TtWin::HWND handle, TtWin::UINT message, TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
  if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_window", "::PostMessage", ENXIO);
  wxTheApp->CallAfter([handle, message, wparam, lparam] { TtWindow::WindowProcedure(handle, message, wparam, lparam); });
}

TtWin::HWND DesktopHandle() { return DesktopMarker(); }

}  // namespace TtBackend

bool TtWx::IsDesktop(TtWin::HWND handle) { return handle == DesktopMarker(); }

// ---------------------------------------------------------------------------------------------
// Dispatch from the widget set

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
    TtWxInternal::ForgetWindow(window);
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
    auto result = TtWx::Dispatch(handle, TtWin::WM_SIZE, static_cast<TtWin::WPARAM>(SizeKind(window)),
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

// ---------------------------------------------------------------------------------------------
// Making the widgets

long TtWxInternal::TopLevelStyle(TtWin::DWORD style, TtWin::DWORD extended_style) {
  // A top-level window always has a title bar, as an overlapped window does.
  long wx_style = wxCAPTION;
  if (style & TtWin::WS_SYSMENU) wx_style |= wxSYSTEM_MENU | wxCLOSE_BOX;
  if (style & TtWin::WS_THICKFRAME) wx_style |= wxRESIZE_BORDER;
  if (style & TtWin::WS_MINIMIZEBOX) wx_style |= wxMINIMIZE_BOX;
  if (style & TtWin::WS_MAXIMIZEBOX) wx_style |= wxMAXIMIZE_BOX;
  if (extended_style & TtWin::WS_EX_TOOLWINDOW) wx_style |= wxFRAME_TOOL_WINDOW;
  return wx_style;
}

namespace {

long BorderStyle(TtWin::DWORD extended_style) {
  return (extended_style & TtWin::WS_EX_CLIENTEDGE) ? wxBORDER_THEME : wxBORDER_NONE;
}

// The widget set's labels draw no border of their own, so the parent draws the sunken frame
// just outside the label: dark on the top and left, light on the bottom and right.
void DrawSunkenFrameAround(wxWindow* label) {
  wxWindow* parent = label->GetParent();
  wxWeakRef<wxWindow> alive(label);
  parent->Bind(wxEVT_PAINT, [parent, alive](wxPaintEvent& event) {
    event.Skip();
    if (!alive || !alive->IsShown()) return;
    wxPaintDC dc(parent);
    wxRect frame = alive->GetRect().Inflate(1);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.DrawLine(frame.GetLeft(), frame.GetBottom(), frame.GetLeft(), frame.GetTop());
    dc.DrawLine(frame.GetLeft(), frame.GetTop(), frame.GetRight(), frame.GetTop());
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
    dc.DrawLine(frame.GetRight(), frame.GetTop(), frame.GetRight(), frame.GetBottom());
    dc.DrawLine(frame.GetRight(), frame.GetBottom(), frame.GetLeft() - 1, frame.GetBottom());
  });
}

wxWindow* CreateStatic(wxWindow* parent, int id, TtWin::DWORD style) {
  using Fit = TtWxInternal::StaticText::Fit;
  long wx_style = wxST_NO_AUTORESIZE;
  Fit fit = Fit::Wrap;
  if ((style & TtWin::SS_WORDELLIPSIS) == TtWin::SS_WORDELLIPSIS) fit = Fit::WordEllipsis;
  if ((style & 0x3) == TtWin::SS_RIGHT) {
    wx_style |= wxALIGN_RIGHT;
    fit = Fit::OneLine;
  }
  auto* label = new TtWxInternal::StaticText(parent, id, wx_style, fit);
  if (style & TtWin::SS_SUNKEN) DrawSunkenFrameAround(label);
  return label;
}

wxWindow* CreateButton(wxWindow* parent, int id, TtWin::DWORD style) {
  if ((style & 0xF) == TtWin::BS_AUTOCHECKBOX) {
    auto* box = new wxCheckBox(parent, id, wxEmptyString);
    box->Bind(wxEVT_CHECKBOX, [box](wxCommandEvent&) { TtWx::SendCommandToParent(box, TtWin::BN_CLICKED); });
    return box;
  }
  auto* button = new wxButton(parent, id, wxEmptyString);
  button->Bind(wxEVT_BUTTON, [button](wxCommandEvent&) { TtWx::SendCommandToParent(button, TtWin::BN_CLICKED); });
  return button;
}

wxWindow* CreateEdit(wxWindow* parent, int id, TtWin::DWORD style) {
  auto* edit = new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0);
  edit->Bind(wxEVT_TEXT, [edit](wxCommandEvent&) { TtWx::SendCommandToParent(edit, TtWin::EN_CHANGE); });
  if (style & TtWin::ES_NUMBER) {
    edit->Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
      int key = event.GetKeyCode();
      // Digits and editing keys pass; any other typed character is refused.
      if ((key >= '0' && key <= '9') || key < WXK_SPACE || key == WXK_DELETE || key > WXK_START ||
          event.ControlDown()) {
        event.Skip();
      } else {
        wxBell();
      }
    });
  }
  return edit;
}

// The widget set's single-selection list selects its first entry when it gets the keyboard
// focus with nothing selected, so a list would open with an entry the user never chose, ready
// for a button that acts on the selection. Such a selection is taken back; one the user makes
// by mouse or key stays.
void KeepUnselectedOnFocus(wxListBox* list) {
  auto user_acted = std::make_shared<bool>(false);
  auto mark = [user_acted](auto& event) {
    *user_acted = true;
    event.Skip();
  };
  list->Bind(wxEVT_LEFT_DOWN, [mark](wxMouseEvent& event) { mark(event); });
  list->Bind(wxEVT_KEY_DOWN, [mark](wxKeyEvent& event) { mark(event); });
  list->Bind(wxEVT_SET_FOCUS, [list, user_acted](wxFocusEvent& event) {
    event.Skip();
    *user_acted = false;
    if (list->GetSelection() != wxNOT_FOUND) return;
    wxWeakRef<wxListBox> alive(list);
    list->CallAfter([alive, user_acted] {
      if (alive && !*user_acted && alive->GetSelection() != wxNOT_FOUND) alive->SetSelection(wxNOT_FOUND);
    });
  });
}

wxWindow* CreateListBox(wxWindow* parent, int id, TtWin::DWORD style, TtWin::DWORD extended_style) {
  long wx_style = (style & TtWin::LBS_MULTIPLESEL) ? wxLB_MULTIPLE : wxLB_SINGLE;
  if (style & TtWin::WS_HSCROLL) wx_style |= wxLB_HSCROLL;
  wx_style |= BorderStyle(extended_style);
  auto* list = new wxListBox(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, wx_style);
  list->Bind(wxEVT_LISTBOX, [list](wxCommandEvent&) { TtWx::SendCommandToParent(list, TtWin::LBN_SELCHANGE); });
  // The widget set's multiple selection replaces the selection on a plain click; here a click
  // toggles the entry under it and leaves the others as they are.
  if (style & TtWin::LBS_MULTIPLESEL) {
    list->Bind(wxEVT_LEFT_DOWN, [list](wxMouseEvent& event) {
      int index = list->HitTest(event.GetPosition());
      list->SetFocus();
      if (index == wxNOT_FOUND) return;
      if (list->IsSelected(index)) {
        list->Deselect(index);
      } else {
        list->SetSelection(index, true);
      }
      TtWx::SendCommandToParent(list, TtWin::LBN_SELCHANGE);
    });
    list->Bind(wxEVT_LEFT_DCLICK, [](wxMouseEvent&) {});
  } else {
    KeepUnselectedOnFocus(list);
  }
  list->Bind(wxEVT_LISTBOX_DCLICK, [list](wxCommandEvent&) { TtWx::SendCommandToParent(list, TtWin::LBN_DBLCLK); });
  return list;
}

wxWindow* CreatePanel(wxWindow* parent, int id, TtWin::DWORD style, TtWin::DWORD extended_style) {
  if (parent && (style & TtWin::WS_CHILD)) {
    return new wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | BorderStyle(extended_style));
  }
  return new wxFrame(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                     TtWxInternal::TopLevelStyle(style, extended_style));
}

}  // namespace

TtWin::HWND TtBackend::CreateNativeWindow(TtWindow& window, TtWin::HWND parent_handle, TtWin::DWORD style,
                                          TtWin::DWORD extended_style, const char* class_name, int id) {
  if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_window", "::CreateWindowEx", ENXIO);
  wxWindow* parent = parent_handle && !TtWx::IsDesktop(parent_handle) ? ToWx(parent_handle) : nullptr;
  const std::string name = class_name;
  bool is_control = name != TtWindowClassName::Panel;
  if (is_control && !parent) throw TT_SYSTEM_CALL_ERROR("tt_window", "::CreateWindowEx", EINVAL);
  int wx_id = id > 0 ? id : wxID_ANY;
  wxWindow* widget = nullptr;
  if (name == TtWindowClassName::Panel) {
    widget = CreatePanel(parent, wx_id, style, extended_style);
  } else if (name == TtWindowClassName::Static) {
    widget = CreateStatic(parent, wx_id, style);
  } else if (name == TtWindowClassName::Button) {
    widget = CreateButton(parent, wx_id, style);
  } else if (name == TtWindowClassName::Edit) {
    widget = CreateEdit(parent, wx_id, style);
  } else if (name == TtWindowClassName::ListBox) {
    widget = CreateListBox(parent, wx_id, style, extended_style);
  } else if (name == TtWindowClassName::ListView) {
    auto* list_view = dynamic_cast<TtListView*>(&window);
    if (!list_view) throw TT_SYSTEM_CALL_ERROR("tt_window", "::CreateWindowEx", EINVAL);
    widget = TtWxInternal::CreateListView(*list_view, parent, wx_id, style, extended_style);
  } else if (name == TtWindowClassName::ToolBar) {
    widget = TtWxInternal::CreateToolBar(window, parent, wx_id, style, extended_style);
  } else if (name == TtWindowClassName::StatusBar) {
    widget = TtWxInternal::CreateStatusBar(parent, wx_id);
  } else {
    throw TT_SYSTEM_CALL_ERROR("tt_window", "::CreateWindowEx", EINVAL);
  }
  TtWxInternal::BindCommonEvents(widget);
  if (name == TtWindowClassName::Panel) TtWxInternal::BindPanelEvents(widget);
  if (!widget->IsTopLevel() && !(style & TtWin::WS_VISIBLE)) widget->Hide();
  return ToHandle(widget);
}

void TtBackend::DestroyNativeWindow(TtWin::HWND handle) {
  if (!handle || TtWx::IsDesktop(handle) || !platform_initialized) return;
  wxWindow* window = ToWx(handle);
  if (window->IsTopLevel()) {
    // A top-level window goes at the next idle time; hidden at once so it is gone for the user.
    window->Hide();
    window->Destroy();
  } else {
    window->Destroy();
  }
}

bool TtBackend::IsTopLevel(TtWin::HWND handle) {
  if (!handle || TtWx::IsDesktop(handle) || !platform_initialized) return false;
  return ToWx(handle)->IsTopLevel();
}

void TtBackend::ApplyDefaultFont(TtWin::HWND handle) {
  ToWx(handle)->SetFont(TtWx::NativeFont(TtFont::DefaultControlFont()));
}

TtWin::LRESULT TtBackend::DefaultProcessing(TtWindow& window, TtWin::UINT message, TtWin::WPARAM wparam,
                                            TtWin::LPARAM) {
  TtWin::HWND handle = window.GetHandle();
  if (!handle || TtWx::IsDesktop(handle) || !platform_initialized) return 0;
  wxWindow* widget = ToWx(handle);
  switch (message) {
    case TtWin::WM_CLOSE:
      if (dynamic_cast<wxFrame*>(widget)) widget->Destroy();
      return 0;
    case TtWin::WM_SETREDRAW:
      if (auto* list = dynamic_cast<TtListView*>(&window)) {
        if (wparam) {
          list->ResumeUpdates();
        } else {
          list->SuspendUpdates();
        }
      } else if (wparam) {
        if (widget->IsFrozen()) widget->Thaw();
      } else {
        widget->Freeze();
      }
      return 0;
    case TtWin::WM_SIZE:
      if (auto* bar = dynamic_cast<wxStatusBar*>(widget)) TtWxInternal::PlaceStatusBar(bar);
      return 0;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Window operations

namespace {

wxWindow* Widget(const TtWindow& window, const char* call) {
  TtWin::HWND handle = window.GetHandle();
  if (!handle || TtWx::IsDesktop(handle) || !platform_initialized) {
    throw TT_SYSTEM_CALL_ERROR("tt_window", call, EBADF);
  }
  return ToWx(handle);
}

// A hidden top-level window remembers the state it is to be shown in, because the widget set
// applies minimised and maximised states only to a window on screen.
std::map<wxWindow*, int>& PendingShowStates() {
  static std::map<wxWindow*, int> states;
  return states;
}

std::map<wxWindow*, wxRect>& NormalRectangles() {
  static std::map<wxWindow*, wxRect> rectangles;
  return rectangles;
}

void DispatchSizeNow(wxWindow* widget) { TtWxInternal::SendSizeMessage(widget); }

}  // namespace

// Where a window shown with a set placement must end up, and how often the window manager has
// been asked again after it put the window elsewhere.
struct RequestedCorner {
  wxPoint corner;
  int attempts;
};

static std::map<wxWindow*, RequestedCorner>& RequestedCorners() {
  static std::map<wxWindow*, RequestedCorner> corners;
  return corners;
}

// A move away from the requested corner right after mapping is the window manager's own
// placement; it is asked again a few times, then the window stays where it is (the user may
// be moving it).
static void CheckRequestedCorner(wxTopLevelWindow* top) {
  auto request = RequestedCorners().find(top);
  if (request == RequestedCorners().end()) return;
  if (top->GetPosition() == request->second.corner || request->second.attempts >= 3) {
    RequestedCorners().erase(request);
    return;
  }
  ++request->second.attempts;
  wxPoint corner = request->second.corner;
  wxWeakRef<wxTopLevelWindow> alive(top);
  top->CallAfter([alive, corner] {
    if (alive) alive->Move(corner);
  });
}

// Windows shown maximised whose widget has not yet reported the maximised state: until it does,
// the sizes it reports are passing ones and not the normal rectangle.
static std::set<wxWindow*>& MaximisingWindows() {
  static std::set<wxWindow*> windows;
  return windows;
}

void TtWxInternal::RememberNormalRectangle(wxWindow* window) {
  auto* top = dynamic_cast<wxTopLevelWindow*>(window);
  if (!top) return;
  if (top->IsShown()) CheckRequestedCorner(top);
  if (top->IsMaximized()) MaximisingWindows().erase(window);
  if (top->IsIconized() || top->IsMaximized() || MaximisingWindows().count(window) || !top->IsShown()) return;
  NormalRectangles()[window] = top->GetRect();
}

void TtWxInternal::ForgetWindow(wxWindow* window) {
  PendingShowStates().erase(window);
  NormalRectangles().erase(window);
  MaximisingWindows().erase(window);
  RequestedCorners().erase(window);
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
  if (!window->IsTopLevel() && window->GetParent()) corner += ClientOriginOnScreen(window->GetParent());
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
  if (auto* top = dynamic_cast<wxTopLevelWindow*>(widget)) return TtWx::FromWxString(top->GetTitle());
  if (auto* label = dynamic_cast<TtWxInternal::StaticText*>(widget)) return TtWx::FromWxString(label->GetFullText());
  if (auto* edit = dynamic_cast<wxTextCtrl*>(widget)) return TtWx::FromWxString(edit->GetValue());
  return TtWx::FromWxString(widget->GetLabel());
}

void TtWindow::SetPositionSize(int x, int y, int width, int height, bool repaint) {
  wxWindow* widget = Widget(*this, "::MoveWindow");
  RequestedCorners().erase(widget);
  widget->SetSize(x, y, width, height, wxSIZE_ALLOW_MINUS_ONE);
  if (repaint) widget->Refresh();
  DispatchSizeNow(widget);
}

void TtWindow::SetSize(int width, int height) {
  wxWindow* widget = Widget(*this, "::SetWindowPos");
  widget->SetSize(width, height);
  DispatchSizeNow(widget);
}

void TtWindow::SetPosition(int x, int y) {
  wxWindow* widget = Widget(*this, "::SetWindowPos");
  RequestedCorners().erase(widget);
  // A window manager may put a window placed before it is shown elsewhere (a dialog centred on
  // its owner was seen at the screen's corner after a file chooser); it is asked again.
  if (widget->IsTopLevel() && !widget->IsShown()) RequestedCorners()[widget] = {wxPoint(x, y), 0};
  widget->Move(x, y, wxSIZE_ALLOW_MINUS_ONE);
}

TtWin::RECT TtWindow::GetRectangle() const {
  if (TtWx::IsDesktop(GetHandle())) {
    if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_window", "::GetWindowRect", ENXIO);
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
  wxPoint result = wxPoint(point.x, point.y) - TtWx::ClientOriginOnScreen(Widget(*this, "::ScreenToClient"));
  return TtWin::POINT{result.x, result.y};
}

TtWin::POINT TtWindow::ClientToScreen(TtWin::POINT point) const {
  if (TtWx::IsDesktop(GetHandle())) return point;
  wxPoint result = wxPoint(point.x, point.y) + TtWx::ClientOriginOnScreen(Widget(*this, "::ClientToScreen"));
  return TtWin::POINT{result.x, result.y};
}

TtWin::WINDOWPLACEMENT TtWindow::GetWindowPlacement() const {
  wxWindow* widget = Widget(*this, "::GetWindowPlacement");
  TtWin::WINDOWPLACEMENT placement;
  placement.showCmd = IsMinimized()   ? TtWin::SW_SHOWMINIMIZED
                      : IsMaximized() ? TtWin::SW_SHOWMAXIMIZED
                                      : TtWin::SW_SHOWNORMAL;
  // A window on screen in its normal state is where it is now; the remembered rectangle is for
  // a minimised or maximised one.
  auto remembered = NormalRectangles().find(widget);
  bool normal_now = widget->IsShown() && placement.showCmd == TtWin::SW_SHOWNORMAL;
  wxRect normal = remembered != NormalRectangles().end() && !normal_now ? remembered->second : widget->GetRect();
  placement.rcNormalPosition = TtWx::ToRect(normal);
  return placement;
}

namespace {

// How much of a restored window must lie on the screen for the user to reach its title bar.
constexpr std::int64_t kReachableWidth = 64;
constexpr std::int64_t kReachableHeight = 32;

// A stored rectangle as a window can take it: the size computed without overflow and no larger
// than the screen, the corner moved so that the window can be reached again.
wxRect OnScreen(const TtWin::RECT& rectangle) {
  wxRect screen = wxGetClientDisplayRect();
  std::int64_t width = std::clamp<std::int64_t>(std::int64_t{rectangle.right} - rectangle.left, 1, screen.width);
  std::int64_t height = std::clamp<std::int64_t>(std::int64_t{rectangle.bottom} - rectangle.top, 1, screen.height);
  std::int64_t x = std::clamp<std::int64_t>(rectangle.left, screen.x + kReachableWidth - width,
                                            std::int64_t{screen.GetRight()} + 1 - kReachableWidth);
  std::int64_t y = std::clamp<std::int64_t>(rectangle.top, screen.y, std::int64_t{screen.GetBottom()} + 1 - kReachableHeight);
  return wxRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height));
}

}  // namespace

void TtWindow::SetWindowPlacement(const TtWin::WINDOWPLACEMENT& placement) {
  wxWindow* widget = Widget(*this, "::SetWindowPlacement");
  widget->SetSize(OnScreen(placement.rcNormalPosition));
  NormalRectangles()[widget] = widget->GetRect();
  DispatchSizeNow(widget);
  int command = static_cast<int>(placement.showCmd);
  if (command == TtWin::SW_SHOWMINIMIZED || command == TtWin::SW_MINIMIZE) {
    ShowWithCommand(TtWin::SW_MINIMIZE);
  } else if (command == TtWin::SW_SHOWMAXIMIZED) {
    ShowWithCommand(TtWin::SW_MAXIMIZE);
  }
}

void TtWindow::SetWindowPosition(TtWin::HWND insert_after, int x, int y, int width, int height, TtWin::UINT flags) {
  wxWindow* widget = Widget(*this, "::SetWindowPos");
  if (!(flags & TtWin::SWP_NOMOVE)) RequestedCorners().erase(widget);
  if (!(flags & TtWin::SWP_NOMOVE)) widget->Move(x, y, wxSIZE_ALLOW_MINUS_ONE);
  if (!(flags & TtWin::SWP_NOSIZE)) {
    widget->SetSize(width, height);
    DispatchSizeNow(widget);
  }
  if (!(flags & TtWin::SWP_NOZORDER)) {
    if (insert_after == TtWin::HWND_BOTTOM) {
      widget->Lower();
    } else {
      widget->Raise();
    }
  }
  if (flags & TtWin::SWP_SHOWWINDOW) ShowWithCommand(TtWin::SW_SHOW);
  if (flags & TtWin::SWP_HIDEWINDOW) ShowWithCommand(TtWin::SW_HIDE);
}

void TtWindow::ShowWithCommand(int command) {
  wxWindow* widget = Widget(*this, "::ShowWindow");
  auto* top = dynamic_cast<wxTopLevelWindow*>(widget);
  auto& pending = PendingShowStates();
  switch (command) {
    case TtWin::SW_HIDE:
      widget->Hide();
      return;
    case TtWin::SW_MINIMIZE:
    case TtWin::SW_SHOWMINIMIZED:
      if (!top) return;
      if (!top->IsShown()) {
        pending[widget] = TtWin::SW_SHOWMINIMIZED;
      } else {
        top->Iconize(true);
      }
      return;
    case TtWin::SW_MAXIMIZE:
      if (!top) return;
      if (!top->IsShown()) {
        pending[widget] = TtWin::SW_SHOWMAXIMIZED;
      } else {
        top->Maximize(true);
      }
      return;
    case TtWin::SW_RESTORE:
      pending.erase(widget);
      if (top) {
        if (top->IsIconized()) top->Iconize(false);
        if (top->IsMaximized()) {
          top->Maximize(false);
          // The window manager may not know the normal size of a window first shown maximised.
          auto normal = NormalRectangles().find(widget);
          if (normal != NormalRectangles().end()) top->SetSize(normal->second);
        }
      }
      break;
    default:
      break;
  }
  if (widget->IsShown()) return;
  if (top) {
    // Laid out before it appears, as the platform sends the first size message on showing.
    DispatchSizeNow(widget);
    auto state = pending.find(widget);
    int pending_state = state == pending.end() ? TtWin::SW_SHOWNORMAL : state->second;
    pending.erase(widget);
    if (pending_state == TtWin::SW_SHOWMAXIMIZED) MaximisingWindows().insert(widget);
    top->Show();
    // A window manager may put a new window where it likes; a placement that was set is asked
    // for again once the window is mapped.
    auto placed = NormalRectangles().find(widget);
    if (placed != NormalRectangles().end() && pending_state == TtWin::SW_SHOWNORMAL) {
      RequestedCorners()[widget] = {placed->second.GetPosition(), 0};
      top->Move(placed->second.GetPosition());
    }
    if (pending_state == TtWin::SW_SHOWMAXIMIZED) top->Maximize(true);
    if (pending_state == TtWin::SW_SHOWMINIMIZED) top->Iconize(true);
  } else {
    widget->Show();
  }
}

bool TtWindow::IsVisible() const { return Widget(*this, "::IsWindowVisible")->IsShown(); }

bool TtWindow::IsMinimized() const {
  wxWindow* widget = Widget(*this, "::IsIconic");
  auto state = PendingShowStates().find(widget);
  if (state != PendingShowStates().end()) return state->second == TtWin::SW_SHOWMINIMIZED;
  auto* top = dynamic_cast<wxTopLevelWindow*>(widget);
  return top && top->IsIconized();
}

bool TtWindow::IsMaximized() const {
  wxWindow* widget = Widget(*this, "::IsZoomed");
  auto state = PendingShowStates().find(widget);
  if (state != PendingShowStates().end()) return state->second == TtWin::SW_SHOWMAXIMIZED;
  auto* top = dynamic_cast<wxTopLevelWindow*>(widget);
  return top && top->IsMaximized();
}

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
  if (!platform_initialized) return;
  if (wxWindow* captured = wxWindow::GetCapture()) captured->ReleaseMouse();
}

namespace {

class FileDrop : public wxFileDropTarget {
public:
  explicit FileDrop(std::function<void(const std::vector<std::string>&)> handler) : handler_(std::move(handler)) {}
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

void SetFileDrop(wxWindow* window, const std::function<void(const std::vector<std::string>&)>& handler) {
  window->SetDropTarget(new FileDrop(handler));
  for (wxWindow* child : window->GetChildren()) SetFileDrop(child, handler);
}

}  // namespace

void TtWindow::AcceptFileDrops(std::function<void(const std::vector<std::string>& paths)> handler) {
  SetFileDrop(Widget(*this, "::DragAcceptFiles"), handler);
}

TtWin::POINT TtWindow::GetCursorPosition() {
  if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_window", "::GetCursorPos", ENXIO);
  wxPoint point = wxGetMousePosition();
  return TtWin::POINT{point.x, point.y};
}
