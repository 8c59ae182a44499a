// Where top-level windows are and in which state they are shown: the window manager places,
// maximises and restores them in its own time, so each window keeps a record of what it was asked.
#include <wx/clntdata.h>
#include <wx/weakref.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>

#include "ttl/gui/tt_backend.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_internal.h"

using TtWxInternal::Widget;

namespace {

// Where a window shown with a set placement must end up, how often the window manager has been
// asked again after it put the window elsewhere, and until when it is watched: the widget set
// reports the asked position before the window manager has placed the window, so a report at
// the corner does not mean the window manager agreed.
struct RequestedCorner {
  explicit RequestedCorner(wxPoint asked) : corner(asked) { WatchFromNow(); }
  void WatchFromNow() {
    watched_until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  }

  wxPoint corner;
  int attempts = 0;
  std::chrono::steady_clock::time_point watched_until;
};

// What the backend keeps of one top-level window between the widget set's events. The widget
// owns it as its client object, so it goes with the window and a later window at the same
// address starts afresh.
struct WindowRecord : wxClientData {
  // A hidden window remembers the state it is to be shown in, because the widget set applies
  // minimised and maximised states only to a window on screen.
  std::optional<int> pending_show_state;
  std::optional<wxRect> normal_rectangle;
  std::optional<RequestedCorner> requested_corner;
  // Shown maximised, but the widget has not yet reported the maximised state: until it does,
  // the sizes it reports are passing ones and not the normal rectangle.
  bool maximising = false;
  // Reported maximised: when it is reported normal again the window manager has restored it.
  bool maximised = false;
  // Shown at its normal rectangle, which the widget set has not yet reported: until it does
  // (or for two seconds), the rectangles it reports are passing ones.
  std::optional<wxRect> placing;
  std::chrono::steady_clock::time_point placing_until;
};

bool IsPlacing(const WindowRecord& record) {
  return record.placing && std::chrono::steady_clock::now() < record.placing_until;
}

WindowRecord* FindRecord(wxWindow* window) {
  return dynamic_cast<WindowRecord*>(static_cast<wxEvtHandler*>(window)->GetClientObject());
}

WindowRecord& RecordOf(wxWindow* window) {
  if (WindowRecord* record = FindRecord(window)) return *record;
  auto* record = new WindowRecord;
  static_cast<wxEvtHandler*>(window)->SetClientObject(record);
  return *record;
}

void DispatchSizeNow(wxWindow* widget) { TtWxInternal::SendSizeMessage(widget); }

// A move away from the requested corner in the first moments on screen is the window manager's
// own placement; it is asked again a few times, then the window stays where it is (the user may
// be moving it).
void CheckRequestedCorner(wxTopLevelWindow* top, WindowRecord& record) {
  if (!record.requested_corner) return;
  RequestedCorner& request = *record.requested_corner;
  if (request.attempts >= 3 || std::chrono::steady_clock::now() > request.watched_until) {
    record.requested_corner.reset();
    return;
  }
  if (top->GetPosition() == request.corner) return;
  ++request.attempts;
  // At once rather than after the event: at start-up the work waits for the window to be in
  // place before the message loop runs.
  top->Move(request.corner);
}

void ForgetRequestedCorner(wxWindow* widget) {
  if (WindowRecord* record = FindRecord(widget)) record->requested_corner.reset();
}

// A window first shown maximised and restored by the window manager gets the size the window
// manager knew it by, which is the widget set's passing one (a strip of a menu bar's width); it
// is given its normal rectangle, after the restore has been handled.
void RestoreNormalRectangle(wxTopLevelWindow* top, const wxRect& normal) {
  if (top->GetRect() == normal) return;
  wxWeakRef<wxTopLevelWindow> alive(top);
  top->CallAfter([alive, normal] {
    if (alive && !alive->IsMaximized() && !alive->IsIconized()) alive->SetSize(normal);
  });
}

// How much of a restored window must lie on the screen for the user to reach its title bar.
constexpr std::int64_t kReachableWidth = 64;
constexpr std::int64_t kReachableHeight = 32;

// A stored rectangle as a window can take it: the size computed without overflow and no larger
// than the screen, the corner moved so that the window can be reached again.
wxRect OnScreen(const TtWin::RECT& rectangle) {
  wxRect screen = wxGetClientDisplayRect();
  std::int64_t width =
      std::clamp<std::int64_t>(std::int64_t{rectangle.right} - rectangle.left, 1, screen.width);
  std::int64_t height =
      std::clamp<std::int64_t>(std::int64_t{rectangle.bottom} - rectangle.top, 1, screen.height);
  std::int64_t x = std::clamp<std::int64_t>(rectangle.left, screen.x + kReachableWidth - width,
                                            std::int64_t{screen.GetRight()} + 1 - kReachableWidth);
  std::int64_t y = std::clamp<std::int64_t>(
      rectangle.top, screen.y, std::int64_t{screen.GetBottom()} + 1 - kReachableHeight);
  return wxRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                static_cast<int>(height));
}

}  // namespace

void TtWxInternal::RememberNormalRectangle(wxWindow* window) {
  auto* top = dynamic_cast<wxTopLevelWindow*>(window);
  if (!top) return;
  WindowRecord& record = RecordOf(window);
  if (top->IsShown()) CheckRequestedCorner(top, record);
  if (top->IsMaximized()) {
    record.maximising = false;
    record.maximised = true;
  }
  if (top->IsIconized() || top->IsMaximized() || record.maximising || !top->IsShown()) return;
  if (std::exchange(record.maximised, false) && record.normal_rectangle) {
    RestoreNormalRectangle(top, *record.normal_rectangle);
    return;
  }
  // Reports before the window is on screen say what was asked, not where the window manager put
  // the window.
  if (IsPlacing(record) && (TtWxInternal::AwaitsScreen(top) || top->GetRect() != *record.placing))
    return;
  record.placing.reset();
  record.normal_rectangle = top->GetRect();
}

bool TtWxInternal::AwaitsPlacement(wxWindow* window) {
  WindowRecord* record = FindRecord(window);
  return record && window->IsShown() && IsPlacing(*record);
}

void TtWindow::SetPositionSize(int x, int y, int width, int height, bool repaint) {
  wxWindow* widget = Widget(*this, "::MoveWindow");
  ForgetRequestedCorner(widget);
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
  ForgetRequestedCorner(widget);
  // A window manager may put a window placed before it is shown elsewhere (a dialog centred on
  // its owner was seen at the screen's corner after a file chooser); it is asked again.
  if (widget->IsTopLevel() && !widget->IsShown())
    RecordOf(widget).requested_corner = RequestedCorner(wxPoint(x, y));
  widget->Move(x, y, wxSIZE_ALLOW_MINUS_ONE);
}

TtWin::WINDOWPLACEMENT TtWindow::GetWindowPlacement() const {
  wxWindow* widget = Widget(*this, "::GetWindowPlacement");
  TtWin::WINDOWPLACEMENT placement;
  placement.showCmd = IsMinimized()   ? TtWin::SW_SHOWMINIMIZED
                      : IsMaximized() ? TtWin::SW_SHOWMAXIMIZED
                                      : TtWin::SW_SHOWNORMAL;
  // A window on screen in its normal state is where it is now, unless the window manager is
  // still placing it; the remembered rectangle is for a minimised or maximised one.
  WindowRecord* record = FindRecord(widget);
  bool normal_now = widget->IsShown() && placement.showCmd == TtWin::SW_SHOWNORMAL;
  wxRect normal = widget->GetRect();
  if (record && IsPlacing(*record)) {
    normal = *record->placing;
  } else if (record && record->normal_rectangle && !normal_now) {
    normal = *record->normal_rectangle;
  }
  placement.rcNormalPosition = TtWx::ToRect(normal);
  return placement;
}

void TtWindow::SetWindowPlacement(const TtWin::WINDOWPLACEMENT& placement) {
  wxWindow* widget = Widget(*this, "::SetWindowPlacement");
  widget->SetSize(OnScreen(placement.rcNormalPosition));
  RecordOf(widget).normal_rectangle = widget->GetRect();
  DispatchSizeNow(widget);
  int command = static_cast<int>(placement.showCmd);
  if (command == TtWin::SW_SHOWMINIMIZED || command == TtWin::SW_MINIMIZE) {
    ShowWithCommand(TtWin::SW_MINIMIZE);
  } else if (command == TtWin::SW_SHOWMAXIMIZED) {
    ShowWithCommand(TtWin::SW_MAXIMIZE);
  }
}

void TtWindow::SetWindowPosition(TtWin::HWND insert_after, int x, int y, int width, int height,
                                 TtWin::UINT flags) {
  wxWindow* widget = Widget(*this, "::SetWindowPos");
  if (!(flags & TtWin::SWP_NOMOVE)) ForgetRequestedCorner(widget);
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
  if (!top) {
    bool state_only = command == TtWin::SW_MINIMIZE || command == TtWin::SW_SHOWMINIMIZED ||
                      command == TtWin::SW_MAXIMIZE;
    if (command == TtWin::SW_HIDE) {
      widget->Hide();
    } else if (!state_only) {
      widget->Show();
    }
    return;
  }
  WindowRecord& record = RecordOf(widget);
  switch (command) {
    case TtWin::SW_HIDE:
      widget->Hide();
      return;
    case TtWin::SW_MINIMIZE:
    case TtWin::SW_SHOWMINIMIZED:
      if (!top->IsShown()) {
        record.pending_show_state = TtWin::SW_SHOWMINIMIZED;
      } else {
        top->Iconize(true);
      }
      return;
    case TtWin::SW_MAXIMIZE:
      if (!top->IsShown()) {
        record.pending_show_state = TtWin::SW_SHOWMAXIMIZED;
      } else {
        top->Maximize(true);
      }
      return;
    case TtWin::SW_RESTORE:
      record.pending_show_state.reset();
      if (top->IsIconized()) top->Iconize(false);
      if (top->IsMaximized()) {
        top->Maximize(false);
        // The window manager may not know the normal size of a window first shown maximised.
        if (record.normal_rectangle) top->SetSize(*record.normal_rectangle);
      }
      break;
    default:
      break;
  }
  if (widget->IsShown()) return;
  // Laid out before it appears, as the platform sends the first size message on showing.
  DispatchSizeNow(widget);
  int pending_state = record.pending_show_state.value_or(TtWin::SW_SHOWNORMAL);
  record.pending_show_state.reset();
  if (pending_state == TtWin::SW_SHOWMAXIMIZED) record.maximising = true;
  // A window manager may put a new window where it likes; a placement that was set is asked
  // for again once the window is mapped. Set before showing, which reports passing sizes.
  bool placed = record.normal_rectangle && pending_state == TtWin::SW_SHOWNORMAL;
  if (placed) {
    record.requested_corner = RequestedCorner(record.normal_rectangle->GetPosition());
    record.placing = record.normal_rectangle;
    record.placing_until = record.requested_corner->watched_until;
  } else if (record.requested_corner) {
    record.requested_corner->WatchFromNow();
  }
  // A window shown beside the one the user works in leaves it the keyboard.
  if (command == TtWin::SW_SHOWNOACTIVATE) {
    top->ShowWithoutActivating();
  } else {
    top->Show();
  }
  if (placed) top->Move(record.requested_corner->corner);
  if (pending_state == TtWin::SW_SHOWMAXIMIZED) top->Maximize(true);
  if (pending_state == TtWin::SW_SHOWMINIMIZED) top->Iconize(true);
}

bool TtWindow::IsMinimized() const {
  wxWindow* widget = Widget(*this, "::IsIconic");
  WindowRecord* record = FindRecord(widget);
  if (record && record->pending_show_state)
    return *record->pending_show_state == TtWin::SW_SHOWMINIMIZED;
  auto* top = dynamic_cast<wxTopLevelWindow*>(widget);
  return top && top->IsIconized();
}

bool TtWindow::IsMaximized() const {
  wxWindow* widget = Widget(*this, "::IsZoomed");
  WindowRecord* record = FindRecord(widget);
  if (record && record->pending_show_state)
    return *record->pending_show_state == TtWin::SW_SHOWMAXIMIZED;
  auto* top = dynamic_cast<wxTopLevelWindow*>(widget);
  return top && top->IsMaximized();
}
