// The program as a player starts it: a process of its own, started after the window manager came
// up, closed with the window manager's close button and started again. What the window manager
// does with the first window a process shows differs from what it does with later ones, so
// these tests run the built program rather than a window inside the test.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "app/program_files.h"
#include "app/settings.h"
#include "tests/support/missing_tool.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/window_manager.h"
#include "ttl/core/tt_string.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using TarvaneTest::ManagedWindow;

// Titles as the window manager reads them (the sources' literals are the program's CP932).
std::string Utf8(const char* cp932) { return TtString::Cp932ToUtf8(cp932); }
const std::string kMainTitle = Utf8("Tarvane / タルヴェイン");

// A copy of the built program with its shipped files in a folder of its own, so that its
// settings file beside it is the test's.
class ProgramCopy {
public:
  ProgramCopy() {
    namespace fs = std::filesystem;
    const fs::path bin = TARVANE_PROGRAM_DIR;
    for (const char* name : {"tarvane", "tarvane.nut", "tarvane.bmp"})
      fs::copy_file(bin / name, fs::path(folder_.Path()) / name);
    fs::copy(bin / "dictionary", fs::path(folder_.Path()) / "dictionary");
  }

  std::string Executable() const { return folder_.Join("tarvane"); }
  const std::string& Folder() const { return folder_.Path(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    return folder_.Write(name, bytes);
  }

  void SavePlacement(int show_command, int left, int top, int right, int bottom) const {
    Tarvane::ProgramFiles::Scope program(Executable());
    Tarvane::SaveWindowPlacement({.show_command = show_command,
                                  .normal_left = left,
                                  .normal_top = top,
                                  .normal_right = right,
                                  .normal_bottom = bottom});
  }

  Tarvane::WindowPlacement SavedPlacement() const {
    Tarvane::ProgramFiles::Scope program(Executable());
    Tarvane::WindowPlacement placement;
    EXPECT_TRUE(Tarvane::LoadWindowPlacement(placement));
    return placement;
  }

private:
  TarvaneTest::ScratchFolder folder_;
};

// The program's process; killed if a test leaves it running.
class StartedProgram {
public:
  // In the current folder, or in `folder` when one is given.
  StartedProgram(const ProgramCopy& copy, std::vector<std::string> arguments,
                 const std::string& folder = {}) {
    arguments.insert(arguments.begin(), copy.Executable());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~StartedProgram() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  pid_t Pid() const { return pid_; }

  // The exit code once the process has ended, or -1 if it did not end in time.
  int WaitForExit() {
    for (int round = 0; round < 200 && pid_ > 0; ++round) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }

private:
  pid_t pid_ = 0;
};

// Reads a window again until the condition holds or about three to nine seconds have passed (a
// sanitizer build starts slowly); the last reading.
template <class Condition>
ManagedWindow Eventually(pid_t process, const std::string& title, Condition condition) {
  ManagedWindow last;
  for (int round = 0; round < 60; ++round) {
    if (auto window = TarvaneTest::WaitForWindow(process, title, 100ms)) {
      last = *window;
      if (condition(last)) break;
    }
    std::this_thread::sleep_for(50ms);
  }
  return last;
}

class StartedProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    openbox_ = TarvaneTest::StartOpenbox();
    if (!TarvaneTest::WindowManagerRunning()) {
      TARVANE_SKIP_FOR_MISSING_TOOL(
          "no window manager on the display and none could be started "
          "from /usr/bin/openbox (scripts/install-deps.sh installs it)");
    }
  }
  void TearDown() override { TarvaneTest::StopOpenbox(openbox_); }

  // Closes the main window as the player does and expects the program to end well.
  static void CloseAsThePlayerDoes(StartedProgram& program, const ManagedWindow& main_window) {
    TarvaneTest::AskToClose(main_window);
    EXPECT_EQ(program.WaitForExit(), 0);
  }

  ProgramCopy copy_;
  pid_t openbox_ = 0;
};

bool At(const ManagedWindow& window, int left, int top) {
  // The client area lies inside the window manager's frame: below its title bar.
  return window.left >= left && window.left <= left + 12 && window.top >= top &&
         window.top <= top + 40;
}

// Whether a dialog's centre is the owner's (its title bar aside).
bool CentredOn(const ManagedWindow& dialog, const ManagedWindow& owner) {
  return std::abs(dialog.left + dialog.width / 2 - (owner.left + owner.width / 2)) <= 30 &&
         std::abs(dialog.top + dialog.height / 2 - (owner.top + owner.height / 2)) <= 60;
}

// At the place and of the size saved, 800×600.
bool AtSaved(const ManagedWindow& window, int left, int top) {
  return At(window, left, top) && std::abs(window.width - 800) <= 12 &&
         std::abs(window.height - 600) <= 40;
}

}  // namespace

TEST_F(StartedProgramTest, TheMainWindowComesBackWhereItWasAtEveryStart) {
  copy_.SavePlacement(Tarvane::WindowPlacement::Normal, 150, 120, 950, 720);
  for (const char* when : {"the first start after the window manager came up", "a restart"}) {
    StartedProgram program(copy_, {});
    ManagedWindow shown = Eventually(program.Pid(), kMainTitle, [](const ManagedWindow& window) {
      return AtSaved(window, 150, 120);
    });
    EXPECT_TRUE(At(shown, 150, 120)) << when << ": at " << shown.left << "," << shown.top;
    EXPECT_NEAR(shown.width, 800, 12) << when;
    EXPECT_NEAR(shown.height, 600, 40) << when;
    TarvaneTest::SaveScreenIfAsked("fault-first-window-placement");
    CloseAsThePlayerDoes(program, shown);
    Tarvane::WindowPlacement saved = copy_.SavedPlacement();
    EXPECT_EQ(saved.show_command, Tarvane::WindowPlacement::Normal) << when;
    EXPECT_NEAR(saved.normal_left, 150, 12) << when;
    EXPECT_NEAR(saved.normal_top, 120, 40) << when;
    EXPECT_NEAR(saved.normal_right - saved.normal_left, 800, 12) << when;
  }
}

TEST_F(StartedProgramTest, TheVeryFirstWindowIsCentredOnTheScreenAndWhollyOnIt) {
  StartedProgram program(copy_, {});
  // 960×640 with its frame, centred on the screen.
  const TarvaneTest::ScreenSize screen = TarvaneTest::Screen();
  const int left = (screen.width - 960) / 2;
  const int top = (screen.height - 640) / 2;
  ManagedWindow shown =
      Eventually(program.Pid(), kMainTitle, [left, top](const ManagedWindow& window) {
        return At(window, left, top) && window.width > 900;
      });
  EXPECT_TRUE(At(shown, left, top)) << "at " << shown.left << "," << shown.top;
  EXPECT_LE(shown.top + shown.height, screen.height - top) << "the bottom edge on the screen";
  CloseAsThePlayerDoes(program, shown);
}

TEST_F(StartedProgramTest, AMaximisedWindowComesBackMaximisedAndUnmaximisesToItsSavedSize) {
  copy_.SavePlacement(Tarvane::WindowPlacement::Maximized, 100, 80, 900, 680);
  auto maximised = [screen = TarvaneTest::Screen()](const ManagedWindow& window) {
    // Filling the screen, apart from the window manager's frame.
    return window.maximised && window.width > screen.width - 20 &&
           window.height > screen.height - 60;
  };
  {
    StartedProgram program(copy_, {});
    ManagedWindow shown = Eventually(program.Pid(), kMainTitle, maximised);
    EXPECT_TRUE(maximised(shown)) << "the first start: " << shown.width << "x" << shown.height;
    CloseAsThePlayerDoes(program, shown);
    EXPECT_EQ(copy_.SavedPlacement().show_command, Tarvane::WindowPlacement::Maximized);
  }
  StartedProgram program(copy_, {});
  ManagedWindow shown = Eventually(program.Pid(), kMainTitle, maximised);
  EXPECT_TRUE(maximised(shown)) << "a restart: " << shown.width << "x" << shown.height;
  TarvaneTest::AskToUnmaximise(shown);
  ManagedWindow restored = Eventually(program.Pid(), kMainTitle, [](const ManagedWindow& window) {
    return !window.maximised && std::abs(window.width - 800) <= 12;
  });
  EXPECT_FALSE(restored.maximised);
  EXPECT_NEAR(restored.width, 800, 12);
  EXPECT_NEAR(restored.height, 600, 40);
  TarvaneTest::SaveScreenIfAsked("fault-unmaximised-size");
  CloseAsThePlayerDoes(program, restored);
}

TEST_F(StartedProgramTest, AnErrorBoxAtStartUpIsAboveTheMainWindowAndCentredOnIt) {
  copy_.SavePlacement(Tarvane::WindowPlacement::Normal, 150, 120, 950, 720);
  std::string noise(3000, '\0');
  for (size_t index = 0; index < noise.size(); ++index)
    noise[index] = static_cast<char>((index * 131 + 7) % 256);
  StartedProgram program(copy_, {copy_.Write("noise.txt", noise)});
  const std::string box_title = Utf8("デッキファイル形式エラー");
  auto box = TarvaneTest::WaitForWindow(program.Pid(), box_title, 10s);
  ASSERT_TRUE(box) << "no error box";
  ManagedWindow main_window =
      Eventually(program.Pid(), kMainTitle,
                 [](const ManagedWindow& window) { return AtSaved(window, 150, 120); });
  box = Eventually(program.Pid(), box_title,
                   [&](const ManagedWindow& window) { return CentredOn(window, main_window); });
  std::vector<ManagedWindow> stacking = TarvaneTest::ManagedWindowsOf(program.Pid());
  ASSERT_EQ(stacking.size(), 2u);
  EXPECT_EQ(stacking.back().title, box_title) << "the box is below the main window";
  EXPECT_TRUE(CentredOn(*box, main_window))
      << "box at " << box->left << "," << box->top << " " << box->width << "x" << box->height;
  TarvaneTest::SaveScreenIfAsked("fault-startup-error-box", &main_window);
  TarvaneTest::AskToClose(*box);
  std::this_thread::sleep_for(300ms);
  CloseAsThePlayerDoes(program, main_window);
}

namespace {

// The colour most of a stretch of a row shows: its background, past the text on it.
unsigned long Background(const std::vector<unsigned long>& pixels) {
  std::map<unsigned long, int> counts;
  for (unsigned long pixel : pixels) ++counts[pixel];
  return std::max_element(
             counts.begin(), counts.end(),
             [](const auto& one, const auto& other) { return one.second < other.second; })
      ->first;
}

// The backgrounds of a screen row in the frozen card names and in the deck columns beside them.
struct RowBackgrounds {
  unsigned long names;
  unsigned long decks;
};

RowBackgrounds BackgroundsAt(const ManagedWindow& window, int y) {
  // The names take the first 150 pixels at the program's default width; the decks follow.
  return {Background(TarvaneTest::ScreenRow(window.left + 4, y, 140)),
          Background(TarvaneTest::ScreenRow(window.left + 170, y, 400))};
}

}  // namespace

TEST_F(StartedProgramTest, TheSelectedRowIsOneBandAcrossTheFrozenNamesAndTheDecks) {
  copy_.SavePlacement(Tarvane::WindowPlacement::Normal, 40, 40, 940, 740);
  std::vector<std::string> decks;
  for (const auto& file : std::filesystem::directory_iterator(TARVANE_PROGRAM_DIR "/decks"))
    decks.push_back(file.path().string());
  StartedProgram program(copy_, decks);
  ManagedWindow shown = Eventually(program.Pid(), kMainTitle, [](const ManagedWindow& window) {
    return At(window, 40, 40) && window.width > 800;
  });
  std::this_thread::sleep_for(500ms);
  const int first = shown.top + 300;
  const int second = shown.top + 400;
  const RowBackgrounds before = BackgroundsAt(shown, first);
  ASSERT_EQ(before.names, before.decks);
  if (!TarvaneTest::ClickAt(shown.left + 400, first)) {
    TARVANE_SKIP_FOR_MISSING_TOOL("no /usr/bin/xdotool (scripts/install-deps.sh installs it)");
  }
  std::this_thread::sleep_for(300ms);
  const RowBackgrounds selected = BackgroundsAt(shown, first);
  EXPECT_NE(selected.decks, before.decks) << "the clicked row is highlighted";
  EXPECT_EQ(selected.names, selected.decks) << "and its name too";
  ASSERT_TRUE(TarvaneTest::ClickAt(shown.left + 400, second));
  std::this_thread::sleep_for(300ms);
  const RowBackgrounds moved = BackgroundsAt(shown, second);
  EXPECT_EQ(moved.names, selected.decks) << "the new selection in the names";
  EXPECT_EQ(moved.decks, selected.decks);
  const RowBackgrounds left = BackgroundsAt(shown, first);
  EXPECT_EQ(left.names, before.names) << "the old selection is gone from the names";
  EXPECT_EQ(left.decks, before.decks);
  TarvaneTest::SaveScreenIfAsked("fault-selection-across-frozen-names", &shown);
  CloseAsThePlayerDoes(program, shown);
}

TEST_F(StartedProgramTest, TheFileChooserOpensAboveTheMainWindowAndEscapeClosesIt) {
  // Most of the screen, as a player keeps it.
  const TarvaneTest::ScreenSize screen = TarvaneTest::Screen();
  const int left = screen.width / 10;
  const int top = screen.height / 10;
  const int width = screen.width * 8 / 10;
  copy_.SavePlacement(Tarvane::WindowPlacement::Normal, left, top, left + width,
                      top + screen.height * 8 / 10);
  // A folder of deck sets, where the chooser starts.
  for (const char* name : {"地方大会 11月.tvset", "スタンダード 予選.tvset", "league.tvset"})
    copy_.Write(Utf8(name), "tarvane-deck-set=1\n");
  StartedProgram program(copy_, {}, copy_.Folder());
  ManagedWindow main_window =
      Eventually(program.Pid(), kMainTitle, [=](const ManagedWindow& window) {
        return At(window, left, top) && window.width > width - 20;
      });
  if (!TarvaneTest::PressKeys("ctrl+o")) {
    TARVANE_SKIP_FOR_MISSING_TOOL("no /usr/bin/xdotool (scripts/install-deps.sh installs it)");
  }
  const std::string title = Utf8("デッキセットを開く");
  ASSERT_TRUE(TarvaneTest::WaitForWindow(program.Pid(), title, 10s)) << "no file chooser";
  // Where the desktop's chooser lands is its own affair: now and then it grows to its remembered
  // size at the screen's corner instead of over its owner, so only its stacking is checked.
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(TarvaneTest::ManagedWindowsOf(program.Pid()).back().title, title);
  TarvaneTest::SaveScreenIfAsked("window-file-chooser");
  TarvaneTest::PressKeys("Escape");
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(TarvaneTest::ManagedWindowsOf(program.Pid()).size(), 1u) << "Escape closes it";
  CloseAsThePlayerDoes(program, main_window);
}
