#include "ttl/gui/tt_form.h"

#include <map>

#include "ttl/gui/tt_backend.h"

namespace {

// Form table: forms and dialogs by handle.
std::map<TtWin::HWND, TtWindow*>& FormTable() {
  static std::map<TtWin::HWND, TtWindow*> table;
  return table;
}

}  // namespace

TtForm::TtForm() : TtPanel(true) {}

TtForm::~TtForm() {
  auto& table = FormTable();
  for (auto entry = table.begin(); entry != table.end();) {
    entry = entry->second == this ? table.erase(entry) : std::next(entry);
  }
}

void TtForm::EnterFormTable() {
  if (GetHandle()) FormTable()[GetHandle()] = this;
}

TtWindow* TtForm::FindForm(TtWin::HWND handle) {
  auto found = FormTable().find(handle);
  return found == FormTable().end() ? nullptr : found->second;
}

bool TtForm::Created() {
  TtPanel::Created();
  EnterFormTable();
  RegisterDestroyHandler([this] {
    PostQuitMessage(exit_code_);
    return Handled(0);
  });
  return CreatedInternal();
}

bool TtForm::CreatedInternal() { return true; }

int TtForm::Loop() { return TtBackend::RunLoop(); }

void TtForm::PostQuitMessage(int exit_code) { TtBackend::PostQuit(exit_code); }
