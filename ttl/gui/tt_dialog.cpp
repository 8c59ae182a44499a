#include "ttl/gui/tt_dialog.h"

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"

TtDialog::TtDialog() = default;

bool TtDialog::Created() {
  TtPanel::Created();
  EnterFormTable();
  RegisterCloseHandler([this] {
    EndDialog(kCancelled);
    return Handled(0);
  });
  // Registered first, so that a dialog may still put its own size handler in its place.
  RegisterSizeHandler([this](int, int width, int height) {
    Layout(width, height);
    return Handled();
  });
  children_.clear();
  if (!CreatedInternal()) return false;
  // The size the dialog set may have arrived before its children existed, or not at all yet.
  if (IsCreated()) {
    TtWin::RECT client = GetClientRectangle();
    Layout(client.right - client.left, client.bottom - client.top);
  }
  return true;
}

void TtDialog::CreateOkCancelButtons(int ok_id, int cancel_id) {
  CreateChild(ok_button_, ok_id).SetText("OK");
  CreateChild(cancel_button_, cancel_id).SetText("キャンセル");
  RegisterCommandHandler(ok_id, [this](int, TtWin::HWND) {
    Accept();
    return Handled();
  });
  RegisterCommandHandler(cancel_id, [this](int, TtWin::HWND) {
    EndDialog(kCancelled);
    return Handled();
  });
}

void TtDialog::Accept() { EndDialog(kAccepted); }

void TtDialog::Layout(int, int) {}

void TtDialog::LayoutOkCancelButtons(int width, int height) {
  ok_button_.SetPositionSize(width - 194, height - 26, 88, 21);
  cancel_button_.SetPositionSize(width - 94, height - 26, 88, 21);
}

void TtDialog::Create(const CreateParameter&) { throw TtInvalidOperationException(typeid(*this)); }

bool TtDialog::CreateDialogWindow(TtWindow* parent, bool modeless) {
  SetParentWindow(parent);
  SetInstance(parent ? parent->GetInstance() : nullptr);
  result_ = 0;
  ended_ = false;
  TtWin::HWND handle = TtBackend::CreateDialogWindow(*this, parent, modeless);
  TtBackend::ApplyDefaultFont(handle);
  AttachHandle(handle);
  try {
    if (Created()) {
      DispatchToHandler(TtWin::WM_INITDIALOG, 0, 0);
      return true;
    }
  } catch (...) {
    ForgetHandle();
    TtBackend::DestroyNativeWindow(handle);
    throw;
  }
  ForgetHandle();
  TtBackend::DestroyNativeWindow(handle);
  return false;
}

int TtDialog::ShowDialog(TtWindow* parent) {
  if (!CreateDialogWindow(parent, false)) return 0;
  TtWin::HWND handle = GetHandle();
  int answer = 0;
  try {
    answer = TtBackend::RunModal(handle);
  } catch (...) {
    ForgetHandle();
    TtBackend::DestroyNativeWindow(handle);
    throw;
  }
  ForgetHandle();
  TtBackend::DestroyNativeWindow(handle);
  return ended_ ? result_ : answer;
}

void TtDialog::EndDialog(int result) {
  RequireHandle("::EndDialog");
  result_ = result;
  ended_ = true;
  TtBackend::EndModal(GetHandle(), result);
}

int TtDialogModeless::ShowDialog(TtWindow* parent) {
  CreateDialogWindow(parent, true);
  return 0;
}

void TtDialogModeless::EndDialog(int result) {
  RequireHandle("::DestroyWindow");
  TtWin::HWND handle = GetHandle();
  ForgetHandle();
  TtBackend::DestroyNativeWindow(handle);
  result_ = result;
  ended_ = true;
}
