// The message loop, posted messages, exceptions out of handlers, placement, painting and
// creation hooks, with real windows (under Xvfb).
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_device_context.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_icon.h"
#include "ttl/gui/tt_window.h"
#include "ttl/testing/tt_testing.h"

namespace {

// A 4 x 4 blue PNG picture.
const unsigned char kTinyPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x01, 0x03, 0x00, 0x00,
    0x00, 0x93, 0x3f, 0x0c, 0x3d, 0x00, 0x00, 0x00, 0x03, 0x50, 0x4c, 0x54, 0x45, 0x30,
    0x70, 0xc0, 0x37, 0x4a, 0x63, 0x0c, 0x00, 0x00, 0x00, 0x0b, 0x49, 0x44, 0x41, 0x54,
    0x08, 0xd7, 0x63, 0x60, 0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x01, 0x2f, 0x20, 0xdd,
    0x31, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

class PlainForm : public TtForm {
public:
  TtWin::DWORD GetStyle() const override { return TtWin::WS_OVERLAPPEDWINDOW; }
};

}  // namespace

TEST(TtFormGuiTest, PostedMessagesRunInTheLoopAndTheQuitMessageEndsIt) {
  PlainForm form;
  form.Create({});
  std::vector<int> order;
  form.RegisterMessageHandler(TtWin::WM_USER, [&](TtWin::WPARAM wparam, TtWin::LPARAM) {
    order.push_back(static_cast<int>(wparam));
    if (wparam == 2) TtForm::PostQuitMessage(9);
    return TtWindow::Handled();
  });
  form.PostMessage(TtWin::WM_USER, 1);
  form.PostMessage(TtWin::WM_USER, 2);
  EXPECT_TRUE(order.empty()) << "posted, not sent";
  EXPECT_EQ(TtForm::Loop(), 9);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(TtFormGuiTest, AnExceptionFromAHandlerLeavesTheLoop) {
  PlainForm form;
  form.Create({});
  form.RegisterMessageHandler(TtWin::WM_USER,
                              [](TtWin::WPARAM, TtWin::LPARAM) -> TtWindow::WMResult {
                                throw TtInternalException("tt_form", 1);
                              });
  form.PostMessage(TtWin::WM_USER);
  EXPECT_THROW(TtForm::Loop(), TtInternalException);
  // The loop runs again afterwards.
  TtForm::PostQuitMessage(0);
  EXPECT_EQ(TtForm::Loop(), 0);
}

TEST(TtFormGuiTest, AMinimisedPlacementIsReportedAndRestoredBeforeShowing) {
  PlainForm form;
  form.Create({});
  TtWin::WINDOWPLACEMENT placement;
  placement.showCmd = TtWin::SW_SHOWMINIMIZED;
  placement.rcNormalPosition = TtWin::RECT{40, 50, 640, 450};
  form.SetWindowPlacement(placement);
  EXPECT_TRUE(form.IsMinimized());
  form.Restore();
  EXPECT_FALSE(form.IsMinimized());
  form.Show();
  TtTesting::ProcessEvents();
  TtWin::WINDOWPLACEMENT saved = form.GetWindowPlacement();
  EXPECT_EQ(saved.showCmd, static_cast<TtWin::UINT>(TtWin::SW_SHOWNORMAL));
  EXPECT_EQ(saved.rcNormalPosition.right - saved.rcNormalPosition.left, 600);
  EXPECT_EQ(saved.rcNormalPosition.bottom - saved.rcNormalPosition.top, 400);
}

TEST(TtFormGuiTest, APlacementOffEveryScreenOrOfAbsurdSizeComesBackOnTheScreen) {
  TtWin::RECT screen = TtExtraordinarilyWindow::Desktop().GetRectangle();
  for (TtWin::RECT stored :
       {TtWin::RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, TtWin::RECT{50000, 40000, 50600, 40400},
        TtWin::RECT{-9000, -7000, -8400, -6600}}) {
    PlainForm form;
    form.Create({});
    TtWin::WINDOWPLACEMENT placement;
    placement.rcNormalPosition = stored;
    form.SetWindowPlacement(placement);
    form.Show();
    TtTesting::ProcessEvents();
    TtWin::RECT shown = form.GetRectangle();
    SCOPED_TRACE(std::to_string(stored.left) + "," + std::to_string(stored.top));
    EXPECT_GT(shown.right - shown.left, 0);
    EXPECT_LE(shown.right - shown.left, screen.right - screen.left + 20);
    EXPECT_GE(shown.top, screen.top);
    EXPECT_LT(shown.top, screen.bottom - 20) << "the title bar can be reached";
    EXPECT_GT(shown.right, screen.left + 20);
    EXPECT_LT(shown.left, screen.right - 20);
  }
}

TEST(TtFormGuiTest, APaintHandlerDrawsTheProgramIcon) {
  TtIcon::RegisterResource("TEST_ICON", kTinyPng, sizeof(kTinyPng));
  TtIcon icon = TtIcon::LoadResource("TEST_ICON");
  EXPECT_EQ(icon.GetWidth(), 4);
  EXPECT_THROW(TtIcon::LoadResource("NO_SUCH_ICON"), TtWindowsSystemCallException);

  PlainForm form;
  form.Create({});
  form.SetIconAsLarge(icon);
  int paints = 0;
  form.RegisterPaintHandler([&] {
    TtPaintDeviceContext dc(form);
    dc.DrawIcon(10, 10, icon);
    ++paints;
    return TtWindow::Handled();
  });
  form.SetSize(200, 100);
  form.Show();
  form.Invalidate();
  for (int round = 0; round < 5 && paints == 0; ++round) TtTesting::ProcessEvents();
  EXPECT_GE(paints, 1);
}

TEST(TtFormGuiTest, ACreationHookThatRefusesLeavesNoWindow) {
  class Refusing : public TtForm {
  public:
    bool CreatedInternal() override { return false; }
  } form;
  form.Create({});
  EXPECT_FALSE(form.IsCreated());
}

TEST(TtFormGuiTest, WhileTheMouseIsCapturedTheFormHearsOfItOverItsChildren) {
  PlainForm form;
  form.Create({});
  TtPanel child(false);
  child.Create({&form});
  form.SetPositionSize(0, 0, 400, 300);
  child.SetPositionSize(0, 0, 400, 300);
  child.Show();
  form.Show();
  TtTesting::ProcessEvents();
  std::vector<TtWin::POINT> moves;
  int releases = 0;
  form.RegisterMouseMoveHandler([&](int, int x, int y) {
    moves.push_back(TtWin::POINT{x, y});
    return TtWindow::Handled();
  });
  form.RegisterLeftButtonUpHandler([&](int, int, int) {
    ++releases;
    TtWindow::ReleaseCapture();
    return TtWindow::Handled();
  });
  TtWin::POINT start = form.ClientToScreen(TtWin::POINT{100, 100});
  TtTesting::MovePointer(start);
  TtTesting::PressLeftButton();
  form.SetCapture();
  TtTesting::MovePointer(form.ClientToScreen(TtWin::POINT{150, 120}));
  TtTesting::ReleaseLeftButton();
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().x, 150);
  EXPECT_EQ(moves.back().y, 120);
  EXPECT_EQ(releases, 1);
  TtTesting::MovePointer(start);
  EXPECT_EQ(moves.back().x, 150) << "after the release the child hears of the pointer again";
}
