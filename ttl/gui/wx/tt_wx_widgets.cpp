// Making the widget of each window kind.
#include <wx/statusbr.h>
#include <wx/weakref.h>

#include <cerrno>
#include <memory>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"
#include "ttl/gui/tt_font.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_window_controls.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_internal.h"

using TtWx::ToHandle;
using TtWx::ToWx;

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
    box->Bind(wxEVT_CHECKBOX,
              [box](wxCommandEvent&) { TtWx::SendCommandToParent(box, TtWin::BN_CLICKED); });
    return box;
  }
  auto* button = new wxButton(parent, id, wxEmptyString);
  button->Bind(wxEVT_BUTTON,
               [button](wxCommandEvent&) { TtWx::SendCommandToParent(button, TtWin::BN_CLICKED); });
  return button;
}

wxWindow* CreateEdit(wxWindow* parent, int id, TtWin::DWORD style) {
  auto* edit = new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0);
  edit->Bind(wxEVT_TEXT,
             [edit](wxCommandEvent&) { TtWx::SendCommandToParent(edit, TtWin::EN_CHANGE); });
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
      if (alive && !*user_acted && alive->GetSelection() != wxNOT_FOUND)
        alive->SetSelection(wxNOT_FOUND);
    });
  });
}

wxWindow* CreateListBox(wxWindow* parent, int id, TtWin::DWORD style, TtWin::DWORD extended_style) {
  long wx_style = (style & TtWin::LBS_MULTIPLESEL) ? wxLB_MULTIPLE : wxLB_SINGLE;
  if (style & TtWin::WS_HSCROLL) wx_style |= wxLB_HSCROLL;
  wx_style |= BorderStyle(extended_style);
  auto* list = new wxListBox(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, wx_style);
  list->Bind(wxEVT_LISTBOX,
             [list](wxCommandEvent&) { TtWx::SendCommandToParent(list, TtWin::LBN_SELCHANGE); });
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
  list->Bind(wxEVT_LISTBOX_DCLICK,
             [list](wxCommandEvent&) { TtWx::SendCommandToParent(list, TtWin::LBN_DBLCLK); });
  return list;
}

wxWindow* CreatePanel(wxWindow* parent, int id, TtWin::DWORD style, TtWin::DWORD extended_style) {
  if (parent && (style & TtWin::WS_CHILD)) {
    return new wxPanel(parent, id, wxDefaultPosition, wxDefaultSize,
                       wxTAB_TRAVERSAL | BorderStyle(extended_style));
  }
  return new wxFrame(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                     TtWxInternal::TopLevelStyle(style, extended_style));
}

}  // namespace

TtWin::HWND TtBackend::CreateNativeWindow(TtWindow& window, TtWin::HWND parent_handle,
                                          TtWin::DWORD style, TtWin::DWORD extended_style,
                                          const char* class_name, int id) {
  if (!TtWxInternal::PlatformReady())
    throw TT_SYSTEM_CALL_ERROR("tt_window", "::CreateWindowEx", ENXIO);
  wxWindow* parent =
      parent_handle && !TtWx::IsDesktop(parent_handle) ? ToWx(parent_handle) : nullptr;
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
  if (!handle || TtWx::IsDesktop(handle) || !TtWxInternal::PlatformReady()) return;
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
  if (!handle || TtWx::IsDesktop(handle) || !TtWxInternal::PlatformReady()) return false;
  return ToWx(handle)->IsTopLevel();
}

void TtBackend::ApplyDefaultFont(TtWin::HWND handle) {
  ToWx(handle)->SetFont(TtWx::NativeFont(TtFont::DefaultControlFont()));
}

TtWin::LRESULT TtBackend::DefaultProcessing(TtWindow& window, TtWin::UINT message,
                                            TtWin::WPARAM wparam, TtWin::LPARAM) {
  TtWin::HWND handle = window.GetHandle();
  if (!handle || TtWx::IsDesktop(handle) || !TtWxInternal::PlatformReady()) return 0;
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
