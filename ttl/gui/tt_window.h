#pragma once
// Windows and the way messages reach application code: every window keeps a table of message
// handlers (std::function objects registered by the application, usually lambdas in a creation
// hook), and panels add tables for commands, notifications and position-reporting menus, with
// forwarding of untaken commands and notifications to the parent. The widget set underneath is
// the backend's business; the handler tables and dispatch rules here run without a display.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ttl/core/tt_win.h"

class TtFont;
class TtIcon;

// The platform window class names that select what kind of control a window is.
namespace TtWindowClassName {
inline constexpr char Panel[] = "TTPANEL";
inline constexpr char Static[] = "STATIC";
inline constexpr char Button[] = "BUTTON";
inline constexpr char ListBox[] = "LISTBOX";
inline constexpr char Edit[] = "EDIT";
inline constexpr char ListView[] = "SysListView32";
inline constexpr char ToolBar[] = "ToolbarWindow32";
inline constexpr char StatusBar[] = "msctls_statusbar32";
}  // namespace TtWindowClassName

class TtWindow {
public:
  // What a handler answers: handled ends dispatch and result is what the window procedure
  // returns; not handled lets the next handler or the default processing run.
  struct WMResult {
    bool handled = false;
    TtWin::LRESULT result = 0;
  };
  static constexpr WMResult Handled(TtWin::LRESULT result = 0) { return WMResult{true, result}; }
  static constexpr WMResult NotHandled() { return WMResult{false, 0}; }

  using MessageHandler = std::function<WMResult(TtWin::WPARAM, TtWin::LPARAM)>;

  struct CreateParameter {
    CreateParameter() = default;
    CreateParameter(TtWindow* parent) : parent(parent) {}  // NOLINT: the usual shortcut
    CreateParameter(TtWindow* parent, int id) : parent(parent), id(id) {}

    TtWindow* parent = nullptr;
    int id = 0;
    // Left empty, the parent's instance is used, else the program's own.
    TtWin::HINSTANCE instance = nullptr;
    void* creation_data = nullptr;
    // Adds the child style when a parent is given.
    bool child = true;
    bool group = false;
  };

  TtWindow();
  TtWindow(const TtWindow&) = delete;
  TtWindow& operator=(const TtWindow&) = delete;
  // Removes the handle from the handle table. Child windows die with their parent window; a
  // top-level window that is still open is closed, so that no window outlives its object.
  virtual ~TtWindow();

  virtual TtWin::DWORD GetStyle() const = 0;
  virtual TtWin::DWORD GetExtendedStyle() const = 0;
  virtual const char* GetClassName() const = 0;
  // Runs right after the platform window exists; false destroys the new window again.
  virtual bool Created();
  // Creates the platform window ("::CreateWindowEx" on failure), gives it the default control
  // font, enters it in the handle table and calls Created(). Controls are created hidden.
  virtual void Create(const CreateParameter& parameter);

  TtWin::HWND GetHandle() const { return handle_; }
  bool IsCreated() const { return handle_ != nullptr; }
  TtWindow* GetParent() const { return parent_; }
  int GetId() const { return id_; }
  TtWin::HINSTANCE GetInstance() const { return instance_; }

  // The object of a handle in the handle table, or null.
  static TtWindow* FromHandle(TtWin::HWND handle);

  // Handler tables. Without chaining a new handler replaces the old one; with chaining the new
  // one runs first and the old one runs only when the new one reports not handled.
  void RegisterMessageHandler(TtWin::UINT message, MessageHandler handler, bool chain = false);
  void UnregisterMessageHandler(TtWin::UINT message);
  // A copy of the handler, empty when there is none.
  MessageHandler GetMessageHandler(TtWin::UINT message) const;
  void RegisterCloseHandler(std::function<WMResult()> handler, bool chain = false);
  void RegisterDestroyHandler(std::function<WMResult()> handler, bool chain = false);
  void RegisterPaintHandler(std::function<WMResult()> handler, bool chain = false);
  // kind is SIZE_RESTORED, SIZE_MINIMIZED or SIZE_MAXIMIZED; width and height are the client's.
  void RegisterSizeHandler(std::function<WMResult(int kind, int width, int height)> handler,
                           bool chain = false);
  // keys are the MK_ flags; x and y are client coordinates.
  void RegisterMouseMoveHandler(std::function<WMResult(int keys, int x, int y)> handler,
                                bool chain = false);
  void RegisterLeftButtonUpHandler(std::function<WMResult(int keys, int x, int y)> handler,
                                   bool chain = false);

  // Runs the message through this window's handler only (no default processing).
  WMResult DispatchToHandler(TtWin::UINT message, TtWin::WPARAM wparam, TtWin::LPARAM lparam);
  // The window procedure: the handler, then the default processing of the window's kind.
  TtWin::LRESULT ProcessMessage(TtWin::UINT message, TtWin::WPARAM wparam, TtWin::LPARAM lparam);
  // The window procedure by handle: a handle outside the handle table gets default processing.
  static TtWin::LRESULT WindowProcedure(TtWin::HWND handle, TtWin::UINT message,
                                        TtWin::WPARAM wparam, TtWin::LPARAM lparam);
  // Sends the message to this window at once and returns the answer.
  TtWin::LRESULT SendMessage(TtWin::UINT message, TtWin::WPARAM wparam = 0,
                             TtWin::LPARAM lparam = 0);
  // Queues the message; it is processed by the message loop.
  void PostMessage(TtWin::UINT message, TtWin::WPARAM wparam = 0, TtWin::LPARAM lparam = 0);
  // Takes over a window: its messages reach this object's handlers first and its previous
  // processing otherwise.
  void OverrideWindowProcedure();
  bool IsOverridden() const { return overridden_; }

  // Window operations; each throws TtWindowsSystemCallException when the window is missing.
  void SetText(const std::string& text);
  std::string GetText() const;
  void SetPositionSize(int x, int y, int width, int height, bool repaint = true);
  void SetSize(int width, int height);
  void SetPosition(int x, int y);
  // Screen coordinates of the whole window.
  TtWin::RECT GetRectangle() const;
  // The client area: left and top are 0.
  TtWin::RECT GetClientRectangle() const;
  TtWin::POINT ScreenToClient(TtWin::POINT point) const;
  TtWin::POINT ClientToScreen(TtWin::POINT point) const;
  TtWin::WINDOWPLACEMENT GetWindowPlacement() const;
  void SetWindowPlacement(const TtWin::WINDOWPLACEMENT& placement);
  // z-order and position at once; insert_after is HWND_TOP, HWND_TOPMOST or another window.
  void SetWindowPosition(TtWin::HWND insert_after, int x, int y, int width, int height,
                         TtWin::UINT flags);
  void Show() { ShowWithCommand(TtWin::SW_SHOW); }
  void Hide() { ShowWithCommand(TtWin::SW_HIDE); }
  void Minimize() { ShowWithCommand(TtWin::SW_MINIMIZE); }
  void Maximize() { ShowWithCommand(TtWin::SW_MAXIMIZE); }
  void Restore() { ShowWithCommand(TtWin::SW_RESTORE); }
  void ShowWithCommand(int command);
  bool IsVisible() const;
  bool IsMinimized() const;
  bool IsMaximized() const;
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetFocus();
  void Update();
  void Invalidate();
  void SetFont(const TtFont& font, bool redraw = true);
  void SetIconAsLarge(const TtIcon& icon);
  void SetIconAsSmall(const TtIcon& icon);
  // Mouse capture: mouse messages come to this window wherever the pointer is.
  void SetCapture();
  static void ReleaseCapture();
  static TtWin::POINT GetCursorPosition();
  // Files dropped from a file manager onto the window or any of its children (those that exist
  // now) reach the handler as full paths in CP932.
  void AcceptFileDrops(std::function<void(const std::vector<std::string>& paths)> handler);

  // Centres the window over its parent's rectangle, kept on the desktop (see CenterPosition).
  void SetCenterRelativeToParent();
  // Where a window of the size lands when centred over `parent`: the centre point halved with
  // integer division, then pushed back inside the desktop's left/top edge or right/bottom edge.
  static TtWin::POINT CenterPosition(const TtWin::RECT& parent, int width, int height,
                                     const TtWin::RECT& desktop);

protected:
  // For the toolkit's own creation paths (dialogs, property sheets, pages).
  void AttachHandle(TtWin::HWND handle);
  void ForgetHandle();
  void SetHandleOutsideTable(TtWin::HWND handle);
  void SetParentWindow(TtWindow* parent) { parent_ = parent; }
  void SetIdentifier(int id) { id_ = id; }
  void SetInstance(TtWin::HINSTANCE instance) { instance_ = instance; }
  void RequireHandle(const char* call) const;

private:
  friend class TtBackendAccess;

  TtWindow* parent_ = nullptr;
  TtWin::HWND handle_ = nullptr;
  int id_ = 0;
  TtWin::HINSTANCE instance_ = nullptr;
  bool overridden_ = false;
  std::map<TtWin::UINT, std::shared_ptr<const MessageHandler>> message_handlers_;
};

// A window that the toolkit did not create (the desktop, a message box): it has no style or
// class and is never created.
class TtExtraordinarilyWindow : public TtWindow {
public:
  explicit TtExtraordinarilyWindow(TtWin::HWND handle, TtWindow* parent = nullptr);
  // Lets go of the window without touching it or the handle table: the window is not ours,
  // and the desktop's object outlives the tables at the end of the program.
  ~TtExtraordinarilyWindow() override;
  TtWin::DWORD GetStyle() const override { return 0; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  const char* GetClassName() const override { return ""; }
  void Create(const CreateParameter& parameter) override;

  // The desktop: its rectangle is the screen; as a parent it means "no owner".
  static TtExtraordinarilyWindow& Desktop();
};

// The base of every window that hosts controls. Its dispatchers turn WM_COMMAND, WM_NOTIFY and
// WM_MENUCOMMAND into calls of the handlers registered per command identifier, per source
// identifier and per menu.
class TtPanel : public TtWindow {
public:
  using CommandHandler = std::function<WMResult(int code, TtWin::HWND control)>;
  using NotifyHandler = std::function<WMResult(TtWin::NMHDR* header)>;
  using MenuCommandHandler = std::function<WMResult(int position)>;

  // forward: a command or notification no handler of this panel takes goes on to the parent.
  explicit TtPanel(bool forward);

  TtWin::DWORD GetStyle() const override { return 0; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  const char* GetClassName() const override { return TtWindowClassName::Panel; }
  // Installs the three dispatchers.
  bool Created() override;

  // Handlers for one key run in registration order until one reports handled.
  void RegisterCommandHandler(int id, CommandHandler handler);
  void RegisterNotifyHandler(int id, NotifyHandler handler);
  void RegisterMenuCommandHandler(TtWin::HMENU menu, MenuCommandHandler handler);
  bool IsForwarding() const { return forward_; }

private:
  WMResult DispatchCommand(TtWin::WPARAM wparam, TtWin::LPARAM lparam);
  WMResult DispatchNotify(TtWin::WPARAM wparam, TtWin::LPARAM lparam);
  WMResult DispatchMenuCommand(TtWin::WPARAM wparam, TtWin::LPARAM lparam);

  bool forward_;
  std::map<int, std::vector<std::shared_ptr<const CommandHandler>>> command_table_;
  std::map<int, std::vector<std::shared_ptr<const NotifyHandler>>> notify_table_;
  std::map<TtWin::HMENU, std::vector<std::shared_ptr<const MenuCommandHandler>>> menu_table_;
};

// A window whose style, extended style and class are fixed by its type.
template <TtWin::DWORD Style, TtWin::DWORD ExtendedStyle, const char* ClassName>
class BasedOnTtWindow : public TtWindow {
public:
  TtWin::DWORD GetStyle() const override { return Style; }
  TtWin::DWORD GetExtendedStyle() const override { return ExtendedStyle; }
  const char* GetClassName() const override { return ClassName; }
};

// A window type with extra style bits: a control variant is a one-line type.
template <class Base, TtWin::DWORD Style>
class TtWindowWithStyle : public Base {
public:
  using Base::Base;
  TtWin::DWORD GetStyle() const override { return Base::GetStyle() | Style; }
};
