// The dispatch rules, run on window objects that have no platform window: no display needed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_property_sheet.h"
#include "ttl/gui/tt_window.h"

using TtWin::LPARAM;
using TtWin::LRESULT;
using TtWin::WPARAM;
using WMResult = TtWindow::WMResult;

namespace {

// A panel that records the commands and notifications it receives.
class RecordingPanel : public TtPanel {
public:
  explicit RecordingPanel(bool forward = false, TtWin::LRESULT notify_answer = 0)
      : TtPanel(forward) {
    Created();
    RegisterMessageHandler(TtWin::WM_COMMAND, [this](WPARAM wparam, LPARAM lparam) {
      commands.push_back({wparam, lparam});
      return TtWindow::Handled(0);
    });
    RegisterMessageHandler(TtWin::WM_NOTIFY, [this, notify_answer](WPARAM, LPARAM lparam) {
      notifications.push_back(reinterpret_cast<TtWin::NMHDR*>(lparam)->code);
      return TtWindow::Handled(notify_answer);
    });
  }
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  std::vector<TtWin::UINT> notifications;
};

// A child panel placed under a parent without a platform window.
class ChildPanel : public TtPanel {
public:
  ChildPanel(TtWindow* parent, bool forward) : TtPanel(forward) {
    SetParentWindow(parent);
    Created();
  }
};

class TestForm : public TtForm {
public:
  explicit TestForm(TtWindow* parent = nullptr) { SetParentWindow(parent); }
  bool CreatedInternal() override {
    ++built;
    return true;
  }
  int built = 0;
};

class TestDialog : public TtDialog {
public:
  explicit TestDialog(TtWindow* parent) { SetParentWindow(parent); }
  bool CreatedInternal() override {
    ++built;
    return true;
  }
  int built = 0;
};

class TestPage : public TtPropertySheet::Page {
public:
  explicit TestPage(TtWindow* parent) : Page("page", 100, 100) { SetParentWindow(parent); }
};

TtWin::NMHDR Header(TtWin::UINT code, int id = 5) {
  TtWin::NMHDR header;
  header.idFrom = static_cast<std::uintptr_t>(id);
  header.code = code;
  return header;
}

LRESULT Notify(TtWindow& window, TtWin::NMHDR& header) {
  return window.SendMessage(TtWin::WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace

TEST(TtWindowDispatchTest, ASecondHandlerReplacesTheFirstUnlessChained) {
  TtPanel window(false);
  std::vector<std::string> calls;
  window.RegisterMessageHandler(TtWin::WM_USER, [&](WPARAM, LPARAM) {
    calls.push_back("old");
    return TtWindow::Handled(1);
  });
  window.RegisterMessageHandler(TtWin::WM_USER, [&](WPARAM, LPARAM) {
    calls.push_back("replacing");
    return TtWindow::Handled(2);
  });
  EXPECT_EQ(window.SendMessage(TtWin::WM_USER), 2);
  EXPECT_EQ(calls, std::vector<std::string>{"replacing"});

  bool take = false;
  window.RegisterMessageHandler(
      TtWin::WM_USER,
      [&](WPARAM, LPARAM) {
        calls.push_back("chained");
        return take ? TtWindow::Handled(3) : TtWindow::NotHandled();
      },
      true);
  calls.clear();
  EXPECT_EQ(window.SendMessage(TtWin::WM_USER), 2);
  EXPECT_EQ(calls, (std::vector<std::string>{"chained", "replacing"}));
  take = true;
  calls.clear();
  EXPECT_EQ(window.SendMessage(TtWin::WM_USER), 3);
  EXPECT_EQ(calls, std::vector<std::string>{"chained"});

  window.UnregisterMessageHandler(TtWin::WM_USER);
  EXPECT_FALSE(window.GetMessageHandler(TtWin::WM_USER));
  EXPECT_EQ(window.SendMessage(TtWin::WM_USER), 0) << "no handler: default processing";
}

TEST(TtWindowDispatchTest, ChainingOntoNothingAndAHandlerThatReplacesItselfWhileRunning) {
  TtPanel window(false);
  window.RegisterMessageHandler(
      TtWin::WM_USER, [](WPARAM, LPARAM) { return TtWindow::NotHandled(); }, true);
  EXPECT_FALSE(window.DispatchToHandler(TtWin::WM_USER, 0, 0).handled);

  int replaced_runs = 0;
  window.RegisterMessageHandler(
      TtWin::WM_USER, [&window, &replaced_runs, big = std::string(200, 'x')](WPARAM, LPARAM) {
        window.RegisterMessageHandler(TtWin::WM_USER, [&replaced_runs](WPARAM, LPARAM) {
          ++replaced_runs;
          return TtWindow::Handled(9);
        });
        // The running handler is still intact after replacing itself.
        return TtWindow::Handled(static_cast<LRESULT>(big.size()));
      });
  EXPECT_EQ(window.SendMessage(TtWin::WM_USER), 200);
  EXPECT_EQ(window.SendMessage(TtWin::WM_USER), 9);
  EXPECT_EQ(replaced_runs, 1);
}

TEST(TtWindowDispatchTest, TypedHandlersUnpackSignedCoordinates) {
  TtPanel window(false);
  std::vector<int> seen;
  window.RegisterSizeHandler([&](int kind, int width, int height) {
    seen = {kind, width, height};
    return TtWindow::Handled();
  });
  window.SendMessage(TtWin::WM_SIZE, TtWin::SIZE_MAXIMIZED, TtWin::MakeLParam(640, 480));
  EXPECT_EQ(seen, (std::vector<int>{TtWin::SIZE_MAXIMIZED, 640, 480}));
  window.RegisterMouseMoveHandler([&](int keys, int x, int y) {
    seen = {keys, x, y};
    return TtWindow::Handled();
  });
  window.SendMessage(TtWin::WM_MOUSEMOVE, TtWin::MK_LBUTTON, TtWin::MakeLParam(-5, 7));
  EXPECT_EQ(seen, (std::vector<int>{TtWin::MK_LBUTTON, -5, 7}));
  int closes = 0;
  window.RegisterCloseHandler([&] {
    ++closes;
    return TtWindow::Handled();
  });
  window.SendMessage(TtWin::WM_CLOSE);
  EXPECT_EQ(closes, 1);
}

TEST(TtWindowDispatchTest, CommandHandlersOfOneIdentifierRunInOrderUntilOneTakesIt) {
  TtPanel panel(false);
  panel.Created();
  std::vector<std::string> calls;
  int code_seen = -1;
  TtWin::HWND control_seen = nullptr;
  panel.RegisterCommandHandler(1001, [&](int code, TtWin::HWND control) {
    calls.push_back("first");
    code_seen = code;
    control_seen = control;
    return TtWindow::NotHandled();
  });
  panel.RegisterCommandHandler(1001, [&](int, TtWin::HWND) {
    calls.push_back("second");
    return TtWindow::Handled(5);
  });
  panel.RegisterCommandHandler(1001, [&](int, TtWin::HWND) {
    calls.push_back("third");
    return TtWindow::Handled();
  });
  auto* control = reinterpret_cast<TtWin::HWND>(0x1234);
  EXPECT_EQ(panel.SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(1001, TtWin::EN_CHANGE),
                              reinterpret_cast<LPARAM>(control)),
            0)
      << "the dispatcher answers 0";
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(code_seen, TtWin::EN_CHANGE);
  EXPECT_EQ(control_seen, control);
}

TEST(TtWindowDispatchTest, AnUntakenCommandGoesToTheParentOfAFormButNotOfAPropertySheetPage) {
  RecordingPanel parent;
  TestForm form(&parent);
  form.Created();
  EXPECT_EQ(form.built, 1);
  form.RegisterCommandHandler(10001, [](int, TtWin::HWND) { return TtWindow::Handled(); });

  form.SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(10001, 0), 0);
  EXPECT_TRUE(parent.commands.empty()) << "taken by the form";
  form.SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(10002, 3), 77);
  ASSERT_EQ(parent.commands.size(), 1u);
  EXPECT_EQ(parent.commands[0].first, TtWin::MakeWParam(10002, 3));
  EXPECT_EQ(parent.commands[0].second, 77);

  TestPage page(&parent);
  page.Created();
  page.SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(10002, 0), 0);
  EXPECT_EQ(parent.commands.size(), 1u);
}

TEST(TtWindowDispatchTest, AnUntakenNotificationAnswersWithTheParentsAnswer) {
  RecordingPanel parent(false, 42);
  ChildPanel forwarding(&parent, true);
  ChildPanel keeping(&parent, false);
  TtWin::NMHDR header = Header(TtWin::NM_CUSTOMDRAW);
  EXPECT_EQ(Notify(forwarding, header), 42);
  EXPECT_EQ(Notify(keeping, header), 0);
  EXPECT_EQ(parent.notifications.size(), 1u);

  forwarding.RegisterNotifyHandler(5, [](TtWin::NMHDR* h) {
    return h->code == TtWin::NM_RCLICK ? TtWindow::Handled(7) : TtWindow::NotHandled();
  });
  TtWin::NMHDR right_click = Header(TtWin::NM_RCLICK);
  EXPECT_EQ(Notify(forwarding, right_click), 7);
  TtWin::NMHDR other_source = Header(TtWin::NM_RCLICK, 6);
  EXPECT_EQ(Notify(forwarding, other_source), 42);
}

TEST(TtWindowDispatchTest, EnterIsTheDialogsOwnAndNeverReachesItsParent) {
  RecordingPanel parent;
  TestDialog dialog(&parent);
  dialog.Created();
  EXPECT_EQ(dialog.built, 1);
  EXPECT_TRUE(dialog.GetMessageHandler(TtWin::WM_CLOSE)) << "the close box has its handler";
  // Without an OK button Enter does nothing; Escape closes the dialog, which the window tests
  // check on a dialog shown for real.
  dialog.SendMessage(TtWin::WM_COMMAND, TtWin::MakeWParam(TtWin::IDOK, 0), 0);
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_FALSE(dialog.HasEnded());
}

TEST(TtWindowDispatchTest, DialogsPagesAndSheetsAreShownNotCreated) {
  TestDialog dialog(nullptr);
  TestPage page(nullptr);
  TtPropertySheet sheet;
  try {
    dialog.Create(TtWindow::CreateParameter());
    FAIL() << "no exception";
  } catch (const TtInvalidOperationException& e) {
    EXPECT_NE(e.Message().find("TestDialog"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(page.Create(TtWindow::CreateParameter()), TtInvalidOperationException);
  EXPECT_THROW(sheet.Create(TtWindow::CreateParameter()), TtInvalidOperationException);
}

TEST(TtWindowDispatchTest, MenuChoicesByPositionReachMenuHandlersOrElseTheCommandTable) {
  TtPanel panel(false);
  panel.Created();
  TtSubMenuCommand sorters;
  sorters.AppendItem("by name", 0);
  sorters.AppendItem("by count", 0);
  TtSubMenuCommand column_menu;
  column_menu.AppendItem("delete", 1023);
  column_menu.AppendItem("sort", 1024);
  std::vector<int> positions;
  std::vector<int> commands;
  panel.RegisterMenuCommandHandler(sorters.GetHandle(), [&](int position) {
    positions.push_back(position);
    return TtWindow::Handled();
  });
  panel.RegisterCommandHandler(1024, [&](int code, TtWin::HWND control) {
    EXPECT_EQ(code, 0);
    EXPECT_EQ(control, nullptr);
    commands.push_back(1024);
    return TtWindow::Handled();
  });
  panel.SendMessage(TtWin::WM_MENUCOMMAND, 1, reinterpret_cast<LPARAM>(sorters.GetHandle()));
  panel.SendMessage(TtWin::WM_MENUCOMMAND, 1, reinterpret_cast<LPARAM>(column_menu.GetHandle()));
  EXPECT_EQ(positions, std::vector<int>{1});
  EXPECT_EQ(commands, std::vector<int>{1024});
}

TEST(TtWindowDispatchTest, DestroyingAFormEndsTheLoopWithItsExitCode) {
  TestForm form;
  form.Created();
  form.SetExitCode(3);
  form.SendMessage(TtWin::WM_DESTROY);
  EXPECT_EQ(TtForm::Loop(), 3);
}

TEST(TtWindowDispatchTest, PageActionsAnswerTheSheetAndOtherNotificationsReachThePage) {
  RecordingPanel parent(false, 99);
  TestPage page(&parent);
  std::vector<std::string> calls;
  bool valid = false;
  page.SetActivateAction([&] { calls.push_back("activate"); });
  page.SetApplyAction([&] {
    calls.push_back("apply");
    return valid;
  });
  page.SetDeactivateAction([&] { return valid; });
  page.Created();
  page.RegisterNotifyHandler(5, [&](TtWin::NMHDR*) {
    calls.push_back("own");
    return TtWindow::Handled(4);
  });

  TtWin::NMHDR apply = Header(TtWin::PSN_APPLY, 0);
  TtWin::NMHDR leave = Header(TtWin::PSN_KILLACTIVE, 0);
  TtWin::NMHDR activate = Header(TtWin::PSN_SETACTIVE, 0);
  TtWin::NMHDR reset = Header(TtWin::PSN_RESET, 0);
  EXPECT_EQ(Notify(page, apply), TtWin::PSNRET_INVALID);
  EXPECT_EQ(Notify(page, leave), 1) << "a page that refuses to let go stays";
  valid = true;
  EXPECT_EQ(Notify(page, apply), TtWin::PSNRET_NOERROR);
  EXPECT_EQ(Notify(page, leave), 0);
  EXPECT_EQ(Notify(page, activate), 0);
  EXPECT_EQ(Notify(page, reset), 0) << "an empty action does nothing";
  TtWin::NMHDR own = Header(TtWin::NM_CLICK, 5);
  TtWin::NMHDR untaken = Header(TtWin::NM_CLICK, 6);
  EXPECT_EQ(Notify(page, own), 4);
  EXPECT_EQ(Notify(page, untaken), 0) << "pages do not forward";
  EXPECT_EQ(calls, (std::vector<std::string>{"apply", "apply", "activate", "own"}));
  EXPECT_TRUE(parent.notifications.empty());
}

TEST(TtWindowDispatchTest, CentringStaysOnTheDesktop) {
  const TtWin::RECT desktop{0, 0, 1280, 1024};
  TtWin::POINT middle =
      TtWindow::CenterPosition(TtWin::RECT{100, 100, 901, 701}, 300, 200, desktop);
  EXPECT_EQ(middle.x, 350) << "(100 + 901) / 2 - 150, integer halves";
  EXPECT_EQ(middle.y, 300);
  TtWin::POINT left = TtWindow::CenterPosition(TtWin::RECT{-400, 10, 100, 400}, 550, 450, desktop);
  EXPECT_EQ(left.x, 0);
  EXPECT_EQ(left.y, 0);
  TtWin::POINT right =
      TtWindow::CenterPosition(TtWin::RECT{1100, 800, 1400, 1100}, 550, 450, desktop);
  EXPECT_EQ(right.x, 1280 - 550);
  EXPECT_EQ(right.y, 1024 - 450);
}

TEST(TtWindowDispatchTest, WindowOperationsWithoutAWindowThrowWithTheCallName) {
  TtPanel panel(false);
  try {
    panel.SetPositionSize(0, 0, 10, 10);
    FAIL() << "no exception";
  } catch (const TtWindowsSystemCallException& e) {
    EXPECT_EQ(e.GetModule(), "tt_window");
    EXPECT_EQ(e.GetCall(), "::MoveWindow");
  }
  EXPECT_THROW(panel.SetText("x"), TtWindowsSystemCallException);
  EXPECT_EQ(TtWindow::WindowProcedure(reinterpret_cast<TtWin::HWND>(0x99), TtWin::WM_USER, 0, 0), 0)
      << "a handle outside the handle table gets default processing";
}

TEST(TtWindowDispatchTest, FilterTextJoinsPatternsAndIsEmptyWithoutFilters) {
  TtSaveFileDialog dialog;
  EXPECT_EQ(dialog.BuildFilterText(), "");
  dialog.AddFilter("CSV (*.csv)", "*.csv");
  dialog.GetFilters().push_back({"Text", {"*.txt", "*.tsv"}});
  EXPECT_EQ(dialog.BuildFilterText(), "CSV (*.csv)|*.csv|Text|*.txt;*.tsv");
}
