#include "ttl/testing/tt_testing.h"

#include <wx/containr.h>
#include <wx/dnd.h>
#include <wx/grid.h>
#include <wx/testing.h>
#include <wx/uiaction.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <thread>

#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_list_view.h"
#include "ttl/gui/tt_property_sheet.h"
#include "ttl/gui/tt_tool_bar.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace TtTesting {

namespace {

int ToWxAnswer(int answer) {
  switch (answer) {
    case TtWin::IDOK: return wxID_OK;
    case TtWin::IDYES: return wxID_YES;
    case TtWin::IDNO: return wxID_NO;
    default: return wxID_CANCEL;
  }
}

// One expected modal thing: answers with wxID_NONE when the dialog is of another kind.
class Expectation : public wxModalExpectation {
public:
  Expectation(std::function<int(wxDialog*)> invoke, const char* description)
      : invoke_(std::move(invoke)), description_(description) {}
  int Invoke(wxDialog* dialog) const override { return invoke_(dialog); }

protected:
  wxString GetDefaultDescription() const override { return description_; }

private:
  std::function<int(wxDialog*)> invoke_;
  wxString description_;
};

class Hook : public wxTestingModalHook {
public:
  explicit Hook(std::vector<std::string>& failures) : failures_(failures) {}

  // Actions for modal things shown for real: each runs once its dialog is on screen.
  std::deque<std::function<void(wxDialog*)>> shown;

protected:
  int Enter(wxDialog* dialog) override {
    // The file chooser's showing passes the hook twice.
    if (dialog == shown_for_real_) return wxID_NONE;
    if (!shown.empty()) {
      shown_for_real_ = dialog;
      auto action = std::move(shown.front());
      shown.pop_front();
      dialog->CallAfter([dialog, action] {
        // Until the window manager has placed and drawn it.
        for (int round = 0; round < 20; ++round) {
          wxYield();
          wxMilliSleep(15);
        }
        action(dialog);
      });
      return wxID_NONE;
    }
    int answer = wxTestingModalHook::Enter(dialog);
    // Nothing may wait for a person: an unexpected dialog is closed as cancelled.
    return answer == wxID_NONE ? wxID_CANCEL : answer;
  }
  void Exit(wxDialog* dialog) override {
    if (dialog == shown_for_real_) shown_for_real_ = nullptr;
    wxTestingModalHook::Exit(dialog);
  }
  void ReportFailure(const wxString& message) override { failures_.push_back(std::string(message.utf8_str())); }

private:
  std::vector<std::string>& failures_;
  wxDialog* shown_for_real_ = nullptr;
};

}  // namespace

namespace {

void CollectButtons(wxWindow* window, std::vector<wxButton*>& buttons) {
  for (wxWindow* child : window->GetChildren()) {
    if (auto* button = dynamic_cast<wxButton*>(child)) buttons.push_back(button);
    CollectButtons(child, buttons);
  }
}

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

}  // namespace

struct ModalAnswers::State {
  std::vector<std::string> failures;
  std::deque<std::unique_ptr<Expectation>> expectations;
  std::deque<std::function<PopupChoice(const TtMenu&, TtWin::POINT)>> popups;
  Hook hook{failures};

  void Add(std::function<int(wxDialog*)> invoke, const char* description) {
    expectations.push_back(std::make_unique<Expectation>(std::move(invoke), description));
    hook.AddExpectation(*expectations.back());
  }
};

ModalAnswers::ModalAnswers() : state_(new State) {
  State* state = state_.get();
  TtWxInternal::PopupMenuHook() = [state](TtMenuModel& menu, TtWin::POINT point, TtWin::HMENU& chosen, int& position) {
    if (state->popups.empty()) {
      state->failures.push_back("A pop-up menu was shown unexpectedly.");
      return false;
    }
    auto choose = std::move(state->popups.front());
    state->popups.pop_front();
    PopupChoice choice = choose(TtMenu(&menu), point);
    chosen = choice.menu;
    position = choice.position;
    return chosen != nullptr;
  };
}

ModalAnswers::~ModalAnswers() { TtWxInternal::PopupMenuHook() = nullptr; }

ModalAnswers& ModalAnswers::MessageBox(int answer, MessageBoxSeen* seen) {
  state_->Add(
      [answer, seen](wxDialog* dialog) -> int {
        auto* box = dynamic_cast<TtWxInternal::MessageBox*>(dialog);
        if (!box) return wxID_NONE;
        if (seen) {
          seen->text = TtWx::FromWxString(box->GetText());
          seen->caption = TtWx::FromWxString(box->GetTitle());
          seen->button_set = box->GetButtonSet();
          seen->icon = box->GetIcon();
          seen->icon_shown = box->ShowsIcon();
          seen->buttons = LabelsLeftToRight(box);
        }
        return ToWxAnswer(answer);
      },
      "a message box");
  return *this;
}

namespace {

wxString PathAnswer(const std::string& path, bool as_typed) {
  return as_typed ? wxString::FromUTF8(path) : TtWx::ToWxPath(path);
}

int AnswerFileDialog(wxDialog* dialog, const std::vector<std::string>* paths, FileDialogSeen* seen,
                     bool as_typed = false) {
  auto* file_dialog = dynamic_cast<TtWxInternal::FileDialog*>(dialog);
  if (!file_dialog) return wxID_NONE;
  if (seen) {
    long style = file_dialog->GetWindowStyle();
    seen->title = TtWx::FromWxString(file_dialog->GetMessage());
    seen->directory = TtWx::FromWxString(file_dialog->initial_directory);
    seen->file_name = TtWx::FromWxString(file_dialog->initial_file_name);
    seen->filter_text = TtWx::FromWxString(file_dialog->GetWildcard());
    seen->save = (style & wxFD_SAVE) != 0;
    seen->multiple = (style & wxFD_MULTIPLE) != 0;
    seen->overwrite_prompt = (style & wxFD_OVERWRITE_PROMPT) != 0;
    seen->file_must_exist = (style & wxFD_FILE_MUST_EXIST) != 0;
    seen->accept_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(file_dialog, true));
    seen->cancel_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(file_dialog, false));
  }
  if (!paths) return wxID_CANCEL;
  wxArrayString answered;
  for (const std::string& path : *paths) answered.Add(PathAnswer(path, as_typed));
  file_dialog->answered_paths = answered;
  return wxID_OK;
}

int AnswerFolderBrowser(wxDialog* dialog, const std::string* path, FolderBrowserSeen* seen,
                        bool as_typed = false) {
  auto* browser = dynamic_cast<TtWxInternal::DirDialog*>(dialog);
  if (!browser) return wxID_NONE;
  if (seen) {
    seen->description = TtWx::FromWxString(browser->GetMessage());
    seen->initial_path = TtWx::FromWxString(browser->initial_path);
    seen->accept_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(browser, true));
    seen->cancel_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(browser, false));
  }
  if (!path) return wxID_CANCEL;
  browser->answered_path = PathAnswer(*path, as_typed);
  return wxID_OK;
}

}  // namespace

ModalAnswers& ModalAnswers::FileDialog(std::vector<std::string> paths, FileDialogSeen* seen) {
  state_->Add([paths, seen](wxDialog* dialog) { return AnswerFileDialog(dialog, &paths, seen); }, "a file dialog");
  return *this;
}

ModalAnswers& ModalAnswers::FileDialogAsTyped(std::vector<std::string> utf8_paths, FileDialogSeen* seen) {
  state_->Add([utf8_paths, seen](wxDialog* dialog) { return AnswerFileDialog(dialog, &utf8_paths, seen, true); },
              "a file dialog");
  return *this;
}

ModalAnswers& ModalAnswers::CancelFileDialog(FileDialogSeen* seen) {
  state_->Add([seen](wxDialog* dialog) { return AnswerFileDialog(dialog, nullptr, seen); }, "a file dialog");
  return *this;
}

ModalAnswers& ModalAnswers::CancelFileDialogShown() {
  state_->hook.shown.push_back([](wxDialog* dialog) { dialog->EndModal(wxID_CANCEL); });
  return *this;
}

ModalAnswers& ModalAnswers::MessageBoxShown(std::function<void(TtWin::RECT shown)> action) {
  state_->hook.shown.push_back([action](wxDialog* dialog) {
    if (dynamic_cast<TtWxInternal::MessageBox*>(dialog)) action(TtWx::ToRect(TtWx::OuterRectangleOnScreen(dialog)));
    if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
  });
  return *this;
}

ModalAnswers& ModalAnswers::DialogShown(std::function<void(TtWindow& dialog)> action) {
  state_->hook.shown.push_back([action](wxDialog* dialog) {
    if (TtWindow* window = TtWindow::FromHandle(TtWx::ToHandle(dialog))) action(*window);
    if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
  });
  return *this;
}

ModalAnswers& ModalAnswers::FolderBrowser(std::string path, FolderBrowserSeen* seen) {
  state_->Add([path, seen](wxDialog* dialog) { return AnswerFolderBrowser(dialog, &path, seen); }, "a folder browser");
  return *this;
}

ModalAnswers& ModalAnswers::FolderBrowserAsTyped(std::string utf8_path, FolderBrowserSeen* seen) {
  state_->Add([utf8_path, seen](wxDialog* dialog) { return AnswerFolderBrowser(dialog, &utf8_path, seen, true); },
              "a folder browser");
  return *this;
}

ModalAnswers& ModalAnswers::CancelFolderBrowser(FolderBrowserSeen* seen) {
  state_->Add([seen](wxDialog* dialog) { return AnswerFolderBrowser(dialog, nullptr, seen); }, "a folder browser");
  return *this;
}

ModalAnswers& ModalAnswers::Dialog(std::function<void(TtWindow&)> action) {
  state_->Add(
      [action](wxDialog* dialog) -> int {
        TtWindow* window = TtWindow::FromHandle(TtWx::ToHandle(dialog));
        if (!window) return wxID_NONE;
        action(*window);
        if (auto* sheet = dynamic_cast<TtPropertySheet*>(window)) return std::max(sheet->GetClosingResult(), 0);
        if (auto* own = dynamic_cast<TtDialog*>(window)) return own->HasEnded() ? own->GetResult() : 0;
        return wxID_NONE;
      },
      "a dialog of the toolkit");
  return *this;
}

ModalAnswers& ModalAnswers::PopupMenu(std::function<PopupChoice(const TtMenu&, TtWin::POINT)> choose) {
  state_->popups.push_back(std::move(choose));
  return *this;
}

std::vector<std::string> ModalAnswers::Finish() {
  state_->hook.CheckUnmetExpectations();
  if (!state_->popups.empty()) state_->failures.push_back("An expected pop-up menu was not shown.");
  if (!state_->hook.shown.empty()) state_->failures.push_back("A dialog expected on screen was not shown.");
  state_->hook.shown.clear();
  state_->popups.clear();
  return state_->failures;
}

void ProcessEvents() { TtForm::ProcessPendingMessages(); }

namespace {

wxWindow* Widget(const TtWindow& window) {
  if (!window.GetHandle()) throw std::logic_error("the window has not been created");
  return TtWx::ToWx(window.GetHandle());
}

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
    if (child->IsShown() && child->GetRect().Contains(client)) return {child, client - child->GetPosition()};
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
  return grid->CalcGridWindowScrolledPosition(corner, grid->CellToGridWindow(item, column)) + part->GetPosition() +
         wxPoint(cell.GetWidth() / 2, cell.GetHeight() / 2);
}

wxPoint HeaderPoint(wxGrid* grid, int column) {
  int y = grid->GetColLabelSize() / 2;
  if (column >= 0) return wxPoint(CellMiddle(grid, 0, column).x, y);
  int right = 0;
  for (int col = 0; col < grid->GetNumberCols(); ++col) right += grid->GetColSize(col);
  int last = grid->GetNumberCols() - 1;
  int scrolled_right =
      last < 0 ? 0
               : grid->CalcGridWindowScrolledPosition(wxPoint(right - FrozenWidth(grid), 0), grid->CellToGridWindow(0, last)).x;
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
    if (positions[depth] >= static_cast<int>(menu->GetMenuItemCount())) throw std::logic_error("no such menu item");
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
    for (size_t index = 0; index < bar->GetMenuCount(); ++index) labels.push_back(TtWx::FromWxString(bar->GetMenuLabel(index)));
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

void CloseWindow(TtWindow& window) {
  Widget(window)->Close();
  wxTheApp->RethrowStoredException();
}

void MovePointer(TtWin::POINT screen_point) {
  wxUIActionSimulator().MouseMove(screen_point.x, screen_point.y);
  ProcessEvents();
}

void PressLeftButton() {
  wxUIActionSimulator().MouseDown();
  ProcessEvents();
}

void HoldEscapeKey(bool down) {
  wxUIActionSimulator simulator;
  if (down) {
    simulator.KeyDown(WXK_ESCAPE);
  } else {
    simulator.KeyUp(WXK_ESCAPE);
  }
  ProcessEvents();
}

bool BusyCursorShown() { return wxIsBusy(); }

void ReleaseLeftButton() {
  wxUIActionSimulator().MouseUp();
  ProcessEvents();
}

std::vector<std::string> ButtonLabels(TtWindow& window) { return LabelsLeftToRight(Widget(window)); }

void ShowAsModal(TtWindow& dialog) {
  wxWindow* widget = Widget(dialog);
  widget->Show();
  widget->Raise();
  ProcessEvents();
  wxWindow* focus = nullptr;
  wxSetFocusToChild(widget, &focus);
  ProcessEvents();
}

std::string ToolTipText(TtWindow& window) { return TtWx::FromWxString(Widget(window)->GetToolTipText()); }

void ClickListBoxItem(TtWindow& list_box, int index) {
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
  wxPoint point = list->ClientToScreen(wxPoint(8, (first + last) / 2));
  MovePointer({point.x, point.y});
  PressLeftButton();
  ReleaseLeftButton();
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
  wxColour colour = attribute && attribute->HasBackgroundColour() ? attribute->GetBackgroundColour()
                                                                  : grid->GetDefaultCellBackgroundColour();
  if (attribute) attribute->DecRef();
  return TtWx::FromWxColour(colour);
}

TtWin::COLORREF ListRowText(TtListView& list, int item) {
  wxGrid* grid = GridOf(list);
  wxGridCellAttr* attribute = RowAttribute(list, item);
  wxColour colour = attribute && attribute->HasTextColour() ? attribute->GetTextColour() : grid->GetDefaultCellTextColour();
  if (attribute) attribute->DecRef();
  return TtWx::FromWxColour(colour);
}

namespace {

// A window property of 32-bit items (X hands them over as longs).
std::vector<unsigned long> WindowListProperty(Display* display, Window window, const char* name, Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 65536, False, type, &actual_type,
                         &format, &count, &remaining, &data) == Success &&
      data && format == 32) {
    auto* values = reinterpret_cast<unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

std::string WindowTitle(Display* display, Window window) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096, False,
                         XInternAtom(display, "UTF8_STRING", False), &actual_type, &format, &count, &remaining,
                         &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  return TtWx::FromWxString(wxString::FromUTF8(title));
}

}  // namespace

bool WindowManagerRunning() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  bool running = !WindowListProperty(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
  XCloseDisplay(display);
  return running;
}

std::vector<std::string> StackingOrder(const std::vector<std::string>& wait_for) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return {};
  std::vector<std::string> titles;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (true) {
    ProcessEvents();
    titles.clear();
    for (unsigned long window :
         WindowListProperty(display, DefaultRootWindow(display), "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
      titles.push_back(WindowTitle(display, window));
    }
    bool complete = std::all_of(wait_for.begin(), wait_for.end(), [&](const std::string& title) {
      return std::find(titles.begin(), titles.end(), title) != titles.end();
    });
    if (complete || std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  XCloseDisplay(display);
  return titles;
}

TtWin::COLORREF ScreenPixel(TtWin::POINT screen_point) {
  wxScreenDC screen;
  wxBitmap bitmap(1, 1);
  {
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, 1, 1, &screen, screen_point.x, screen_point.y);
  }
  wxImage image = bitmap.ConvertToImage();
  return TtWin::Rgb(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
}

bool SaveScreenshot(const TtWindow* window, const std::string& path) {
  wxRect area = window ? Widget(*window)->GetScreenRect() : wxRect(wxPoint(0, 0), wxGetDisplaySize());
  wxScreenDC screen;
  wxBitmap bitmap(area.GetWidth(), area.GetHeight());
  {
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, area.GetWidth(), area.GetHeight(), &screen, area.GetX(), area.GetY());
  }
  return bitmap.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
}

}  // namespace TtTesting
