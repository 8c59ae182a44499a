#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/menu.h>

#include <stdexcept>

#include "ttl/core/tt_string.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/testing/tt_testing.h"
#include "ttl/testing/tt_testing_keys.h"

namespace TtTesting {

void TypeCharacter(TtWindow& window, const std::string& character) {
  if (!window.GetHandle()) throw std::logic_error("the window has not been created");
  wxWindow* widget = TtWx::ToWx(window.GetHandle());
  const wxString text = wxString::FromUTF8(TtString::Cp932ToUtf8(character));
  if (text.length() != 1) throw std::logic_error("one character is typed at a time");
  wxKeyEvent event(wxEVT_CHAR);
  event.SetEventObject(widget);
  event.m_uniChar = text[0];
  event.m_keyCode = text[0] < 0x80 ? static_cast<int>(text[0]) : WXK_NONE;
  widget->GetEventHandler()->ProcessEvent(event);
  ProcessEvents();
}

std::string MenuItemShortcut(TtWindow& form, const std::vector<int>& positions) {
  auto* frame = form.GetHandle() ? dynamic_cast<wxFrame*>(TtWx::ToWx(form.GetHandle())) : nullptr;
  wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr;
  if (!bar || positions.size() < 2 || positions[0] >= static_cast<int>(bar->GetMenuCount())) {
    throw std::logic_error("no such menu bar item");
  }
  wxMenu* menu = bar->GetMenu(positions[0]);
  for (size_t depth = 1; depth < positions.size(); ++depth) {
    if (positions[depth] >= static_cast<int>(menu->GetMenuItemCount()))
      throw std::logic_error("no such menu item");
    wxMenuItem* item = menu->FindItemByPosition(positions[depth]);
    if (depth + 1 == positions.size()) {
      std::unique_ptr<wxAcceleratorEntry> shortcut(item->GetAccel());
      return shortcut ? TtWx::FromWxString(shortcut->ToString()) : std::string();
    }
    if (!item->IsSubMenu()) throw std::logic_error("no such sub-menu");
    menu = item->GetSubMenu();
  }
  return std::string();
}

std::string ListCellFont(TtListView& list, int item, int column) {
  auto* grid = list.GetHandle() ? dynamic_cast<wxGrid*>(TtWx::ToWx(list.GetHandle())) : nullptr;
  if (!grid) throw std::logic_error("the list view has no grid");
  return TtWx::FromWxString(grid->GetCellFont(item, column).GetNativeFontInfoDesc());
}

}  // namespace TtTesting
