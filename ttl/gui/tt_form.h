#pragma once
// Top-level windows and the message loop. A form forwards what its handlers leave to its
// parent, ends the message loop with its exit code when its window is destroyed, and is
// listed in the form table.
#include "ttl/gui/tt_window.h"

class TtMenu;

class TtForm : public TtPanel {
public:
  TtForm();
  ~TtForm() override;

  // Caption, system menu, minimise box; static edge.
  TtWin::DWORD GetStyle() const override { return 0x00CA0000; }
  TtWin::DWORD GetExtendedStyle() const override { return TtWin::WS_EX_STATICEDGE; }
  // The panel's dispatchers, the form table, and a destroy handler that posts the quit message.
  bool Created() override;
  // Derived windows build their controls here.
  virtual bool CreatedInternal();

  void SetExitCode(int exit_code) { exit_code_ = exit_code; }
  int GetExitCode() const { return exit_code_; }

  // Shows the menu bar in this window; the window keeps the menu alive.
  void SetMenuBar(const TtMenu& menu_bar);

  // Runs the message loop until the quit message and returns its exit code.
  static int Loop();
  static void PostQuitMessage(int exit_code);
  // The form or dialog with this handle, or null.
  static TtWindow* FindForm(TtWin::HWND handle);

  // Brings up the widget set once per process (the program's first step); throws
  // TtWindowsSystemCallException when there is no display to talk to.
  static void InitializePlatform();
  static bool IsPlatformInitialized();
  // The busy cursor over every window of the program while long work runs; calls nest.
  static void BeginBusyCursor();
  static void EndBusyCursor();
  // Whether Escape is held down now: how work that lets no event through hears the user.
  static bool IsEscapeKeyDown();
  // Handles the messages waiting now and returns (rethrowing what a handler threw there); for
  // work that drives windows without running the message loop.
  static void ProcessPendingMessages();
  static void FinalizePlatform();

protected:
  void EnterFormTable();

private:
  int exit_code_ = 0;
};
