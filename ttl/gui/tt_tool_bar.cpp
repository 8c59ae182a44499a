#include "ttl/gui/tt_tool_bar.h"

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"

void TtToolBar::SetImageList(const TtImageList* image_list) {
  image_list_ = image_list;
  Rebuild();
}

void TtToolBar::SetBitmapSize(int width, int height) {
  bitmap_width_ = width;
  bitmap_height_ = height;
}

void TtToolBar::AddButtons(const std::vector<Button>& buttons) {
  buttons_.insert(buttons_.end(), buttons.begin(), buttons.end());
  Rebuild();
}

void TtToolBar::AddSeparator() {
  Button separator;
  separator.style = TtWin::BTNS_SEP;
  AddButton(separator);
}

void TtToolBar::DeleteButton(int index) {
  GetButton(index);
  buttons_.erase(buttons_.begin() + index);
  Rebuild();
}

const TtToolBar::Button& TtToolBar::GetButton(int index) const {
  if (index < 0 || index >= GetButtonCount())
    throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", "TB_GETBUTTON", EINVAL);
  return buttons_[index];
}

int TtToolBar::FindButton(int id) const {
  for (int index = 0; index < GetButtonCount(); ++index) {
    if (!(buttons_[index].style & TtWin::BTNS_SEP) && buttons_[index].id == id) return index;
  }
  return -1;
}

TtToolBar::Button& TtToolBar::ButtonById(int id, const char* call) {
  int index = FindButton(id);
  if (index < 0) throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", call, EINVAL);
  return buttons_[index];
}

const TtToolBar::Button& TtToolBar::ButtonById(int id, const char* call) const {
  return const_cast<TtToolBar*>(this)->ButtonById(id, call);
}

void TtToolBar::SetButtonCommand(int index, int id) {
  GetButton(index);
  buttons_[index].id = id;
  Rebuild();
}

void TtToolBar::SetButtonChecked(int id, bool checked) {
  Button& button = ButtonById(id, "TB_CHECKBUTTON");
  button.state =
      checked ? (button.state | TtWin::TBSTATE_CHECKED) : (button.state & ~TtWin::TBSTATE_CHECKED);
  Rebuild();
}

bool TtToolBar::IsButtonChecked(int id) const {
  return (ButtonById(id, "TB_ISBUTTONCHECKED").state & TtWin::TBSTATE_CHECKED) != 0;
}

void TtToolBar::SetButtonEnabled(int id, bool enabled) {
  Button& button = ButtonById(id, "TB_ENABLEBUTTON");
  button.state =
      enabled ? (button.state | TtWin::TBSTATE_ENABLED) : (button.state & ~TtWin::TBSTATE_ENABLED);
  Rebuild();
}

bool TtToolBar::IsButtonEnabled(int id) const {
  return (ButtonById(id, "TB_ISBUTTONENABLED").state & TtWin::TBSTATE_ENABLED) != 0;
}

void TtToolBar::SetButtonPressed(int id, bool pressed) {
  Button& button = ButtonById(id, "TB_PRESSBUTTON");
  button.state =
      pressed ? (button.state | TtWin::TBSTATE_PRESSED) : (button.state & ~TtWin::TBSTATE_PRESSED);
  Rebuild();
}

TtWin::RECT TtToolBar::GetButtonRectangle(int id) const {
  int index = FindButton(id);
  if (index < 0) throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", "TB_GETRECT", EINVAL);
  if (!GetHandle()) return TtWin::RECT{};
  return TtBackend::ToolBarButtonRectangle(*this, index);
}

void TtToolBar::Click(int id) {
  int index = FindButton(id);
  if (index < 0) return;
  Button& button = buttons_[index];
  if (!(button.state & TtWin::TBSTATE_ENABLED) || !GetParent()) return;
  if (button.style & TtWin::BTNS_WHOLEDROPDOWN) {
    // The whole button opens its menu: the parent hears of the drop-down, not of a command.
    TtWin::NMTOOLBAR notify;
    notify.hdr.hwndFrom = GetHandle();
    notify.hdr.idFrom = static_cast<std::uintptr_t>(GetId());
    notify.hdr.code = TtWin::TBN_DROPDOWN;
    notify.iItem = id;
    notify.rcButton = GetButtonRectangle(id);
    GetParent()->SendMessage(TtWin::WM_NOTIFY, notify.hdr.idFrom,
                             reinterpret_cast<TtWin::LPARAM>(&notify));
    return;
  }
  if (button.style & TtWin::BTNS_CHECK) button.state ^= TtWin::TBSTATE_CHECKED;
  GetParent()->SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(id, 0),
                           reinterpret_cast<TtWin::LPARAM>(GetHandle()));
}

void TtToolBar::Rebuild() {
  if (GetHandle()) TtBackend::RebuildToolBar(*this);
}
