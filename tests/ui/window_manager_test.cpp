// The main window under a real window manager: what only a window manager decides (where a
// window is put, what stays above what) goes wrong without one being tested. The test starts
// openbox on the display itself and runs alone, since it changes how every window there behaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "model/card.h"
#include "tests/support/missing_tool.h"
#include "tests/support/window_manager.h"
#include "tests/ui/main_window_test_support.h"
#include "ttl/core/tt_string.h"
#include "ui/open_list_dialog.h"

namespace {

class WindowManagerTest : public TarvaneTest::MainWindowFixture {
protected:
  static void SetUpTestSuite() { openbox_ = TarvaneTest::StartOpenbox(); }
  static void TearDownTestSuite() { TarvaneTest::StopOpenbox(openbox_); }
  void SetUp() override {
    if (!TarvaneTest::WindowManagerRunning()) {
      TARVANE_SKIP_FOR_MISSING_TOOL(
          "no window manager on the display and none could be started "
          "from /usr/bin/openbox (scripts/install-deps.sh installs it)");
    }
  }

  static pid_t openbox_;
};

pid_t WindowManagerTest::openbox_ = 0;

// The window manager has just come up and the main window is the first window it places (the
// started program's tests also start the program itself as a process of its own).
class FirstWindowTest : public WindowManagerTest {
protected:
  static void SetUpTestSuite() {}
  static void TearDownTestSuite() {}
  void SetUp() override {
    openbox_ = TarvaneTest::StartOpenbox();
    WindowManagerTest::SetUp();
  }
  void TearDown() override {
    WindowManagerTest::TearDown();
    Close();
    TarvaneTest::StopOpenbox(openbox_);
  }
};

template <class Titles>
int Place(const Titles& titles, const std::string& title) {
  auto found = std::find(titles.begin(), titles.end(), title);
  return found == titles.end() ? -1 : static_cast<int>(found - titles.begin());
}

Tarvane::Card Bolt() {
  Tarvane::Card card;
  card.name = "Lightning Bolt";
  card.name_japanese = "稲妻";
  card.rules_text = "3点のダメージを与える。";
  return card;
}

// The titles (CP932) of the managed windows from bottom to top, once those in wait_for are there.
std::vector<std::string> StackingOrder(const std::vector<std::string>& wait_for) {
  std::vector<std::string> utf8_wait_for;
  for (const std::string& title : wait_for) utf8_wait_for.push_back(TtString::Cp932ToUtf8(title));
  std::vector<std::string> titles =
      TarvaneTest::StackingOrder(utf8_wait_for, [] { TtTesting::ProcessEvents(); });
  for (std::string& title : titles) {
    std::string cp932;
    title = TtString::TryUtf8ToCp932(title, cp932) ? cp932 : std::string("?");
  }
  return titles;
}

}  // namespace

TEST_F(WindowManagerTest, ThePreviewStaysWithTheMainWindowAndUnderTheProgramsModalDialogs) {
  Open();
  frame->GetPreview().Show(Bolt());
  std::vector<std::string> titles = StackingOrder({"カードプレビュー"});
  EXPECT_GT(Place(titles, "カードプレビュー"), Place(titles, Tarvane::MainFrame::kTitle))
      << "above its owner";

  answers.Dialog([&](TtWindow& dialog) {
    TtTesting::ShowAsModal(dialog);
    std::string title = dialog.GetText();
    std::vector<std::string> now = StackingOrder({title});
    ASSERT_GE(Place(now, title), 0);
    EXPECT_GT(Place(now, title), Place(now, "カードプレビュー"))
        << "the dialog's OK and キャンセル stay in view";
    TtTesting::Click(dynamic_cast<TtDialog&>(dialog).GetCancelButton());
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), Tarvane::MainCommand::SelectDecks);
}

namespace {

Tarvane::WindowPlacement Stored(int show_command, int left, int top, int right, int bottom) {
  return {.show_command = show_command,
          .normal_left = left,
          .normal_top = top,
          .normal_right = right,
          .normal_bottom = bottom};
}

// Waits for the window manager to have placed and drawn the window.
void Settle() {
  for (int round = 0; round < 20; ++round) {
    TtTesting::ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
}

}  // namespace

TEST_F(WindowManagerTest, ASavedPositionComesBackWhereItWasAndIsSavedAgainUnchanged) {
  Tarvane::SaveWindowPlacement(Stored(Tarvane::WindowPlacement::Normal, 150, 120, 950, 720));
  Open();
  Settle();
  TtWin::WINDOWPLACEMENT placement = frame->GetWindowPlacement();
  // Within the window manager's frame, which the widget set learns only once the window is shown.
  EXPECT_NEAR(placement.rcNormalPosition.left, 150, 12);
  EXPECT_NEAR(placement.rcNormalPosition.top, 120, 40);
  EXPECT_NEAR(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 800, 12);
  EXPECT_NEAR(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, 600, 40);
  TtWin::RECT shown = frame->GetRectangle();
  EXPECT_NEAR(shown.left, 150, 12);
  EXPECT_NEAR(shown.top, 120, 40);
}

TEST_F(WindowManagerTest, UnmaximisingARestoredMaximisedWindowGivesItsSavedNormalPlace) {
  Tarvane::SaveWindowPlacement(Stored(Tarvane::WindowPlacement::Maximized, 100, 80, 900, 680));
  Open();
  Settle();
  EXPECT_TRUE(frame->IsMaximized());
  frame->Restore();
  Settle();
  EXPECT_FALSE(frame->IsMaximized());
  TtWin::RECT shown = frame->GetRectangle();
  EXPECT_NEAR(shown.right - shown.left, 800, 12);
  EXPECT_NEAR(shown.bottom - shown.top, 600, 40);
  TtWin::WINDOWPLACEMENT placement = frame->GetWindowPlacement();
  // Within the window manager's frame, which the widget set learns only once the window is shown.
  EXPECT_NEAR(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 800, 12);
  EXPECT_NEAR(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, 600, 40);
}

TEST_F(WindowManagerTest, DialogsOpenCentredOnTheMainWindowAlsoAfterAFileChooserWasShown) {
  Tarvane::SaveWindowPlacement(Stored(Tarvane::WindowPlacement::Normal, 150, 120, 950, 720));
  Open();
  Settle();
  const TtWin::RECT owner = frame->GetRectangle();
  auto expect_centred = [&](const char* when) {
    answers.DialogShown([&](TtWindow& dialog) {
      TtWin::RECT shown = dialog.GetRectangle();
      EXPECT_NEAR((shown.left + shown.right) / 2, (owner.left + owner.right) / 2, 30) << when;
      EXPECT_NEAR((shown.top + shown.bottom) / 2, (owner.top + owner.bottom) / 2, 60) << when;
      TtTesting::Click(dynamic_cast<TtDialog&>(dialog).GetCancelButton());
    });
    TtTesting::ClickToolBarButton(frame->GetToolBar(), Tarvane::MainCommand::SelectDecks);
  };
  expect_centred("before any file chooser");
  // 追加 of the deck list files dialog opens the desktop's file chooser, which is cancelled.
  answers.DialogShown([&](TtWindow& dialog) {
    TtTesting::Click(dynamic_cast<Tarvane::OpenListDialog&>(dialog).GetAddButton());
    TtTesting::Click(dynamic_cast<TtDialog&>(dialog).GetCancelButton());
  });
  answers.CancelFileDialogShown();
  TtTesting::ClickToolBarButton(frame->GetToolBar(), Tarvane::MainCommand::AddDeckFiles);
  expect_centred("after a file chooser was on screen");
  expect_centred("and again");
  // The chooser of CSV形式でファイルへ belongs to the main window itself.
  answers.CancelFileDialogShown();
  Choose({0, 1, 0});
  expect_centred("after the main window's own file chooser");
}

TEST_F(WindowManagerTest, AMessageBoxOpensCentredOnTheMainWindowAfterItsFileChooser) {
  Tarvane::SaveWindowPlacement(Stored(Tarvane::WindowPlacement::Normal, 150, 120, 950, 720));
  Open();
  Settle();
  const TtWin::RECT owner = frame->GetRectangle();
  AddDecks({folder.burn});
  // The chooser of CSV形式でファイルへ, then the question of 新規作成 (asked over a loaded deck).
  answers.CancelFileDialogShown();
  Choose({0, 1, 0});
  bool shown = false;
  answers.MessageBoxShown([&](TtWin::RECT box) {
    shown = true;
    EXPECT_NEAR((box.left + box.right) / 2, (owner.left + owner.right) / 2, 30);
    EXPECT_NEAR((box.top + box.bottom) / 2, (owner.top + owner.bottom) / 2, 60);
  });
  Choose({0, 0});
  EXPECT_TRUE(shown);
}

// A player reading a card goes on moving through the rows: the preview does not take the
// keyboard from the table; once the player has clicked into it, Escape closes it.
TEST_F(WindowManagerTest, ThePreviewLeavesTheKeyboardWithTheTableAndEscapeClosesIt) {
  Open();
  AddDecks({folder.burn});
  Settle();
  List().SetFocus();
  Settle();
  ASSERT_TRUE(TtTesting::HasFocus(List()));
  frame->GetPreview().Show(Bolt());
  Settle();
  EXPECT_TRUE(frame->GetPreview().IsVisible());
  EXPECT_TRUE(TtTesting::HasFocus(List())) << "the table keeps the keyboard";
  TtTesting::PressEscape(frame->GetPreview());
  Settle();
  EXPECT_FALSE(frame->GetPreview().IsVisible());
}

TEST_F(FirstWindowTest, TheSettingsSheetOpensCentredOnTheFirstWindow) {
  Tarvane::SaveWindowPlacement(Stored(Tarvane::WindowPlacement::Normal, 150, 120, 950, 720));
  Open();
  Settle();
  const TtWin::RECT owner = frame->GetRectangle();
  bool shown = false;
  answers.DialogShown([&](TtWindow& sheet) {
    shown = true;
    Settle();
    TtWin::RECT placed = sheet.GetRectangle();
    EXPECT_NEAR((placed.left + placed.right) / 2, (owner.left + owner.right) / 2, 30);
    EXPECT_NEAR((placed.top + placed.bottom) / 2, (owner.top + owner.bottom) / 2, 60);
  });
  Choose({5, 0});
  EXPECT_TRUE(shown);
}
