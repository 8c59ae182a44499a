#pragma once
// Dialogs built in code: no templates; a derived dialog creates its controls in
// CreatedInternal, places them in pixels and places them again from its size handler.
#include "ttl/tt_form.h"

class TtDialog : public TtForm {
public:
  TtDialog();

  // Dialog frame and system menu.
  TtWin::DWORD GetStyle() const override { return TtWin::WS_DLGFRAME | TtWin::WS_SYSMENU; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  // The panel's dispatchers, the form table, and a close handler that ends the dialog with 0.
  // Enter and Escape arrive as the commands IDOK and IDCANCEL; no handler of the dialog takes
  // them unless the derived dialog registers one, so they go on to the parent.
  bool Created() override;
  // Dialogs are shown, not created: throws TtInvalidOperationException.
  void Create(const CreateParameter& parameter) override;

  // Modal: returns the value given to EndDialog (0 when the dialog ended otherwise). The
  // platform window is gone and the handle forgotten when it returns.
  virtual int ShowDialog(TtWindow* parent);
  virtual void EndDialog(int result);
  int GetResult() const { return result_; }
  bool HasEnded() const { return ended_; }

protected:
  // Creates the widget, runs the creation hooks and WM_INITDIALOG; false when Created refused.
  bool CreateDialogWindow(TtWindow* parent, bool modeless);

  int result_ = 0;
  bool ended_ = false;
};

// A dialog that stays open beside the other windows: ShowDialog creates it (hidden until shown)
// and returns 0 at once; EndDialog destroys its window. Its parent may be the desktop.
class TtDialogModeless : public TtDialog {
public:
  int ShowDialog(TtWindow* parent) override;
  void EndDialog(int result) override;
};
