#include "ttl/tt_dialog.h"

#include <cerrno>

#include "ttl/tt_backend.h"
#include "ttl/tt_exception.h"

TtDialog::TtDialog() = default;

bool TtDialog::Created() {
  TtPanel::Created();
  EnterFormTable();
  RegisterCloseHandler([this] {
    EndDialog(0);
    return Handled(0);
  });
  return CreatedInternal();
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
