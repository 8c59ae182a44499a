#pragma once
// Menus: a menu bar, pop-up menus, and pop-up menus that report a choice by item position.
// A menu is a tree of plain items that the toolkit keeps itself, so menus are built, filled and
// read without a window (the script side fills the sort and column menus, the headless tool
// lists and chooses their items). The window library shows a menu as the widget set's menu and
// keeps every copy on screen in step with it; one sub-menu may appear in several menus at once.
#include <memory>
#include <string>
#include <vector>

#include "ttl/core/tt_win.h"

class TtWindow;

class TtMenuModel : public std::enable_shared_from_this<TtMenuModel> {
public:
  enum class Kind { Popup, Bar };

  struct Item {
    std::string text;
    int id = 0;
    std::shared_ptr<TtMenuModel> sub_menu;
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    // Drawn with a radio mark instead of a tick (set by CheckRadioItem).
    bool radio = false;
    std::shared_ptr<void> data;
  };

  // A menu on screen follows its model through these calls.
  class Observer {
  public:
    virtual ~Observer() = default;
    virtual void MenuItemChanged(TtMenuModel& menu, int index) = 0;
    virtual void MenuStructureChanged(TtMenuModel& menu) = 0;
  };

  TtMenuModel(Kind kind, bool notify_by_position)
      : kind_(kind), notify_by_position_(notify_by_position) {}

  Kind GetKind() const { return kind_; }
  bool IsNotifyByPosition() const { return notify_by_position_; }
  const std::vector<Item>& Items() const { return items_; }
  const Item& ItemAt(int index, const char* call) const;
  Item& ItemAt(int index, const char* call);
  std::vector<Item>& MutableItems() { return items_; }

  void AddObserver(Observer* observer);
  void RemoveObserver(Observer* observer);
  void NotifyItemChanged(int index);
  void NotifyStructureChanged();

private:
  Kind kind_;
  bool notify_by_position_;
  std::vector<Item> items_;
  std::vector<Observer*> observers_;
};

// A handle holder for one menu. Copies share the same menu; the menu lives while any holder,
// any menu that contains it, or a window that shows it holds it, so the `owned` arguments of
// the constructors only document intent.
class TtMenu {
public:
  // Shares an existing menu (for example a sub-menu read from an item).
  explicit TtMenu(TtWin::HMENU handle);
  virtual ~TtMenu();

  TtWin::HMENU GetHandle() const { return model_.get(); }
  bool IsMenuBar() const { return model_->GetKind() == TtMenuModel::Kind::Bar; }
  bool IsNotifyByPosition() const { return model_->IsNotifyByPosition(); }

  int GetItemCount() const { return static_cast<int>(model_->Items().size()); }
  // An index of -1 or past the end appends.
  void InsertItem(int index, const std::string& text, int id);
  void AppendItem(const std::string& text, int id) { InsertItem(-1, text, id); }
  void InsertMenu(int index, const std::string& text, const TtMenu& sub_menu, int id = 0);
  void AppendMenu(const std::string& text, const TtMenu& sub_menu, int id = 0) {
    InsertMenu(-1, text, sub_menu, id);
  }
  void InsertSeparator(int index);
  void AppendSeparator() { InsertSeparator(-1); }
  void DeleteItem(int index);

  std::string GetItemText(int index) const;
  void SetItemText(int index, const std::string& text);
  int GetItemId(int index) const;
  void SetItemId(int index, int id);
  bool IsSeparator(int index) const;
  bool HasSubMenu(int index) const;
  TtMenu GetSubMenu(int index) const;
  bool IsItemEnabled(int index) const;
  void SetItemEnabled(int index, bool enabled);
  bool IsItemChecked(int index) const;
  void SetItemChecked(int index, bool checked);
  // Puts the radio mark on item `checked` and takes it off every other item from first to last.
  void CheckRadioItem(int first, int last, int checked);
  // Data that an item carries; the menu keeps it alive as long as the item exists.
  const std::shared_ptr<void>& GetItemData(int index) const;
  void SetItemData(int index, std::shared_ptr<void> data);
  template <class T>
  std::shared_ptr<T> GetItemDataAs(int index) const {
    return std::static_pointer_cast<T>(GetItemData(index));
  }
  // Position of the first item of this menu (not its sub-menus) with the identifier, or -1.
  int FindItemById(int id) const;

  // Shows the menu as a pop-up at a point on the screen, owned by `owner`, which receives the
  // choice as WM_COMMAND or WM_MENUCOMMAND. Returns when the menu has closed. Provided by the
  // window library (ttl_gui).
  void ShowPopupMenu(TtWindow& owner, int screen_x, int screen_y) const;

protected:
  TtMenu(TtMenuModel::Kind kind, bool notify_by_position);

private:
  std::shared_ptr<TtMenuModel> model_;
};

// A pop-up menu whose choices arrive as WM_COMMAND with the item's identifier.
class TtSubMenu : public TtMenu {
public:
  explicit TtSubMenu(bool owned = true);

protected:
  TtSubMenu(bool owned, bool notify_by_position);
};

// A pop-up menu whose choices arrive as WM_MENUCOMMAND: item position and menu handle.
class TtSubMenuCommand : public TtSubMenu {
public:
  explicit TtSubMenuCommand(bool owned = true);
};

// A window's menu bar: its items are the menus, usually each with a sub-menu.
class TtMenuBar : public TtMenu {
public:
  explicit TtMenuBar(bool owned = true);
};
