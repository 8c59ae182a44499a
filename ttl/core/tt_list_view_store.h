#pragma once
// The contents of a report list: columns (header text, width, header data) and items (data,
// one text per column, selection, drop highlight, check state). A list view on screen is a view
// of one store; without a window the store alone serves the table logic, the headless tool and
// the benchmarks. Items and columns are addressed by index, never by their place on screen.
#include <functional>
#include <string>
#include <vector>

#include "ttl/core/tt_win.h"

class TtListViewStore {
public:
  // A view of the store (the window's grid) hears of every change after it happened.
  class Observer {
  public:
    virtual ~Observer() = default;
    virtual void ColumnsInserted(int index, int count) = 0;
    virtual void ColumnsDeleted(int index, int count) = 0;
    virtual void ColumnChanged(int index) = 0;
    virtual void ItemsInserted(int index, int count) = 0;
    virtual void ItemsDeleted(int index, int count) = 0;
    // Texts or states of item `index` changed; -1 means any item may have (a sort, a bulk change).
    virtual void ItemsChanged(int index) = 0;
    virtual void UpdatesSuspended() = 0;
    virtual void UpdatesResumed() = 0;
    // The store is going away; the view must not touch it any more.
    virtual void StoreDestroyed() {}
  };

  using Comparison = std::function<int(TtWin::LPARAM, TtWin::LPARAM)>;

  TtListViewStore();
  TtListViewStore(const TtListViewStore&) = delete;
  TtListViewStore& operator=(const TtListViewStore&) = delete;
  virtual ~TtListViewStore();

  void SetObserver(Observer* observer) { observer_ = observer; }
  Observer* GetObserver() const { return observer_; }

  // Columns. Inserting at an index past the end appends; the index used is returned.
  int GetColumnCount() const { return static_cast<int>(columns_.size()); }
  int InsertColumn(int index, const std::string& text, int width);
  void DeleteColumn(int index);
  void DeleteAllColumns();
  const std::string& GetColumnText(int index) const;
  void SetColumnText(int index, const std::string& text);
  int GetColumnWidth(int index) const;
  void SetColumnWidth(int index, int width);
  // What the header item's tooltip shows; empty for none.
  const std::string& GetColumnToolTip(int index) const;
  void SetColumnToolTip(int index, const std::string& text);
  TtWin::LPARAM GetColumnData(int index) const;
  void SetColumnData(int index, TtWin::LPARAM data);

  // Items. Inserting at an index past the end (or at -1) appends; the index used is returned.
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  int InsertItem(int index, TtWin::LPARAM data = 0);
  void DeleteItem(int index);
  void DeleteAllItems();
  TtWin::LPARAM GetItemData(int index) const;
  void SetItemData(int index, TtWin::LPARAM data);
  const std::string& GetItemText(int index, int column) const;
  void SetItemText(int index, int column, const std::string& text);

  // Selection. A single-selection store keeps at most one item selected.
  void SetSingleSelection(bool single) { single_selection_ = single; }
  bool IsSingleSelection() const { return single_selection_; }
  bool IsItemSelected(int index) const;
  void SetItemSelected(int index, bool selected);
  void ClearSelection();
  // The first selected item at or after `start`, or -1.
  int GetNextSelectedItem(int start = 0) const;
  int GetFirstSelectedItem() const { return GetNextSelectedItem(0); }

  // The drop highlight shown while a row is dragged over an item.
  bool IsItemDropHighlighted(int index) const;
  void SetItemDropHighlighted(int index, bool highlighted);
  int GetDropHighlightedItem() const;

  bool IsItemChecked(int index) const;
  void SetItemChecked(int index, bool checked);

  // Orders the items by a comparison of their data (negative: first before second). The sort is
  // stable and survives a comparison that is not consistent or that throws: when it throws, the
  // items keep their old order and the exception goes on to the caller.
  void SortItems(const Comparison& compare);

  // Changes made between these calls reach the view as one refresh; calls nest.
  void SuspendUpdates();
  void ResumeUpdates();

private:
  struct Column {
    std::string text;
    std::string tool_tip;
    int width = 0;
    TtWin::LPARAM data = 0;
  };
  struct Item {
    TtWin::LPARAM data = 0;
    // Shorter than the column count when the last texts were never set.
    std::vector<std::string> texts;
    bool selected = false;
    bool drop_highlighted = false;
    bool checked = false;
  };

  const Column& ColumnAt(int index, const char* call) const;
  Column& ColumnAt(int index, const char* call);
  const Item& ItemAt(int index, const char* call) const;
  Item& ItemAt(int index, const char* call);
  void NotifyItemChanged(int index);

  std::vector<Column> columns_;
  std::vector<Item> items_;
  bool single_selection_ = false;
  int suspended_ = 0;
  Observer* observer_ = nullptr;
};

// Suspends a store's view updates for one scope.
class TtListViewUpdateGuard {
public:
  explicit TtListViewUpdateGuard(TtListViewStore& store) : store_(store) {
    store_.SuspendUpdates();
  }
  ~TtListViewUpdateGuard() { store_.ResumeUpdates(); }
  TtListViewUpdateGuard(const TtListViewUpdateGuard&) = delete;
  TtListViewUpdateGuard& operator=(const TtListViewUpdateGuard&) = delete;

private:
  TtListViewStore& store_;
};
