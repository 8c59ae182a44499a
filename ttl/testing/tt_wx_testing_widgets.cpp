// The test driver's input to the widgets themselves (clicks, keys, drops and menu choices sent
// as the widget set's events) and what it reads back from them: texts, list cells and colours.
#include "ttl/testing/tt_testing.h"

#include <libintl.h>
#include <wx/containr.h>
#include <wx/dnd.h>
#include <wx/grid.h>
#include <wx/uiaction.h>

#include <algorithm>

#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_tool_bar.h"
#include "ttl/gui/wx/tt_wx_internal.h"
#include "ttl/testing/tt_wx_testing_internal.h"

namespace TtTestingInternal {

namespace {

void CollectButtons(wxWindow* window, std::vector<wxButton*>& buttons) {
  for (wxWindow* child : window->GetChildren()) {
    if (auto* button = dynamic_cast<wxButton*>(child)) buttons.push_back(button);
    CollectButtons(child, buttons);
  }
}

}  // namespace

std::vector<std::string> LabelsLeftToRight(wxWindow* window) {
  window->Layout();
  std::vector<wxButton*> buttons;
  CollectButtons(window, buttons);
  std::stable_sort(buttons.begin(), buttons.end(), [](wxButton* a, wxButton* b) {
    return a->GetScreenPosition().x < b->GetScreenPosition().x;
  });
  std::vector<std::string> labels;
  for (wxButton* button : buttons) labels.push_back(TtWx::FromWxString(button->GetLabel()));
  return labels;
}

wxWindow* Widget(const TtWindow& window) {
  if (!window.GetHandle()) throw std::logic_error("the window has not been created");
  return TtWx::ToWx(window.GetHandle());
}

}  // namespace TtTestingInternal

namespace TtTesting {

using TtTestingInternal::LabelsLeftToRight;
using TtTestingInternal::Widget;

void ProcessEvents() { TtForm::ProcessPendingMessages(); }

namespace {

wxGrid* GridOf(TtListView& list) {
  auto* grid = dynamic_cast<wxGrid*>(Widget(list));
  if (!grid) throw std::logic_error("the list view has no grid");
  return grid;
}

void SendMouse(wxWindow* target, wxEventType type, const wxPoint& point, bool left_down) {
  wxMouseEvent event(type);
  event.SetEventObject(target);
  event.m_x = point.x;
  event.m_y = point.y;
  event.m_leftDown = left_down;
  target->GetEventHandler()->ProcessEvent(event);
  wxTheApp->RethrowStoredException();
}

// A point of the list's client area: the part of the grid under it (cells or header, frozen or
// not) and the point in that part's own coordinates.
struct GridPart {
  wxWindow* window;
  wxPoint point;
};

GridPart PartAt(wxGrid* grid, const wxPoint& client) {
  for (wxWindow* child : grid->GetChildren()) {
    if (child->IsShown() && child->GetRect().Contains(client))
      return {child, client - child->GetPosition()};
  }
  throw std::logic_error("the point is not on the list");
}

int FrozenWidth(wxGrid* grid) {
  int width = 0;
  for (int col = 0; col < grid->GetNumberFrozenCols(); ++col) width += grid->GetColSize(col);
  return width;
}

// The middle of a cell, in the list's client coordinates.
wxPoint CellMiddle(wxGrid* grid, int item, int column) {
  wxRect cell = grid->CellToRect(item, column);
  bool frozen = column < grid->GetNumberFrozenCols();
  wxWindow* part = frozen ? grid->GetFrozenColGridWindow() : grid->GetGridWindow();
  // The scrolling part's own coordinates start right of the frozen columns.
  wxPoint corner = cell.GetPosition() - wxPoint(frozen ? 0 : FrozenWidth(grid), 0);
  return grid->CalcGridWindowScrolledPosition(corner, grid->CellToGridWindow(item, column)) +
         part->GetPosition() + wxPoint(cell.GetWidth() / 2, cell.GetHeight() / 2);
}

wxPoint HeaderPoint(wxGrid* grid, int column) {
  int y = grid->GetColLabelSize() / 2;
  if (column >= 0) return wxPoint(CellMiddle(grid, 0, column).x, y);
  int right = 0;
  for (int col = 0; col < grid->GetNumberCols(); ++col) right += grid->GetColSize(col);
  int last = grid->GetNumberCols() - 1;
  int scrolled_right =
      last < 0 ? 0
               : grid->CalcGridWindowScrolledPosition(wxPoint(right - FrozenWidth(grid), 0),
                                                      grid->CellToGridWindow(0, last))
                     .x;
  return wxPoint(scrolled_right + grid->GetGridWindow()->GetPosition().x + 20, y);
}

void SendMouseAt(wxGrid* grid, wxEventType type, const wxPoint& client, bool left_down) {
  GridPart part = PartAt(grid, client);
  SendMouse(part.window, type, part.point, left_down);
}

}  // namespace

void Click(TtWindow& control) {
  wxWindow* widget = Widget(control);
  if (auto* box = dynamic_cast<wxCheckBox*>(widget)) {
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(box->GetValue());
    box->ProcessWindowEvent(event);
  } else {
    wxCommandEvent event(wxEVT_BUTTON, widget->GetId());
    event.SetEventObject(widget);
    widget->ProcessWindowEvent(event);
  }
  wxTheApp->RethrowStoredException();
}

void ClickToolBarButton(TtToolBar& tool_bar, int id) {
  wxWindow* widget = Widget(tool_bar);
  int index = tool_bar.FindButton(id);
  if (index < 0) throw std::logic_error("no such toolbar button");
  wxRect button = TtWxInternal::ToolBarButtonRect(widget, index);
  wxPoint middle(button.x + button.width / 2, button.y + button.height / 2);
  // The pointer comes over the button first, as the user's does.
  SendMouse(widget, wxEVT_MOTION, middle, false);
  SendMouse(widget, wxEVT_LEFT_DOWN, middle, true);
  SendMouse(widget, wxEVT_LEFT_UP, middle, false);
}

void ClickListItem(TtListView& list, int item, int column) {
  wxGrid* grid = GridOf(list);
  wxPoint point = CellMiddle(grid, item, column);
  SendMouseAt(grid, wxEVT_LEFT_DOWN, point, true);
  SendMouseAt(grid, wxEVT_LEFT_UP, point, false);
}

void DoubleClickListItem(TtListView& list, int item) {
  wxGrid* grid = GridOf(list);
  wxPoint point = CellMiddle(grid, item, 0);
  SendMouseAt(grid, wxEVT_LEFT_DOWN, point, true);
  SendMouseAt(grid, wxEVT_LEFT_UP, point, false);
  SendMouseAt(grid, wxEVT_LEFT_DCLICK, point, true);
}

void RightClickListItem(TtListView& list, int item) {
  wxGrid* grid = GridOf(list);
  wxPoint point = CellMiddle(grid, item, 0);
  SendMouseAt(grid, wxEVT_RIGHT_DOWN, point, false);
  SendMouseAt(grid, wxEVT_RIGHT_UP, point, false);
}

void ClickListHeader(TtListView& list, int column) {
  wxGrid* grid = GridOf(list);
  wxPoint point = HeaderPoint(grid, column);
  SendMouseAt(grid, wxEVT_LEFT_DOWN, point, true);
  SendMouseAt(grid, wxEVT_LEFT_UP, point, false);
  ProcessEvents();
}

void RightClickListHeader(TtListView& list, int column) {
  wxGrid* grid = GridOf(list);
  wxPoint point = HeaderPoint(grid, column);
  SendMouseAt(grid, wxEVT_RIGHT_DOWN, point, false);
  SendMouseAt(grid, wxEVT_RIGHT_UP, point, false);
}

void DragListHeader(TtListView& list, int column, int onto_column) {
  wxGrid* grid = GridOf(list);
  GridPart start = PartAt(grid, HeaderPoint(grid, column));
  wxPoint drop = HeaderPoint(grid, onto_column);
  // The part pressed on keeps the pointer until the button is let go, as a captured pointer does.
  SendMouse(start.window, wxEVT_LEFT_DOWN, start.point, true);
  SendMouse(start.window, wxEVT_MOTION, drop - start.window->GetPosition(), true);
  SendMouse(start.window, wxEVT_LEFT_UP, drop - start.window->GetPosition(), false);
  ProcessEvents();
}

void DragListItem(TtListView& list, int item, TtWin::POINT to) {
  wxGrid* grid = GridOf(list);
  GridPart start = PartAt(grid, CellMiddle(grid, item, 0));
  SendMouse(start.window, wxEVT_LEFT_DOWN, start.point, true);
  SendMouse(start.window, wxEVT_MOTION, wxPoint(to.x, to.y) - start.window->GetPosition(), true);
}

std::string ListShownText(TtListView& list, int item, int column) {
  return TtWx::FromWxString(TtWxInternal::ShownListText(GridOf(list), item, column));
}

std::string ListHeaderToolTip(TtListView& list, int column) {
  wxGrid* grid = GridOf(list);
  GridPart part = PartAt(grid, HeaderPoint(grid, column));
  SendMouse(part.window, wxEVT_MOTION, part.point, false);
  return TtWx::FromWxString(part.window->GetToolTipText());
}

void DoubleClickListHeaderEdge(TtListView& list, int column) {
  wxGrid* grid = GridOf(list);
  wxPoint middle = HeaderPoint(grid, column);
  wxPoint edge(middle.x - grid->GetColSize(column) / 2 + grid->GetColSize(column), middle.y);
  SendMouseAt(grid, wxEVT_MOTION, edge, false);
  SendMouseAt(grid, wxEVT_LEFT_DOWN, edge, true);
  SendMouseAt(grid, wxEVT_LEFT_UP, edge, false);
  SendMouseAt(grid, wxEVT_LEFT_DCLICK, edge, true);
  SendMouseAt(grid, wxEVT_LEFT_UP, edge, false);
  ProcessEvents();
}

void SetListColumnWidthAsUser(TtListView& list, int column, int width) {
  wxGrid* grid = GridOf(list);
  // What the grid does when the user's drag of the divider ends: the new width, then the event.
  grid->SetColSize(column, width);
  wxGridSizeEvent event(grid->GetId(), wxEVT_GRID_COL_SIZE, grid, column);
  grid->GetEventHandler()->ProcessEvent(event);
  ProcessEvents();
}

std::string ShownText(TtWindow& control) {
  auto* label = dynamic_cast<wxStaticText*>(Widget(control));
  if (!label) throw std::logic_error("not a static control");
  return TtWx::FromWxString(label->GetLabelText());
}

std::string WidgetSetText(const char* english) {
  bind_textdomain_codeset("gtk30", "UTF-8");
  return TtWx::FromWxString(wxString::FromUTF8(dgettext("gtk30", english)));
}

std::string StatusPartShownText(TtWindow& status_bar, int part) {
  auto* bar = dynamic_cast<wxStatusBar*>(Widget(status_bar));
  if (!bar) throw std::logic_error("not a status bar");
  wxRect field;
  if (!bar->GetFieldRect(part, field)) throw std::logic_error("no such part");
  wxClientDC dc(bar);
  dc.SetFont(bar->GetFont());
  // The bar draws its text inside a margin on either side of the part.
  int room = field.width - 2 * bar->GetBorderX() - 4;
  return TtWx::FromWxString(
      wxControl::Ellipsize(bar->GetStatusText(part), dc, wxELLIPSIZE_MIDDLE, room));
}

void ScrollListToColumn(TtListView& list, int column) {
  wxGrid* grid = GridOf(list);
  grid->MakeCellVisible(0, column);
  ProcessEvents();
}

void ChooseMenuBarItem(TtWindow& form, const std::vector<int>& positions) {
  auto* frame = dynamic_cast<wxFrame*>(Widget(form));
  wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr;
  if (!bar || positions.size() < 2 || positions[0] >= static_cast<int>(bar->GetMenuCount())) {
    throw std::logic_error("no such menu bar item");
  }
  wxMenu* menu = bar->GetMenu(positions[0]);
  for (size_t depth = 1;; ++depth) {
    if (positions[depth] >= static_cast<int>(menu->GetMenuItemCount()))
      throw std::logic_error("no such menu item");
    wxMenuItem* item = menu->FindItemByPosition(positions[depth]);
    if (depth + 1 == positions.size()) {
      if (!item->IsEnabled()) return;
      menu->SendEvent(item->GetId(), item->IsCheckable() ? !item->IsChecked() : -1);
      wxTheApp->RethrowStoredException();
      return;
    }
    if (!item->IsSubMenu()) throw std::logic_error("no such sub-menu");
    menu = item->GetSubMenu();
  }
}

std::vector<std::string> MenuBarLabels(TtWindow& form) {
  auto* frame = dynamic_cast<wxFrame*>(Widget(form));
  std::vector<std::string> labels;
  if (wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr) {
    for (size_t index = 0; index < bar->GetMenuCount(); ++index)
      labels.push_back(TtWx::FromWxString(bar->GetMenuLabel(index)));
  }
  return labels;
}

namespace {

void PressKey(TtWindow& window, int key) {
  wxWindow* widget = Widget(window);
  wxKeyEvent event(widget->IsTopLevel() ? wxEVT_CHAR_HOOK : wxEVT_KEY_DOWN);
  event.SetEventObject(widget);
  event.m_keyCode = key;
  widget->GetEventHandler()->ProcessEvent(event);
  wxTheApp->RethrowStoredException();
}

}  // namespace

namespace {

// A window made of parts (the list's grid) takes drops on its parts.
wxFileDropTarget* FileDropOf(wxWindow* window) {
  if (auto* target = dynamic_cast<wxFileDropTarget*>(window->GetDropTarget())) return target;
  for (wxWindow* child : window->GetChildren()) {
    if (auto* target = FileDropOf(child)) return target;
  }
  return nullptr;
}

}  // namespace

void DropFiles(TtWindow& window, const std::vector<std::string>& paths) {
  wxFileDropTarget* target = FileDropOf(Widget(window));
  if (!target) throw std::logic_error("the window takes no dropped files");
  wxArrayString names;
  for (const std::string& path : paths) names.Add(TtWx::ToWxPath(path));
  target->OnDropFiles(10, 10, names);
  ProcessEvents();
}

void PressEnter(TtWindow& window) { PressKey(window, WXK_RETURN); }

void PressEscape(TtWindow& window) { PressKey(window, WXK_ESCAPE); }

void PressTab(TtWindow& window) { PressKey(window, WXK_TAB); }

void CloseWindow(TtWindow& window) {
  Widget(window)->Close();
  wxTheApp->RethrowStoredException();
}

bool BusyCursorShown() { return wxIsBusy(); }

std::vector<std::string> ButtonLabels(TtWindow& window) {
  return LabelsLeftToRight(Widget(window));
}

void ShowAsModal(TtWindow& dialog) {
  wxWindow* widget = Widget(dialog);
  widget->Show();
  widget->Raise();
  ProcessEvents();
  wxWindow* focus = nullptr;
  wxSetFocusToChild(widget, &focus);
  ProcessEvents();
}

std::string ToolTipText(TtWindow& window) {
  return TtWx::FromWxString(Widget(window)->GetToolTipText());
}

namespace {

// Where on screen the pointer lands on an entry of a list box put on screen.
wxPoint ListBoxEntryPoint(TtWindow& list_box, int index) {
  auto* list = dynamic_cast<wxListBox*>(Widget(list_box));
  if (!list) throw std::logic_error("not a list box");
  // A modal dialog answered by a test is not on screen; a pointer needs it there.
  wxWindow* top = wxGetTopLevelParent(list);
  if (!top->IsShown()) top->Show();
  top->Raise();
  list->Update();
  ProcessEvents();
  // The widget set tells no entry's rectangle, only which entry lies under a point.
  int first = -1;
  int last = -1;
  for (int y = 0; y < list->GetClientSize().GetHeight(); ++y) {
    if (list->HitTest(wxPoint(8, y)) != index) continue;
    if (first < 0) first = y;
    last = y;
  }
  if (first < 0) throw std::logic_error("the entry is not in view");
  return list->ClientToScreen(wxPoint(8, (first + last) / 2));
}

}  // namespace

void ClickListBoxItem(TtWindow& list_box, int index) {
  wxPoint point = ListBoxEntryPoint(list_box, index);
  MovePointer({point.x, point.y});
  PressLeftButton();
  ReleaseLeftButton();
}

void DoubleClickListBoxItem(TtWindow& list_box, int index) {
  wxPoint point = ListBoxEntryPoint(list_box, index);
  MovePointer({point.x, point.y});
  wxUIActionSimulator().MouseDblClick();
  ProcessEvents();
  wxTheApp->RethrowStoredException();
}

bool HasFocus(TtWindow& window) {
  ProcessEvents();
  wxWindow* widget = Widget(window);
  for (wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent()) {
    if (focus == widget) return true;
  }
  return false;
}

std::string ListCellText(TtListView& list, int item, int column) {
  return TtWx::FromWxString(GridOf(list)->GetTable()->GetValue(item, column));
}

std::string ListHeaderText(TtListView& list, int column) {
  return TtWx::FromWxString(GridOf(list)->GetTable()->GetColLabelValue(column));
}

namespace {

wxGridCellAttr* CellAttribute(TtListView& list, int item, int column) {
  wxGrid* grid = GridOf(list);
  TtWxInternal::ResetListLooks(grid);
  return grid->GetTable()->GetAttr(item, column, wxGridCellAttr::Any);
}

wxGridCellAttr* RowAttribute(TtListView& list, int item) {
  return CellAttribute(list, item, list.GetColumnCount() > 1 ? 1 : 0);
}

}  // namespace

TtWin::COLORREF ListRowBackground(TtListView& list, int item) {
  return ListCellBackground(list, item, list.GetColumnCount() > 1 ? 1 : 0);
}

TtWin::COLORREF ListCellBackground(TtListView& list, int item, int column) {
  wxGrid* grid = GridOf(list);
  wxGridCellAttr* attribute = CellAttribute(list, item, column);
  wxColour colour = attribute && attribute->HasBackgroundColour()
                        ? attribute->GetBackgroundColour()
                        : grid->GetDefaultCellBackgroundColour();
  if (attribute) attribute->DecRef();
  return TtWx::FromWxColour(colour);
}

TtWin::COLORREF ListRowText(TtListView& list, int item) {
  wxGrid* grid = GridOf(list);
  wxGridCellAttr* attribute = RowAttribute(list, item);
  wxColour colour = attribute && attribute->HasTextColour() ? attribute->GetTextColour()
                                                            : grid->GetDefaultCellTextColour();
  if (attribute) attribute->DecRef();
  return TtWx::FromWxColour(colour);
}

}  // namespace TtTesting
