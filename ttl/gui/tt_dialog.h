#pragma once
// Dialogs built in code: no templates. A derived dialog creates its controls in CreatedInternal
// with CreateChild (the base shows them) and places them in pixels in its Layout, which the base
// calls whenever the dialog's size changes. The base also owns the standard OK and Cancel
// buttons and the results they end the dialog with.
#include <vector>

#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_window_controls.h"

class TtDialog : public TtForm {
public:
  // What ShowDialog returns for a dialog with OK and Cancel: OK ends it with kAccepted; Cancel,
  // the close box and every other end give kCancelled.
  static constexpr int kCancelled = 0;
  static constexpr int kAccepted = 1;

  TtDialog();

  // Dialog frame and system menu.
  TtWin::DWORD GetStyle() const override { return TtWin::WS_DLGFRAME | TtWin::WS_SYSMENU; }
  TtWin::DWORD GetExtendedStyle() const override { return 0; }
  // The panel's dispatchers, the form table, a close handler that ends the dialog with 0 and a
  // size handler that calls Layout; then CreatedInternal, and Layout once more after it.
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

  // The controls that CreateChild made in the current showing, in creation order.
  const std::vector<TtWindow*>& GetChildren() const { return children_; }
  // The standard buttons; created only by dialogs that call CreateOkCancelButtons.
  TtButton& GetOkButton() { return ok_button_; }
  TtButton& GetCancelButton() { return cancel_button_; }

protected:
  // Creates the control as a child with the identifier (the creation order is the tab order)
  // and shows it: the dialog itself stays hidden until it is shown.
  template <class Control>
  Control& CreateChild(Control& control, int id = 0) {
    control.Create({this, id});
    control.Show();
    children_.push_back(&control);
    return control;
  }
  // The OK and Cancel buttons ("OK", "キャンセル") as children: OK calls Accept, Cancel ends the
  // dialog with kCancelled.
  void CreateOkCancelButtons(int ok_id, int cancel_id);
  // OK: ends the dialog with kAccepted. A dialog that takes its controls' values first overrides
  // it and calls TtDialog::Accept last.
  virtual void Accept();
  // Places the children for a client area of width x height; the base places nothing.
  virtual void Layout(int width, int height);
  // OK and Cancel side by side at the bottom right of the client area.
  void LayoutOkCancelButtons(int width, int height);

  // Creates the widget, runs the creation hooks and WM_INITDIALOG; false when Created refused.
  bool CreateDialogWindow(TtWindow* parent, bool modeless);

  int result_ = 0;
  bool ended_ = false;

private:
  std::vector<TtWindow*> children_;
  TtButton ok_button_;
  TtButton cancel_button_;
};

// A dialog that stays open beside the other windows: ShowDialog creates it (hidden until shown)
// and returns 0 at once; EndDialog destroys its window. Its parent may be the desktop.
class TtDialogModeless : public TtDialog {
public:
  int ShowDialog(TtWindow* parent) override;
  void EndDialog(int result) override;
};
