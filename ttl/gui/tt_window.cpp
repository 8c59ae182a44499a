#include "ttl/gui/tt_window.h"

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_backend.h"

namespace {

// Handle table: every window the toolkit created or took over. One thread, no locks.
std::map<TtWin::HWND, TtWindow*>& HandleTable() {
  static std::map<TtWin::HWND, TtWindow*> table;
  return table;
}

void EnterHandle(TtWin::HWND handle, TtWindow* window) { HandleTable()[handle] = window; }

void RemoveHandle(TtWin::HWND handle, const TtWindow* window) {
  auto& table = HandleTable();
  auto found = table.find(handle);
  if (found != table.end() && found->second == window) table.erase(found);
}

}  // namespace

TtWindow::TtWindow() = default;

TtWindow::~TtWindow() {
  if (!handle_) return;
  TtWin::HWND handle = handle_;
  RemoveHandle(handle, this);
  handle_ = nullptr;
  if (TtBackend::IsTopLevel(handle)) TtBackend::DestroyNativeWindow(handle);
}

bool TtWindow::Created() { return true; }

void TtWindow::Create(const CreateParameter& parameter) {
  parent_ = parameter.parent;
  id_ = parameter.id;
  instance_ = parameter.instance ? parameter.instance
              : parameter.parent ? parameter.parent->instance_
                                 : nullptr;
  TtWin::DWORD style = GetStyle();
  if (parameter.parent && parameter.child) style |= TtWin::WS_CHILD;
  if (parameter.group) style |= TtWin::WS_GROUP;
  TtWin::HWND parent_handle = parameter.parent ? parameter.parent->handle_ : nullptr;
  TtWin::HWND handle = TtBackend::CreateNativeWindow(*this, parent_handle, style,
                                                     GetExtendedStyle(), GetClassName(), id_);
  TtBackend::ApplyDefaultFont(handle);
  AttachHandle(handle);
  if (!Created()) {
    ForgetHandle();
    TtBackend::DestroyNativeWindow(handle);
  }
}

TtWindow* TtWindow::FromHandle(TtWin::HWND handle) {
  auto& table = HandleTable();
  auto found = table.find(handle);
  return found == table.end() ? nullptr : found->second;
}

void TtWindow::AttachHandle(TtWin::HWND handle) {
  // A window object created again (a dialog shown a second time) lets go of its old window.
  if (handle_ && handle_ != handle) RemoveHandle(handle_, this);
  handle_ = handle;
  EnterHandle(handle, this);
}

void TtWindow::SetHandleOutsideTable(TtWin::HWND handle) { handle_ = handle; }

void TtWindow::ForgetHandle() {
  if (!handle_) return;
  RemoveHandle(handle_, this);
  handle_ = nullptr;
}

void TtWindow::RequireHandle(const char* call) const {
  if (!handle_) throw TT_SYSTEM_CALL_ERROR("tt_window", call, EBADF);
}

void TtWindow::RegisterMessageHandler(TtWin::UINT message, MessageHandler handler, bool chain) {
  auto found = message_handlers_.find(message);
  if (chain && found != message_handlers_.end() && found->second) {
    std::shared_ptr<const MessageHandler> old_handler = found->second;
    std::shared_ptr<const MessageHandler> new_handler =
        std::make_shared<const MessageHandler>(std::move(handler));
    found->second = std::make_shared<const MessageHandler>(
        [new_handler, old_handler](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
          WMResult result = *new_handler ? (*new_handler)(wparam, lparam) : NotHandled();
          if (result.handled) return result;
          return *old_handler ? (*old_handler)(wparam, lparam) : NotHandled();
        });
    return;
  }
  message_handlers_[message] = std::make_shared<const MessageHandler>(std::move(handler));
}

void TtWindow::UnregisterMessageHandler(TtWin::UINT message) { message_handlers_.erase(message); }

TtWindow::MessageHandler TtWindow::GetMessageHandler(TtWin::UINT message) const {
  auto found = message_handlers_.find(message);
  if (found == message_handlers_.end() || !found->second) return MessageHandler();
  return *found->second;
}

void TtWindow::RegisterCloseHandler(std::function<WMResult()> handler, bool chain) {
  RegisterMessageHandler(
      TtWin::WM_CLOSE, [handler](TtWin::WPARAM, TtWin::LPARAM) { return handler(); }, chain);
}

void TtWindow::RegisterDestroyHandler(std::function<WMResult()> handler, bool chain) {
  RegisterMessageHandler(
      TtWin::WM_DESTROY, [handler](TtWin::WPARAM, TtWin::LPARAM) { return handler(); }, chain);
}

void TtWindow::RegisterPaintHandler(std::function<WMResult()> handler, bool chain) {
  RegisterMessageHandler(
      TtWin::WM_PAINT, [handler](TtWin::WPARAM, TtWin::LPARAM) { return handler(); }, chain);
}

void TtWindow::RegisterSizeHandler(std::function<WMResult(int, int, int)> handler, bool chain) {
  RegisterMessageHandler(
      TtWin::WM_SIZE,
      [handler](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
        return handler(static_cast<int>(wparam), TtWin::SignedLowWord(lparam),
                       TtWin::SignedHighWord(lparam));
      },
      chain);
}

void TtWindow::RegisterMouseMoveHandler(std::function<WMResult(int, int, int)> handler,
                                        bool chain) {
  RegisterMessageHandler(
      TtWin::WM_MOUSEMOVE,
      [handler](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
        return handler(static_cast<int>(wparam), TtWin::SignedLowWord(lparam),
                       TtWin::SignedHighWord(lparam));
      },
      chain);
}

void TtWindow::RegisterLeftButtonUpHandler(std::function<WMResult(int, int, int)> handler,
                                           bool chain) {
  RegisterMessageHandler(
      TtWin::WM_LBUTTONUP,
      [handler](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
        return handler(static_cast<int>(wparam), TtWin::SignedLowWord(lparam),
                       TtWin::SignedHighWord(lparam));
      },
      chain);
}

TtWindow::WMResult TtWindow::DispatchToHandler(TtWin::UINT message, TtWin::WPARAM wparam,
                                               TtWin::LPARAM lparam) {
  auto found = message_handlers_.find(message);
  if (found == message_handlers_.end() || !found->second || !*found->second) return NotHandled();
  // Held for the call: the handler may replace itself while it runs.
  std::shared_ptr<const MessageHandler> handler = found->second;
  return (*handler)(wparam, lparam);
}

TtWin::LRESULT TtWindow::ProcessMessage(TtWin::UINT message, TtWin::WPARAM wparam,
                                        TtWin::LPARAM lparam) {
  WMResult result = DispatchToHandler(message, wparam, lparam);
  if (result.handled) return result.result;
  return TtBackend::DefaultProcessing(*this, message, wparam, lparam);
}

TtWin::LRESULT TtWindow::WindowProcedure(TtWin::HWND handle, TtWin::UINT message,
                                         TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
  if (TtWindow* window = FromHandle(handle)) return window->ProcessMessage(message, wparam, lparam);
  return 0;
}

TtWin::LRESULT TtWindow::SendMessage(TtWin::UINT message, TtWin::WPARAM wparam,
                                     TtWin::LPARAM lparam) {
  return ProcessMessage(message, wparam, lparam);
}

void TtWindow::PostMessage(TtWin::UINT message, TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
  RequireHandle("::PostMessage");
  TtBackend::PostMessage(handle_, message, wparam, lparam);
}

void TtWindow::OverrideWindowProcedure() {
  overridden_ = true;
  if (handle_ && FromHandle(handle_) != this) EnterHandle(handle_, this);
}

TtWin::POINT TtWindow::CenterPosition(const TtWin::RECT& parent, int width, int height,
                                      const TtWin::RECT& desktop) {
  TtWin::POINT point;
  point.x = (parent.left + parent.right) / 2 - width / 2;
  if (point.x < 0) {
    point.x = 0;
  } else if (point.x + width > desktop.right) {
    point.x = desktop.right - width;
  }
  point.y = (parent.top + parent.bottom) / 2 - height / 2;
  if (point.y < 0) {
    point.y = 0;
  } else if (point.y + height > desktop.bottom) {
    point.y = desktop.bottom - height;
  }
  return point;
}

void TtWindow::SetCenterRelativeToParent() {
  RequireHandle("::MoveWindow");
  TtWin::RECT parent_rectangle = parent_ && parent_->IsCreated()
                                     ? parent_->GetRectangle()
                                     : TtExtraordinarilyWindow::Desktop().GetRectangle();
  TtWin::RECT own = GetRectangle();
  TtWin::POINT point = CenterPosition(parent_rectangle, own.right - own.left, own.bottom - own.top,
                                      TtExtraordinarilyWindow::Desktop().GetRectangle());
  SetPosition(point.x, point.y);
}

TtExtraordinarilyWindow::TtExtraordinarilyWindow(TtWin::HWND handle, TtWindow* parent) {
  SetParentWindow(parent);
  // Not entered in the handle table: messages to such a window are none of the toolkit's business.
  SetHandleOutsideTable(handle);
}

TtExtraordinarilyWindow::~TtExtraordinarilyWindow() { SetHandleOutsideTable(nullptr); }

void TtExtraordinarilyWindow::Create(const CreateParameter&) {
  throw TtInvalidOperationException(typeid(*this));
}

TtExtraordinarilyWindow& TtExtraordinarilyWindow::Desktop() {
  static TtExtraordinarilyWindow desktop(TtBackend::DesktopHandle());
  return desktop;
}

TtPanel::TtPanel(bool forward) : forward_(forward) {}

bool TtPanel::Created() {
  RegisterMessageHandler(TtWin::WM_COMMAND, [this](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
    return DispatchCommand(wparam, lparam);
  });
  RegisterMessageHandler(TtWin::WM_NOTIFY, [this](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
    return DispatchNotify(wparam, lparam);
  });
  RegisterMessageHandler(TtWin::WM_MENUCOMMAND, [this](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
    return DispatchMenuCommand(wparam, lparam);
  });
  return true;
}

void TtPanel::RegisterCommandHandler(int id, CommandHandler handler) {
  command_table_[id].push_back(std::make_shared<const CommandHandler>(std::move(handler)));
}

void TtPanel::RegisterNotifyHandler(int id, NotifyHandler handler) {
  notify_table_[id].push_back(std::make_shared<const NotifyHandler>(std::move(handler)));
}

void TtPanel::RegisterMenuCommandHandler(TtWin::HMENU menu, MenuCommandHandler handler) {
  menu_table_[menu].push_back(std::make_shared<const MenuCommandHandler>(std::move(handler)));
}

namespace {

// Calls the handlers of one key in order until one takes the message. The list is read by
// index and each handler held while it runs, so a handler may register more handlers.
template <class Table, class Key, class... Arguments>
TtWindow::WMResult CallInOrder(Table& table, const Key& key, Arguments... arguments) {
  for (size_t index = 0;; ++index) {
    auto found = table.find(key);
    if (found == table.end() || index >= found->second.size()) return TtWindow::NotHandled();
    auto handler = found->second[index];
    if (!*handler) continue;
    TtWindow::WMResult result = (*handler)(arguments...);
    if (result.handled) return result;
  }
}

}  // namespace

TtWindow::WMResult TtPanel::DispatchCommand(TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
  int id = TtWin::LowWord(wparam);
  int code = TtWin::HighWord(wparam);
  auto control = reinterpret_cast<TtWin::HWND>(lparam);
  WMResult result = CallInOrder(command_table_, id, code, control);
  if (!result.handled && forward_ && GetParent())
    GetParent()->SendMessage(TtWin::WM_COMMAND, wparam, lparam);
  return Handled(0);
}

TtWindow::WMResult TtPanel::DispatchNotify(TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
  auto* header = reinterpret_cast<TtWin::NMHDR*>(lparam);
  WMResult result = CallInOrder(notify_table_, static_cast<int>(wparam), header);
  if (result.handled) return result;
  if (forward_ && GetParent())
    return Handled(GetParent()->SendMessage(TtWin::WM_NOTIFY, wparam, lparam));
  return Handled(0);
}

TtWindow::WMResult TtPanel::DispatchMenuCommand(TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
  auto menu = reinterpret_cast<TtWin::HMENU>(lparam);
  int position = static_cast<int>(wparam);
  if (menu_table_.count(menu)) {
    WMResult result = CallInOrder(menu_table_, menu, position);
    return result.handled ? result : Handled(0);
  }
  // A menu nobody listens to by position: its items reach the command table like ordinary items.
  int id = TtMenu(menu).GetItemId(position);
  MessageHandler command = GetMessageHandler(TtWin::WM_COMMAND);
  if (!command) return NotHandled();
  return command(TtWin::MakeWParam(id, 0), 0);
}
