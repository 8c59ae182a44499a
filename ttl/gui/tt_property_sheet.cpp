#include "ttl/gui/tt_property_sheet.h"

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"

TtPropertySheet::Page::Page(std::string title, int width_units, int height_units)
    : TtPanel(false),
      title_(std::move(title)),
      width_units_(width_units),
      height_units_(height_units) {}

bool TtPropertySheet::Page::Created() {
  TtPanel::Created();
  MessageHandler panel_notify = GetMessageHandler(TtWin::WM_NOTIFY);
  RegisterMessageHandler(
      TtWin::WM_NOTIFY, [this, panel_notify](TtWin::WPARAM wparam, TtWin::LPARAM lparam) {
        auto* header = reinterpret_cast<TtWin::NMHDR*>(lparam);
        switch (header->code) {
          case TtWin::PSN_SETACTIVE:
            if (activate_) activate_();
            return Handled(0);
          case TtWin::PSN_KILLACTIVE:
            return Handled(deactivate_ && !deactivate_() ? 1 : 0);
          case TtWin::PSN_APPLY:
            return Handled(apply_ && !apply_() ? TtWin::PSNRET_INVALID : TtWin::PSNRET_NOERROR);
          case TtWin::PSN_RESET:
            if (reset_) reset_();
            return Handled(0);
          default:
            return panel_notify ? panel_notify(wparam, lparam) : NotHandled();
        }
      });
  return CreatedInternal();
}

void TtPropertySheet::Page::Create(const CreateParameter&) {
  throw TtInvalidOperationException(typeid(*this));
}

bool TtPropertySheet::Page::CreatedInternal() { return true; }

void TtPropertySheet::Page::CreateInSheet(TtPropertySheet& sheet, TtWin::HWND handle) {
  SetParentWindow(&sheet);
  SetInstance(sheet.GetInstance());
  TtBackend::ApplyDefaultFont(handle);
  AttachHandle(handle);
  if (!Created()) ForgetHandle();
}

TtPropertySheet::TtPropertySheet(bool show_apply_button) : show_apply_button_(show_apply_button) {}

void TtPropertySheet::Create(const CreateParameter&) {
  throw TtInvalidOperationException(typeid(*this));
}

int TtPropertySheet::ShowDialog(TtWindow* parent) {
  SetParentWindow(parent);
  SetInstance(parent ? parent->GetInstance() : nullptr);
  current_page_ = 0;
  closing_result_ = -1;
  TtWin::HWND handle = TtBackend::CreatePropertySheetWindow(*this, parent);
  TtBackend::ApplyDefaultFont(handle);
  AttachHandle(handle);
  auto forget_all = [this, handle] {
    for (Page* page : pages_) page->ForgetHandle();
    ForgetHandle();
    TtBackend::DestroyNativeWindow(handle);
  };
  int result = 0;
  try {
    if (!Created()) {
      forget_all();
      return 0;
    }
    for (Page* page : pages_) {
      TtWin::HWND page_handle = TtBackend::CreatePropertyPageWindow(
          handle, page->GetTitle(), page->GetWidthUnits(), page->GetHeightUnits());
      page->CreateInSheet(*this, page_handle);
    }
    if (!pages_.empty()) NotifyPage(0, TtWin::PSN_SETACTIVE);
    int answer = TtBackend::RunModal(handle);
    result = closing_result_ >= 0 ? closing_result_ : answer == 1 ? 1 : 0;
  } catch (...) {
    forget_all();
    throw;
  }
  forget_all();
  return result;
}

TtWin::LRESULT TtPropertySheet::NotifyPage(int index, TtWin::UINT code) {
  Page* page = pages_.at(index);
  if (!page->IsCreated()) return 0;
  TtWin::PSHNOTIFY notify;
  notify.hdr.hwndFrom = GetHandle();
  notify.hdr.idFrom = 0;
  notify.hdr.code = code;
  return page->SendMessage(TtWin::WM_NOTIFY, 0, reinterpret_cast<TtWin::LPARAM>(&notify));
}

int TtPropertySheet::GetCurrentPage() const { return current_page_; }

bool TtPropertySheet::SelectPage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) {
    throw TT_SYSTEM_CALL_ERROR("tt_property_sheet", "PropSheet_SetCurSel", EINVAL);
  }
  if (index == current_page_) return true;
  if (NotifyPage(current_page_, TtWin::PSN_KILLACTIVE) != 0) return false;
  current_page_ = index;
  if (GetHandle()) TtBackend::SelectPropertyPage(GetHandle(), index);
  NotifyPage(index, TtWin::PSN_SETACTIVE);
  return true;
}

bool TtPropertySheet::ApplyAll() {
  if (pages_.empty()) return true;
  if (NotifyPage(current_page_, TtWin::PSN_KILLACTIVE) != 0) return false;
  for (int index = 0; index < static_cast<int>(pages_.size()); ++index) {
    if (NotifyPage(index, TtWin::PSN_APPLY) == TtWin::PSNRET_INVALID) {
      if (index != current_page_) {
        current_page_ = index;
        if (GetHandle()) TtBackend::SelectPropertyPage(GetHandle(), index);
        NotifyPage(index, TtWin::PSN_SETACTIVE);
      }
      return false;
    }
  }
  return true;
}

bool TtPropertySheet::PressOk() {
  if (!ApplyAll()) return false;
  closing_result_ = 1;
  if (GetHandle()) TtBackend::EndModal(GetHandle(), 1);
  return true;
}

bool TtPropertySheet::PressApply() { return ApplyAll(); }

void TtPropertySheet::PressCancel() {
  for (int index = 0; index < static_cast<int>(pages_.size()); ++index)
    NotifyPage(index, TtWin::PSN_RESET);
  closing_result_ = 0;
  if (GetHandle()) TtBackend::EndModal(GetHandle(), 0);
}

// The default control font is 12 pixels high with characters about 6 pixels wide on average,
// so one unit is 6 / 4 pixels across and 12 / 8 pixels down.
int TtPropertySheet::DialogUnitsToPixelsX(int units) { return units * 6 / 4; }
int TtPropertySheet::DialogUnitsToPixelsY(int units) { return units * 12 / 8; }
