// The main window under a real window manager: what only a window manager decides (where a
// window is put, what stays above what) goes wrong without one being tested. The test starts
// openbox on the display itself and runs alone, since it changes how every window there behaves.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "model/card.h"
#include "tests/ui/main_window_test_support.h"

extern char** environ;

namespace {

constexpr char kOpenbox[] = "/usr/bin/openbox";

class WindowManagerTest : public TarvaneTest::MainWindowFixture {
protected:
  static void SetUpTestSuite() {
    if (TtTesting::WindowManagerRunning() || access(kOpenbox, X_OK) != 0) return;
    char name[] = "openbox";
    char option[] = "--sm-disable";
    char* arguments[] = {name, option, nullptr};
    if (posix_spawn(&openbox_, kOpenbox, nullptr, nullptr, arguments, environ) != 0) return;
    for (int wait = 0; wait < 100 && !TtTesting::WindowManagerRunning(); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  static void TearDownTestSuite() {
    if (openbox_ <= 0) return;
    kill(openbox_, SIGTERM);
    waitpid(openbox_, nullptr, 0);
    openbox_ = 0;
  }
  void SetUp() override {
    if (!TtTesting::WindowManagerRunning()) {
      GTEST_SKIP() << "no window manager on the display and none could be started from " << kOpenbox
                   << " (install openbox to run these tests)";
    }
  }

  static pid_t openbox_;
};

pid_t WindowManagerTest::openbox_ = 0;

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

}  // namespace

TEST_F(WindowManagerTest, ThePreviewStaysWithTheMainWindowAndUnderTheProgramsModalDialogs) {
  Open();
  frame->GetPreview().Show(Bolt());
  std::vector<std::string> titles = TtTesting::StackingOrder({"カードプレビュー"});
  EXPECT_GT(Place(titles, "カードプレビュー"), Place(titles, Tarvane::MainFrame::kTitle)) << "above its owner";

  answers.Dialog([&](TtWindow& dialog) {
    TtTesting::ShowAsModal(dialog);
    std::string title = dialog.GetText();
    std::vector<std::string> now = TtTesting::StackingOrder({title});
    ASSERT_GE(Place(now, title), 0);
    EXPECT_GT(Place(now, title), Place(now, "カードプレビュー")) << "the dialog's OK and キャンセル stay in view";
    TtTesting::Click(dynamic_cast<TtDialog&>(dialog).GetCancelButton());
  });
  TtTesting::ClickToolBarButton(frame->GetToolBar(), Tarvane::MainCommand::SelectDecks);
}
