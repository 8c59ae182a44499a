// Menus on screen. Every place a menu appears (the menu bar, a pop-up, a sub-menu of either)
// is a widget built from the menu's model and kept in step with it, so that one sub-menu can be
// shown in several menus at once. A choice reaches the owner window as WM_COMMAND (identifier)
// or, from a menu that reports by position, as WM_MENUCOMMAND (position, menu).
#include <wx/menu.h>

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace {

wxItemKind KindOf(const TtMenuModel::Item& item) {
  if (item.radio) return wxITEM_RADIO;
  if (item.checked) return wxITEM_CHECK;
  return wxITEM_NORMAL;
}

class MenuView : public wxMenu, public TtMenuModel::Observer {
public:
  MenuView(std::shared_ptr<TtMenuModel> model, TtWin::HWND owner)
      : model_(std::move(model)), owner_(owner) {
    model_->AddObserver(this);
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) { OnChoice(event); });
    Build();
  }
  ~MenuView() override { model_->RemoveObserver(this); }

  void MenuItemChanged(TtMenuModel&, int index) override {
    wxMenuItem* item =
        index < static_cast<int>(GetMenuItemCount()) ? FindItemByPosition(index) : nullptr;
    if (!item || index >= static_cast<int>(model_->Items().size())) return Build();
    const TtMenuModel::Item& source = model_->Items()[index];
    if (source.separator != item->IsSeparator() || KindOf(source) != item->GetKind() ||
        (source.sub_menu != nullptr) != item->IsSubMenu()) {
      return Build();
    }
    if (source.separator) return;
    item->SetItemLabel(TtWx::ToWxString(source.text));
    item->Enable(source.enabled);
    if (item->IsCheckable()) item->Check(source.checked);
  }

  void MenuStructureChanged(TtMenuModel&) override { Build(); }

private:
  void Build() {
    while (GetMenuItemCount() > 0) Destroy(FindItemByPosition(0));
    ids_.clear();
    for (const TtMenuModel::Item& source : model_->Items()) {
      if (source.separator) {
        AppendSeparator();
        ids_.push_back(wxID_SEPARATOR);
        continue;
      }
      // Every item gets an identifier of its own from the widget set, so an identifier that the
      // program uses twice (or 0) still maps back to exactly one position.
      wxMenuItem* item = nullptr;
      if (source.sub_menu) {
        item = AppendSubMenu(new MenuView(source.sub_menu, owner_), TtWx::ToWxString(source.text));
      } else {
        item = Append(wxID_ANY, TtWx::ToWxString(source.text), wxString(), KindOf(source));
      }
      ids_.push_back(item->GetId());
      item->Enable(source.enabled);
      if (item->IsCheckable()) item->Check(source.checked);
    }
  }

  void OnChoice(wxCommandEvent& event) {
    int index = -1;
    for (size_t position = 0; position < ids_.size(); ++position) {
      if (ids_[position] == event.GetId()) index = static_cast<int>(position);
    }
    if (index < 0) return event.Skip();
    std::shared_ptr<TtMenuModel> model = model_;
    wxWeakRef<wxMenu> self(this);
    TtWxInternal::DeliverMenuChoice(owner_, *model, index);
    // The widget ticks check items by itself; the model decides.
    if (self && index < static_cast<int>(model->Items().size())) MenuItemChanged(*model, index);
  }

  std::shared_ptr<TtMenuModel> model_;
  TtWin::HWND owner_;
  std::vector<int> ids_;
};

class MenuBarView : public wxMenuBar, public TtMenuModel::Observer {
public:
  MenuBarView(std::shared_ptr<TtMenuModel> model, TtWin::HWND owner)
      : model_(std::move(model)), owner_(owner) {
    model_->AddObserver(this);
    Build();
  }
  ~MenuBarView() override { model_->RemoveObserver(this); }

  void MenuItemChanged(TtMenuModel&, int index) override {
    const auto& items = model_->Items();
    if (index >= static_cast<int>(items.size()) || index >= static_cast<int>(GetMenuCount()))
      return Build();
    SetMenuLabel(index, TtWx::ToWxString(items[index].text));
    EnableTop(index, items[index].enabled);
  }

  void MenuStructureChanged(TtMenuModel&) override { Build(); }

private:
  void Build() {
    while (GetMenuCount() > 0) delete Remove(0);
    for (const TtMenuModel::Item& source : model_->Items()) {
      // A bar holds menus; a plain item or separator on the bar has no place in the widget set.
      if (!source.sub_menu) continue;
      Append(new MenuView(source.sub_menu, owner_), TtWx::ToWxString(source.text));
      EnableTop(GetMenuCount() - 1, source.enabled);
    }
  }

  std::shared_ptr<TtMenuModel> model_;
  TtWin::HWND owner_;
};

}  // namespace

std::function<bool(TtMenuModel&, TtWin::POINT, TtWin::HMENU&, int&)>&
TtWxInternal::PopupMenuHook() {
  static std::function<bool(TtMenuModel&, TtWin::POINT, TtWin::HMENU&, int&)> hook;
  return hook;
}

void TtWxInternal::DeliverMenuChoice(TtWin::HWND owner, TtMenuModel& menu, int index) {
  if (index < 0 || index >= static_cast<int>(menu.Items().size())) return;
  const TtMenuModel::Item& item = menu.Items()[index];
  if (item.separator || item.sub_menu || !item.enabled) return;
  if (menu.IsNotifyByPosition()) {
    TtWindow::WindowProcedure(owner, TtWin::WM_MENUCOMMAND, static_cast<TtWin::WPARAM>(index),
                              reinterpret_cast<TtWin::LPARAM>(&menu));
  } else {
    TtWindow::WindowProcedure(owner, TtWin::WM_COMMAND, TtWin::MakeWParam(item.id, 0), 0);
  }
}

void TtMenu::ShowPopupMenu(TtWindow& owner, int screen_x, int screen_y) const {
  if (!owner.GetHandle()) throw TT_SYSTEM_CALL_ERROR("tt_menu", "::TrackPopupMenuEx", EBADF);
  auto& hook = TtWxInternal::PopupMenuHook();
  if (hook) {
    TtWin::HMENU chosen = nullptr;
    int position = -1;
    if (hook(*GetHandle(), TtWin::POINT{screen_x, screen_y}, chosen, position) && chosen) {
      TtWxInternal::DeliverMenuChoice(owner.GetHandle(), *chosen, position);
    }
    return;
  }
  wxWindow* window = TtWx::ToWx(owner.GetHandle());
  MenuView menu(GetHandle()->shared_from_this(), owner.GetHandle());
  window->PopupMenu(&menu, window->ScreenToClient(wxPoint(screen_x, screen_y)));
}

void TtForm::SetMenuBar(const TtMenu& menu_bar) {
  RequireHandle("::SetMenu");
  auto* frame = dynamic_cast<wxFrame*>(TtWx::ToWx(GetHandle()));
  if (!frame || !menu_bar.IsMenuBar()) throw TT_SYSTEM_CALL_ERROR("tt_form", "::SetMenu", EINVAL);
  wxMenuBar* old_bar = frame->GetMenuBar();
  frame->SetMenuBar(new MenuBarView(menu_bar.GetHandle()->shared_from_this(), GetHandle()));
  delete old_bar;
  TtWxInternal::SendSizeMessage(frame);
}
